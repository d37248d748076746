#include "demo/wording.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <unordered_set>

#include "demo/yuscii_convert.h"
#include "yuscii/yuscii.h"

namespace demo {

namespace {

std::string y(const char* utf8) {
    return utf8ToYuscii(utf8, "generator", 0);
}

const char* const kFunctionWords[] = {
    "i",     "u",      "se",   "na",      "za",    "od",      "da",     "je",     "o",
    "sa",    "koji",   "koja", "koje",    "ili",   "kao",     "po",     "iz",     "ne",
    "su",    "ovog",   "tog",  "prema",   "ako",   "može",    "biti",   "lice",   "zakona",
    "člana", "stava",  "ovim", "odnosno", "kojim", "koja se", "shodno", "takođe", "pri",
    "do",    "njegov", "radi", "čiji",    "već",   "dok",     "između", "uz",     "pod",
};

// The stems of tax, labour and company law; with the endings below they are
// the most frequent content words.
const char* const kStems[] = {
    "porez",        "obveznik",     "račun",       "ugovor",     "poslodavac",   "zaposlen",
    "rok",          "iznos",        "prihod",      "rashod",     "dohodak",      "doprinos",
    "organ",        "ministarstv",  "zahtev",      "rešenj",     "postupak",     "propis",
    "član",         "stav",         "tačk",        "osnov",      "uslov",        "pravo",
    "obavez",       "naknad",       "zarad",       "godišnj",    "mesečn",       "nadležn",
    "sud",          "prekršaj",     "kazn",        "novčan",     "privredn",     "društv",
    "preduzetnik",  "banka",        "plaćanj",     "evidencij",  "izveštaj",     "revizij",
    "knjigovodstv", "imovin",       "vrednost",    "cen",        "promet",       "dobr",
    "uslug",        "carin",        "uvoz",        "izvoz",      "akciz",        "taks",
    "budžet",       "lokaln",       "samouprav",   "opštin",     "građan",       "stranac",
    "državljan",    "boravak",      "osiguranj",   "penzij",     "invalidsk",    "zdravstven",
    "zaštit",       "bezbednost",   "rad",         "odmor",      "otkaz",        "sporazum",
    "kolektivn",    "sindikat",     "štrajk",      "javn",       "nabavk",       "ponuđač",
    "naručilac",    "konkurs",      "licenc",      "dozvol",     "inspekcij",    "nadzor",
    "kontrol",      "žalb",         "tužb",        "presud",     "izvršenj",     "hipotek",
    "zalog",        "kredit",       "kamat",       "valut",      "devizn",       "platn",
    "promet",       "elektronsk",   "potpis",      "dokument",   "arhiv",        "podat",
    "ličnost",      "poverljiv",    "stečaj",      "likvidacij", "registar",     "agencij",
    "osnivanj",     "kapital",      "udeo",        "akcij",      "skupštin",     "direktor",
    "odbor",        "nadzorn",      "statut",      "ovlašćenj",  "punomoćj",     "nasledstv",
    "zaveštanj",    "brak",         "porodic",     "dete",       "starateljstv", "nepokretnost",
    "zakup",        "najam",        "gradnj",      "objekat",    "zemljišt",     "katastar",
    "energij",      "gas",          "struj",       "vod",        "šum",          "lov",
    "ribolov",      "poljoprivred", "subvencij",   "podsticaj",  "đak",          "učenik",
    "student",      "škol",         "fakultet",    "nauk",       "kultur",       "sport",
    "medij",        "džep",         "nad+življen", "ljudsk",     "njiv",
};
const char* const kCommonEndings[] = {"", "a", "u", "om", "i", "e", "ima", "ama", "ski", "nog"};

// Syllables of the synthesised stems, in YUSCII: ~ } { ` | are the small
// letters c-caron, c-acute, s-caron, z-caron and d-stroke.
const char* const kOnsets[] = {
    "b",  "v",  "g",  "d",  "|",  "`",  "z",  "j",  "k",  "l",  "lj", "m",  "n",  "nj", "p",
    "r",  "s",  "t",  "}",  "f",  "h",  "c",  "~",  "d`", "{",  "br", "dr", "gr", "kr", "pr",
    "tr", "vr", "st", "sp", "sk", "zd", "pl", "kl", "gl", "sl", "sv", "zv", "{t", "`d", "sm",
    "kv", "dv", "tv", "ml", "hr", "~l", "{k", "zn", "sn", "",   "",   "",   "",
};
const char* const kVowels[] = {"a", "e", "i", "o", "u", "a", "e", "i", "o", "a", "e", "r"};
const char* const kCodas[] = {"",   "",   "",   "n",  "r",  "k",  "t",  "s",  "v",  "l",
                              "j",  "m",  "d",  "~",  "}",  "{",  "`",  "c",  "st", "nj",
                              "lj", "ng", "nt", "rn", "vn", "sk", "ln", "nk", "zn", "dn"};

// The endings of Serbian nouns (three genders), adjectives and verbs.
const std::vector<std::vector<const char*>>& endingClasses() {
    static const std::vector<std::vector<const char*>> classes = {
        {"", "a", "u", "om", "e", "i", "ima", "ove", "ovi", "ovima", "ova"},
        {"a", "e", "i", "u", "om", "o", "ama", ""},
        {"o", "a", "u", "om", "ima", "e"},
        {"i", "a", "o", "og", "oga", "om", "ome", "oj", "ih", "im", "ima", "e", "u", "ijeg", "iji",
         "ija"},
        {"ti", "m",   "{",   "mo",   "te",  "ju",    "o", "la", "lo", "li",
         "le", "v{i", "nje", "njem", "nja", "njima", "n", "na", "no", "nog"},
    };
    return classes;
}

const char* const kMonths[] = {"januara",   "februara", "marta",    "aprila",
                               "maja",      "juna",     "jula",     "avgusta",
                               "septembra", "oktobra",  "novembra", "decembra"};

template <typename T>
void shuffle(std::vector<T>& items, Random& random) {
    for (size_t i = items.size(); i > 1; --i) {
        std::swap(items[i - 1], items[static_cast<size_t>(random.below(static_cast<int>(i)))]);
    }
}

template <size_t N>
const char* pickFrom(const char* const (&items)[N], Random& random) {
    return items[random.below(static_cast<int>(N))];
}

std::string twoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

// 1.250.000,00 and the like.
std::string amount(Random& random) {
    long long units = static_cast<long long>(std::pow(10.0, random.between(1, 8) * random.unit()));
    units += random.below(1000);
    std::string digits = std::to_string(units);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            grouped += '.';
        }
        grouped += digits[i];
    }
    if (random.chance(0.5)) {
        grouped += "," + twoDigits(random.below(100));
    }
    return grouped;
}

}  // namespace

