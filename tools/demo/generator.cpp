#include "demo/generator.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_set>
#include <vector>

#include "demo/amend.h"
#include "demo/db_writer.h"
#include "demo/generator_tables.h"
#include "demo/rtf_writer.h"
#include "demo/sources.h"
#include "demo/wording.h"
#include "demo/yuscii_convert.h"

namespace demo {
namespace {

std::string y(const char* utf8) {
    return utf8ToYuscii(utf8, "generator", 0);
}

const char* const kTypes[] = {"Sve",    "Zakon",    "Uredba", "Pravilnik",
                              "Odluka", "Uputstvo", "Naredba"};
const char* const kGazettes[] = {
    "Službeni glasnik Republike Srbije",
    "Službeni list SRJ",
    "Službeni list SCG",
    "Službeni glasnik RS - Međunarodni ugovori",
    "Službeni glasnik RS - Prosvetni glasnik",
};
const char* const kAreas[] = {
    "Svi propisi",
    "Porezi",
    "Računovodstvo i revizija",
    "Radni odnosi",
    "Privredna društva",
    "Carine",
    "Platni promet",
    "Javne nabavke",
    "Osiguranje",
    "Penzijsko i invalidsko",
    "Zdravstvena zaštita",
    "Obligacioni odnosi",
    "Svojina i nepokretnosti",
    "Bankarstvo",
    "Devizno poslovanje",
    "Stečaj i likvidacija",
    "Energetika",
    "Poljoprivreda",
    "Obrazovanje",
    "Lokalna samouprava",
    "Sudski postupci",
    "Prekršaji",
};
const char* const kMinistries[] = {
    "Ministarstvo finansija",
    "Ministarstvo privrede",
    "Ministarstvo za rad, zapošljavanje "
    "i socijalnu politiku",
    "Ministarstvo pravde",
    "Ministarstvo zdravlja",
    "Ministarstvo prosvete",
    "Ministarstvo poljoprivrede",
    "Ministarstvo građevinarstva",
    "Ministarstvo trgovine",
    "Ministarstvo državne uprave i lokalne samouprave",
    "Ministarstvo rudarstva i energetike",
    "Ministarstvo unutrašnjih poslova",
};
const char* const kContracts[] = {
    "Ugovor o zakupu poslovnog prostora",
    "Ugovor o radu",
    "Ugovor o delu",
    "Ugovor o kupoprodaji",
    "Ugovor o zajmu",
    "Ugovor o poklonu",
    "Ugovor o građenju",
    "Ugovor o posredovanju",
    "Ugovor o licenci",
    "Ugovor o jemstvu",
    "Ugovor o ortakluku",
    "Ugovor o čuvanju",
};

// The body of a regulation: title block, then articles until about bytes.
std::vector<SourceLine> regulationBody(Text& text, Random& random, const std::string& title,
                                       size_t bytes) {
    std::vector<SourceLine> lines;
    size_t size = 0;
    auto add = [&](std::string line) {
        size += line.size() + 24;  // paragraph formatting in the RTF
        lines.push_back({static_cast<int>(lines.size()) + 1, std::move(line)});
    };
    const size_t space = title.find(' ');
    add("# " + upperText(title.substr(0, space)));
    if (space != std::string::npos) {
        add("# " + upperText(title.substr(space + 1)));
    }
    for (int article = 1; size < bytes; ++article) {
        if (article % 12 == 1) {
            add("### " + upperText(text.phrase(1, 3)));
        }
        add("## " + y("Član ") + std::to_string(article) + ".");
        const int paragraphs = random.between(1, 3);
        for (int p = 0; p < paragraphs && size < bytes; ++p) {
            add(text.paragraph());
        }
        if (random.chance(0.15)) {
            for (int item = 1; item <= random.between(2, 4); ++item) {
                add("- " + text.listItem(item));
            }
        }
    }
    return lines;
}

// A small 24-bit BMP picture with a gradient.
std::string bmpPicture(int width, int height, int tone) {
    const int row = (width * 3 + 3) / 4 * 4;
    const int dataSize = row * height;
    std::string b(54 + static_cast<size_t>(dataSize), '\0');
    auto put32 = [&](size_t at, std::uint32_t v) {
        for (int k = 0; k < 4; ++k) {
            b[at + static_cast<size_t>(k)] = static_cast<char>((v >> (8 * k)) & 0xFF);
        }
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<std::uint32_t>(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    b[26] = 1;
    b[28] = 24;
    put32(34, static_cast<std::uint32_t>(dataSize));
    for (int yy = 0; yy < height; ++yy) {
        for (int x = 0; x < width; ++x) {
            const size_t at = 54 + static_cast<size_t>(yy * row + x * 3);
            b[at] = static_cast<char>((x * 255 / width + tone) & 0xFF);
            b[at + 1] = static_cast<char>((yy * 255 / height) & 0xFF);
            b[at + 2] = static_cast<char>(tone & 0xFF);
        }
    }
    return b;
}

}  // namespace

GenerateStats generateDatabase(const GenerateOptions& options,
                               const std::filesystem::path& programDir) {
    Random random(options.seed);
    const Vocabulary vocabulary(options.seed, options.vocabularyStems);
    Text text(vocabulary, random);
    GenerateStats stats;
    DatabaseWriter w(programDir / "Podatci");

    const int gazettes = static_cast<int>(std::size(kGazettes));
    for (int i = 0; i < gazettes; ++i) {
        w.gazette({i + 1, y(kGazettes[i])});
    }
    const int areas = static_cast<int>(std::size(kAreas));
    for (int i = 0; i < areas; ++i) {
        w.area({i + 1, y(kAreas[i])});
    }
    const int types = static_cast<int>(std::size(kTypes));
    for (int i = 0; i < types; ++i) {
        w.type({i, y(kTypes[i])});
    }
    const int ministries = static_cast<int>(std::size(kMinistries));
    for (int i = 0; i < ministries; ++i) {
        w.ministry({i + 1, y(kMinistries[i])});
    }

    // Archive chains of 2 to 5 consecutive regulations sharing a title.
    const int n = std::max(0, options.regulations);
    std::vector<ArchiveRow> archive;
    std::vector<int> chainStart(static_cast<size_t>(n) + 1, 0);
    for (int i = 1; i <= n;) {
        const int length = random.between(2, 5);
        if (random.chance(0.04) && i + length - 1 <= n) {
            for (int k = 0; k < length; ++k) {
                chainStart[static_cast<size_t>(i + k)] = i;
                archive.push_back({i + k, k > 0 ? i + k - 1 : 0, k + 1 < length ? i + k + 1 : 0});
            }
            i += length;
        } else {
            ++i;
        }
    }

    // Every eighth chain has long texts, each version the previous one
    // amended. Their texts come from a random stream of their own, so that
    // every other regulation stays as it was.
    std::vector<char> longChain(static_cast<size_t>(n) + 1, 0);
    for (int i = 1, chains = 0; i <= n; ++i) {
        if (chainStart[static_cast<size_t>(i)] == i && chains++ % 8 == 0) {
            for (int k = i; k <= n && chainStart[static_cast<size_t>(k)] == i; ++k) {
                longChain[static_cast<size_t>(k)] = 1;
            }
        }
    }
    Random amendRandom(options.seed ^ 0xA3E4D5ull);
    Text amendText(vocabulary, amendRandom);
    std::vector<SourceLine> chainBody;

    const size_t bytes = static_cast<size_t>(std::max(1, options.textKb)) * 1024;
    const int gazetteWeights[] = {12, 3, 2, 1, 1};
    std::vector<std::vector<int>> issueCounter(static_cast<size_t>(gazettes),
                                               std::vector<int>(40, 0));
    std::unordered_set<std::string> identities;
    std::vector<std::string> titles(static_cast<size_t>(n) + 1);
    const int pictureEvery = std::max(1, std::min(n, 2000));
    for (int id = 1; id <= n; ++id) {
        Regulation r;
        r.id = id;
        int pickGazette = random.below(19);
        r.gazette = 1;
        for (int g = 0; g < gazettes; ++g) {
            if (pickGazette < gazetteWeights[g]) {
                r.gazette = g + 1;
                break;
            }
            pickGazette -= gazetteWeights[g];
        }
        const int yearIndex =
            static_cast<int>(static_cast<long long>(id - 1) * 34 / std::max(1, n));
        r.year = std::to_string(1991 + yearIndex);
        int& counter =
            issueCounter[static_cast<size_t>(r.gazette - 1)][static_cast<size_t>(yearIndex)];
        counter += random.between(0, 2);
        r.issue = std::to_string(std::max(1, counter)) + (random.chance(0.06) ? "a" : "");
        r.area = random.between(2, areas);
        r.type = random.between(1, types - 1);
        const int start = chainStart[static_cast<size_t>(id)];
        if (start != 0 && start != id) {
            r.title = titles[static_cast<size_t>(start)];
        } else {
            r.title = latinText(y(kTypes[r.type]) + " o " + text.phrase(2, 6));
        }
        while (!identities.insert(r.title + "\t" + r.bg()).second) {
            r.title += " " + latinText(text.contentWord());
        }
        titles[static_cast<size_t>(id)] = r.title;
        auto body = regulationBody(text, random, r.title, bytes);
        if (longChain[static_cast<size_t>(id)]) {
            chainBody = start == id ? regulationBody(amendText, amendRandom, r.title, bytes * 8)
                                    : amendedBody(chainBody, amendText, amendRandom);
            body = chainBody;
        }
        r.latin = markupToRtf(body, Script::Latin, "generator");
        r.cyrillic = markupToRtf(body, Script::Cyrillic, "generator");
        addTables(r, id, n, options.seed);
        if (random.chance(0.15)) {
            std::string note = text.sentence();
            if (random.chance(0.5)) {
                while (note.size() < 260) {
                    note += " " + text.sentence();
                }
            }
            r.note = noteToRtf({1, note}, Script::Latin, "generator");
        }
        if (random.chance(0.3)) {
            const int year = 1991 + yearIndex;
            for (int k = random.between(1, 2); k > 0; --k) {
                r.dates.push_back({random.between(1, 28), random.between(1, 12), year});
            }
        }
        if (id % pictureEvery == 0) {
            for (int k = random.between(1, 3); k > 0; --k) {
                const int slot = random.between(1, 33);
                if (std::none_of(r.pictures.begin(), r.pictures.end(),
                                 [&](const Picture& p) { return p.slot == slot; })) {
                    r.pictures.push_back({slot, bmpPicture(random.between(30, 80),
                                                           random.between(40, 120), slot * 7)});
                    ++stats.pictures;
                }
            }
        }
        w.regulation(r);
        ++stats.regulations;
    }
    for (const ArchiveRow& row : archive) {
        w.archive(row);
    }
    stats.archiveRows = static_cast<long long>(archive.size());

    // Opinions: their ministries first, so that the link rows can carry each
    // opinion's position in ministry order.
    const int m = std::max(0, options.opinions);
    std::vector<Opinion> heads(static_cast<size_t>(m));
    for (int j = 0; j < m; ++j) {
        heads[static_cast<size_t>(j)].number = j + 1;
        heads[static_cast<size_t>(j)].ministry = random.between(1, ministries);
    }
    const auto positions = opinionPositions(heads);
    const size_t opinionBytes = std::max<size_t>(1024, bytes / 4);
    for (Opinion& o : heads) {
        o.date = {random.between(1, 28), random.between(1, 12), random.between(1995, 2024)};
        o.title = latinText(y("Mišljenje o ") + text.phrase(2, 7));
        std::vector<SourceLine> body;
        size_t size = 0;
        while (size < opinionBytes) {
            body.push_back({static_cast<int>(body.size()) + 1, text.paragraph()});
            size += body.back().text.size() + 24;
        }
        o.latin = markupToRtf(body, Script::Latin, "generator");
        o.cyrillic = markupToRtf(body, Script::Cyrillic, "generator");
        w.opinion(o);
        ++stats.opinions;
        if (n > 0) {
            std::vector<long long> linked;
            for (int k = random.between(0, 3); k > 0; --k) {
                const long long id = random.between(1, n);
                if (std::find(linked.begin(), linked.end(), id) == linked.end()) {
                    linked.push_back(id);
                    w.link(positions.at(o.number), id, o.number);
                    ++stats.links;
                }
            }
        }
        o.latin.clear();
        o.cyrillic.clear();
    }

    for (size_t i = 0; i < std::size(kContracts); ++i) {
        Contract c;
        c.name = y(kContracts[i]);
        c.parties = i % 4 == 3 ? 3 : 2;
        std::vector<SourceLine> body = {
            {1, "# " + upperText(c.name)},
            {2, y("Zaključen u <mestoug>, dana <datumug>, između:")},
            {3, "- <ugov1>, <nazivugs1>"},
            {4, "- <ugov2>, <nazivugs2>"},
        };
        if (c.parties == 3) {
            body.push_back({5, "- <ugov3>, <nazivugs3>"});
        }
        for (int article = 1; article <= 8; ++article) {
            body.push_back({static_cast<int>(body.size()) + 1,
                            "## " + y("Član ") + std::to_string(article) + "."});
            body.push_back({static_cast<int>(body.size()) + 1, text.paragraph()});
        }
        c.text = markupToRtf(body, Script::Latin, "generator");
        c.note = noteToRtf({1, text.sentence()}, Script::Latin, "generator");
        w.contract(c);
        ++stats.contracts;
    }
    w.commit();
    return stats;
}

}  // namespace demo
