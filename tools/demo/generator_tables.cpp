#include "demo/generator_tables.h"

#include <string>
#include <vector>

#include "demo/rtf_writer.h"
#include "demo/yuscii_convert.h"

namespace demo {
namespace {

constexpr int kBigTables = 12;
constexpr int kBigRows = 50;

std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

const char* const kItems[] = {
    "Voda za domaćinstva",
    "Voda za privredu",
    "Kanalizacija",
    "Grejanje stanova",
    "Grejanje poslovnog prostora",
    "Odvoz smeća",
    "Čišćenje ulica",
    "Održavanje zelenila",
    "Javna rasveta",
    "Parking – prva zona",
    "Parking – druga zona",
    "Pijačna tezga",
    "Zakup groblja",
    "Dimničarske usluge",
    "Zoohigijena",
    "Đački prevoz",
};

std::string y(const char* utf8) {
    return utf8ToYuscii(utf8, "generator_tables", 0);
}

std::string amount(std::uint64_t v) {
    const std::string whole = std::to_string(v / 100 % 100000);
    std::string grouped;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += '.';
        grouped += whole[i];
    }
    const int cents = static_cast<int>(v % 100);
    return grouped + "," + (cents < 10 ? "0" : "") + std::to_string(cents);
}

// One cell: its paragraph and its end.
std::string cell(const std::string& text, const char* align, Script script) {
    return std::string("\\pard\\intbl") + align + "\\plain\\fs18 " +
           rtfEscape(script == Script::Latin ? latinText(text) : cyrillicText(text)) + "\\cell\n";
}

std::string borders() {
    return "\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
           "\\clbrdrr\\brdrs\\brdrw10";
}

// A table of rates: a two-row header whose last cell spans the two amount
// columns, then rows of item, unit and the two amounts.
std::string rateTable(int number, int rows, std::uint64_t seed, Script script) {
    const int edges[] = {600, 4200, 5600, 7200, 8800};
    std::string out =
        "\\pard\\qc\\plain\\b\\fs20 " + y("Tabela ") + std::to_string(number) + "\\par\n";
    // Per cell of the two header rows: the first three span both rows, the
    // tariff spans the two amount columns.
    const char* const firstHeader[] = {"\\clvmgf", "\\clvmgf", "\\clvmgf", "\\clmgf", "\\clmrg"};
    const char* const secondHeader[] = {"\\clvmrg", "\\clvmrg", "\\clvmrg", "", ""};
    auto rowStart = [&](const char* const* merges) {
        out += "\\trowd\\trgaph70";
        if (merges != nullptr)
            out += "\\trhdr";
        for (int c = 0; c < 5; ++c) {
            if (merges != nullptr)
                out += std::string(merges[c]) + "\\clcbpat1";
            out += borders() + "\\cellx" + std::to_string(edges[c]);
        }
        out += "\n";
    };
    rowStart(firstHeader);
    out += cell(y("Red. br."), "\\qc", script) + cell(y("Usluga"), "\\qc", script) +
           cell(y("Jedinica"), "\\qc", script) + cell(y("Tarifa (din.)"), "\\qc", script) +
           cell("", "", script) + "\\row\n";
    rowStart(secondHeader);
    out += cell("", "", script) + cell("", "", script) + cell("", "", script) +
           cell(y("Domaćinstva"), "\\qc", script) + cell(y("Privreda"), "\\qc", script) + "\\row\n";
    for (int r = 1; r <= rows; ++r) {
        const std::uint64_t v = mix(seed + static_cast<std::uint64_t>(r) * 7919);
        rowStart(nullptr);
        out += cell(std::to_string(r) + ".", "\\qr", script) +
               cell(y(kItems[v % std::size(kItems)]), "", script) +
               cell(v % 3 == 0   ? y("m2")
                    : v % 3 == 1 ? y("m3")
                                 : y("mesečno"),
                    "\\qc", script) +
               cell(amount(v % 2000000), "\\qr", script) +
               cell(amount(v / 7 % 4000000), "\\qr", script) + "\\row\n";
    }
    return out;
}

std::string withTables(const std::string& rtf, int tables, int rows, std::uint64_t seed,
                       Script script) {
    std::string body;
    for (int t = 1; t <= tables; ++t)
        body += rateTable(t, rows, seed + static_cast<std::uint64_t>(t), script);
    body += "\\pard\\plain\\fs20\\par\n";
    // The colour of the header cells, then the tables before the last brace.
    std::string out = rtf;
    const std::size_t fonts = out.find("}}\n");
    if (fonts != std::string::npos)
        out.insert(fonts + 2, "{\\colortbl;\\red217\\green217\\blue217;}");
    const std::size_t end = out.rfind('}');
    out.insert(end == std::string::npos ? out.size() : end, body);
    return out;
}

}  // namespace

void addTables(Regulation& r, long long id, long long count, std::uint64_t seed) {
    const std::uint64_t v = mix(seed ^ static_cast<std::uint64_t>(id) * 0x9E3779B97F4A7C15ull);
    int tables = 0;
    int rows = 0;
    if (id == count || v % 1000 == 0) {
        tables = kBigTables;
        rows = kBigRows;
    } else if (v % 12 == 0) {
        tables = 1 + static_cast<int>(v / 12 % 2);
        rows = 3 + static_cast<int>(v / 24 % 8);
    }
    if (tables == 0)
        return;
    r.latin = withTables(r.latin, tables, rows, v, Script::Latin);
    r.cyrillic = withTables(r.cyrillic, tables, rows, v, Script::Cyrillic);
}

}  // namespace demo