std::string upperText(std::string_view s) {
    return yuscii::yupperW(s);
}

Vocabulary::Vocabulary(std::uint64_t seed, int synthesisedStems) {
    std::unordered_set<std::string> seen;
    auto add = [&](std::string word) {
        if (!word.empty() && seen.insert(word).second) {
            words_.push_back(std::move(word));
        }
    };
    for (const char* w : kFunctionWords) {
        add(y(w));
    }
    functionWords_ = words_.size();

    // The common forms in a fixed shuffle, so that related forms are not
    // neighbours in rank.
    std::vector<std::string> common;
    for (const char* stem : kStems) {
        for (const char* ending : kCommonEndings) {
            common.push_back(y(stem) + ending);
        }
    }
    Random mix(seed ^ 7);
    shuffle(common, mix);
    for (std::string& w : common) {
        add(std::move(w));
    }

    Random random(seed ^ 0x5EED);
    std::vector<std::string> synthesised;
    const auto& classes = endingClasses();
    for (int s = 0; s < synthesisedStems; ++s) {
        std::string stem;
        const int syllables = random.between(1, 3);
        for (int k = 0; k < syllables; ++k) {
            stem += pickFrom(kOnsets, random);
            stem += pickFrom(kVowels, random);
        }
        stem += pickFrom(kCodas, random);
        if (stem.size() < 3) {
            continue;
        }
        const auto& endings =
            classes[static_cast<size_t>(random.below(static_cast<int>(classes.size())))];
        for (const char* ending : endings) {
            synthesised.push_back(stem + ending);
        }
    }
    shuffle(synthesised, random);
    for (std::string& w : synthesised) {
        add(std::move(w));
    }
}

Text::Text(const Vocabulary& vocabulary, Random& random)
    : vocabulary_(vocabulary), random_(random) {}

size_t Text::zipf(size_t first, size_t count) {
    // P(rank k) = ln((k + 2) / (k + 1)) / ln(count + 1): about 1 / k.
    const double r = std::exp(random_.unit() * std::log(static_cast<double>(count) + 1.0)) - 1.0;
    return first + std::min(count - 1, static_cast<size_t>(r));
}

const std::string& Text::word() {
    return vocabulary_[zipf(0, vocabulary_.size())];
}

const std::string& Text::contentWord() {
    const size_t first = vocabulary_.functionWords();
    return vocabulary_[zipf(first, vocabulary_.size() - first)];
}

std::string Text::legalToken() {
    Random& r = random_;
    switch (r.below(9)) {
        case 0:
            return "~lana " + std::to_string(r.between(1, 180)) + ".";
        case 1:
            return "~lan " + std::to_string(r.between(1, 180)) + ". stav " +
                   std::to_string(r.between(1, 6)) + ".";
        case 2:
            return "ta~ka " + std::to_string(r.between(1, 12)) + ")";
        case 3:
            return std::to_string(r.between(1, 28)) + ". " + kMonths[r.below(12)] + " " +
                   std::to_string(r.between(1991, 2024)) + ". godine";
        case 4:
            return twoDigits(r.between(1, 28)) + "." + twoDigits(r.between(1, 12)) + "." +
                   std::to_string(r.between(1991, 2024)) + ".";
        case 5: {
            std::string cite = "(\"Slu`beni glasnik RS\", br. ";
            for (int k = r.between(1, 4); k > 0; --k) {
                cite += std::to_string(r.between(1, 120)) + "/" +
                        std::to_string(r.between(1991, 2024)) + (k > 1 ? ", " : ")");
            }
            return cite;
        }
        case 6:
            return amount(r) + (r.chance(0.7) ? " dinara" : " evra");
        case 7:
            return std::to_string(r.between(1, 99)) + "%";
        default:
            return "br. " + std::to_string(r.between(1, 999)) + "-" + twoDigits(r.below(100)) +
                   "-" + std::to_string(r.between(1, 9999)) + "/" +
                   std::to_string(r.between(1991, 2024));
    }
}

std::string Text::sentence() {
    const int n = random_.between(6, 20);
    std::string s;
    for (int i = 0; i < n; ++i) {
        if (i > 0) {
            s += (i > 3 && random_.chance(0.07)) ? ", " : " ";
        }
        const int kind = random_.below(100);
        if (i > 1 && kind < 4) {
            s += legalToken();
        } else if (i > 1 && kind < 6) {
            s += "(" + contentWord() + " " + contentWord() + ")";
        } else if (i > 1 && kind < 7) {
            s += "\"" + contentWord() + "\"";
        } else {
            s += word();
        }
    }
    s[0] = yuscii::yusciiupper(s[0]);
    const int end = random_.below(20);
    return s + (end == 0 ? ":" : end == 1 ? ";" : ".");
}

std::string Text::paragraph() {
    std::string p;
    const int n = random_.between(1, 4);
    for (int i = 0; i < n; ++i) {
        p += (i > 0 ? " " : "") + sentence();
    }
    return p;
}

std::string Text::phrase(int lo, int hi) {
    std::string s;
    const int n = random_.between(lo, hi);
    for (int i = 0; i < n; ++i) {
        s += (i > 0 ? " " : "") + contentWord();
    }
    return s;
}

std::string Text::listItem(int number) {
    return std::to_string(number) + ") " + phrase(3, 8) + ";";
}

}  // namespace demo
