#include "demo/sources.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "demo/rtf_writer.h"
#include "demo/yuscii_convert.h"

namespace demo {

namespace fs = std::filesystem;

SourceErrors::SourceErrors(std::vector<std::string> problems)
    : std::runtime_error(problems.empty() ? std::string("no problems") : problems.front()),
      problems_(std::move(problems)) {}

namespace {

struct Line {
    int number;
    std::string text;  // UTF-8, without line ending
};

std::vector<Line> readLines(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    std::string all = buffer.str();
    if (all.starts_with("\xEF\xBB\xBF")) {
        all.erase(0, 3);
    }
    std::vector<Line> lines;
    size_t start = 0;
    int number = 1;
    while (start < all.size()) {
        size_t end = all.find('\n', start);
        if (end == std::string::npos) {
            end = all.size();
        }
        std::string text = all.substr(start, end - start);
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
        }
        lines.push_back({number++, std::move(text)});
        start = end + 1;
    }
    return lines;
}

std::string trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) {
        s.remove_suffix(1);
    }
    return std::string(s);
}

std::vector<std::string> split(std::string_view s, char sep) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        const size_t end = s.find(sep, start);
        parts.push_back(std::string(s.substr(start, end - start)));
        if (end == std::string_view::npos) {
            return parts;
        }
        start = end + 1;
    }
}

bool parseNumber(std::string_view s, long long& value) {
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() && ptr == s.data() + s.size() && !s.empty();
}

bool validDate(const Date& d) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (d.year < 1800 || d.year > 2200 || d.month < 1 || d.month > 12 || d.day < 1) {
        return false;
    }
    const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
    return d.day <= kDays[d.month - 1] + (d.month == 2 && leap ? 1 : 0);
}

// Where a value came from, for messages.
struct Origin {
    std::string file;
    std::map<std::string, int> keys;  // header key -> line
    int line(const std::string& key) const {
        auto it = keys.find(key);
        return it == keys.end() ? 1 : it->second;
    }
};

class Loader {
  public:
    explicit Loader(fs::path dir) : dir_(std::move(dir)) {}

    DemoData run();

  private:
    void error(const std::string& file, int line, const std::string& problem) {
        problems_.push_back(where(file, line) + problem);
    }
    std::string rel(const fs::path& p) const { return p.lexically_relative(dir_).generic_string(); }
    // YUSCII of a value; an error is recorded and "" returned.
    std::string yuscii(std::string_view utf8, const std::string& file, int line) {
        try {
            return utf8ToYuscii(utf8, file, line);
        } catch (const SourceError& e) {
            problems_.push_back(e.what());
            return {};
        }
    }
    long long number(const std::string& text, const std::string& file, int line,
                     const std::string& what) {
        long long v = 0;
        if (!parseNumber(text, v)) {
            error(file, line, what + " is not a number: '" + text + "'");
        }
        return v;
    }
    Date date(const std::string& text, const std::string& file, int line) {
        const auto parts = split(text, '.');
        Date d;
        long long v[3] = {0, 0, 0};
        bool ok = parts.size() == 3 && parts[0].size() == 2 && parts[1].size() == 2 &&
                  parts[2].size() == 4;
        for (size_t k = 0; ok && k < 3; ++k) {
            ok = parseNumber(parts[k], v[k]);
        }
        d = {static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2])};
        if (!ok || !validDate(d)) {
            error(file, line, "not a date dd.mm.yyyy: '" + text + "'");
        }
        return d;
    }

    std::vector<std::vector<std::string>> table(const std::string& name,
                                                const std::vector<std::string>& columns,
                                                std::vector<int>& lineNumbers);
    std::vector<NamedRow> namedTable(const std::string& name,
                                     const std::vector<std::string>& columns,
                                     std::vector<int>& lines);

    // Header ("Key: value" lines up to the first empty line) and body.
    struct Document {
        std::string file;
        std::map<std::string, std::string> values;
        Origin origin;
        std::vector<SourceLine> body;
    };
    Document document(const fs::path& path, const std::set<std::string>& required,
                      const std::set<std::string>& optional);
    std::vector<fs::path> documents(const std::string& folder) const;

    void regulations(DemoData& data);
    void opinions(DemoData& data);
    void contracts(DemoData& data);
    void checkArchive(const DemoData& data, const std::vector<int>& lines);
    std::string body(const Document& doc, Script script) {
        try {
            return markupToRtf(doc.body, script, doc.file);
        } catch (const SourceError& e) {
            problems_.push_back(e.what());
            return {};
        }
    }

    fs::path dir_;
    std::vector<std::string> problems_;
};

std::vector<std::vector<std::string>> Loader::table(const std::string& name,
                                                    const std::vector<std::string>& columns,
                                                    std::vector<int>& lineNumbers) {
    std::vector<std::vector<std::string>> rows;
    const fs::path path = dir_ / name;
    if (!fs::exists(path)) {
        return rows;
    }
    const auto lines = readLines(path);
    bool headerSeen = false;
    for (const Line& line : lines) {
        if (trim(line.text).empty()) {
            continue;
        }
        auto cells = split(line.text, '\t');
        if (!headerSeen) {
            headerSeen = true;
            if (cells != columns) {
                std::string expected;
                for (const auto& c : columns) {
                    expected += (expected.empty() ? "" : ", ") + c;
                }
                error(name, line.number, "the header must be the columns " + expected);
                return rows;
            }
            continue;
        }
        if (cells.size() != columns.size()) {
            error(name, line.number,
                  "expected " + std::to_string(columns.size()) + " tab-separated columns, found " +
                      std::to_string(cells.size()));
            continue;
        }
        for (auto& c : cells) {
            c = trim(c);
        }
        rows.push_back(std::move(cells));
        lineNumbers.push_back(line.number);
    }
    return rows;
}

std::vector<NamedRow> Loader::namedTable(const std::string& name,
                                         const std::vector<std::string>& columns,
                                         std::vector<int>& lines) {
    std::vector<NamedRow> out;
    const auto rows = table(name, columns, lines);
    for (size_t i = 0; i < rows.size(); ++i) {
        NamedRow row;
        row.id = number(rows[i][0], name, lines[i], columns[0]);
        row.name = yuscii(rows[i][1], name, lines[i]);
        if (rows[i][1].empty()) {
            error(name, lines[i], "empty name");
        }
        out.push_back(std::move(row));
    }
    return out;
}

Loader::Document Loader::document(const fs::path& path, const std::set<std::string>& required,
                                  const std::set<std::string>& optional) {
    Document doc;
    doc.file = rel(path);
    doc.origin.file = doc.file;
    const auto lines = readLines(path);
    size_t i = 0;
    for (; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (trim(line.text).empty()) {
            ++i;
            break;
        }
        const size_t colon = line.text.find(':');
        if (colon == std::string::npos) {
            error(doc.file, line.number, "expected 'Key: value' in the header");
            continue;
        }
        const std::string key = trim(line.text.substr(0, colon));
        if (!required.contains(key) && !optional.contains(key)) {
            error(doc.file, line.number, "unknown header key '" + key + "'");
            continue;
        }
        if (doc.values.contains(key)) {
            error(doc.file, line.number, "header key '" + key + "' given twice");
            continue;
        }
        doc.values[key] = trim(line.text.substr(colon + 1));
        doc.origin.keys[key] = line.number;
    }
    for (const std::string& key : required) {
        if (!doc.values.contains(key)) {
            error(doc.file, 1, "missing header key '" + key + "'");
            doc.values[key] = "";
        }
    }
    for (; i < lines.size(); ++i) {
        if (trim(lines[i].text).empty()) {
            continue;
        }
        doc.body.push_back({lines[i].number, yuscii(lines[i].text, doc.file, lines[i].number)});
    }
    return doc;
}

std::vector<fs::path> Loader::documents(const std::string& folder) const {
    std::vector<fs::path> files;
    const fs::path path = dir_ / folder;
    if (!fs::is_directory(path)) {
        return files;
    }
    for (const auto& entry : fs::directory_iterator(path)) {
        if (entry.is_regular_file() && entry.path().extension() == ".txt") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool pictureFormat(const std::string& bytes) {
    return bytes.starts_with("\x89PNG\r\n\x1a\n") || bytes.starts_with("\xFF\xD8\xFF") ||
           bytes.starts_with("BM");
}

void Loader::regulations(DemoData& data) {
    std::set<long long> gazettes;
    for (const auto& g : data.gazettes) {
        gazettes.insert(g.id);
    }
    const long long areas = static_cast<long long>(data.areas.size());
    const long long types = static_cast<long long>(data.types.size());
    std::map<long long, std::string> ids;
    std::map<std::pair<std::string, std::string>, std::string> titles;
    for (const fs::path& path : documents("propisi")) {
        Document doc =
            document(path, {"ID", "Glasilo", "Godina", "Broj", "Oblast", "Tip", "Naslov"},
                     {"Napomena", "NapomenaDuzina", "Datumi", "Slike"});
        const std::string& f = doc.file;
        const Origin& o = doc.origin;
        auto& v = doc.values;
        Regulation r;
        r.id = number(v["ID"], f, o.line("ID"), "ID");
        if (r.id <= 0) {
            error(f, o.line("ID"), "ID must be positive");
        } else if (ids.contains(r.id)) {
            error(f, o.line("ID"), "ID " + std::to_string(r.id) + " is also used by " + ids[r.id]);
        }
        ids[r.id] = f;
        r.gazette = number(v["Glasilo"], f, o.line("Glasilo"), "Glasilo");
        if (!gazettes.contains(r.gazette)) {
            error(f, o.line("Glasilo"), "no gazette " + v["Glasilo"] + " in glasnici.tsv");
        }
        r.year = v["Godina"];
        long long year = 0;
        if (r.year.size() != 4 || !parseNumber(r.year, year)) {
            error(f, o.line("Godina"), "Godina must be a four-digit year");
        }
        r.issue = yuscii(v["Broj"], f, o.line("Broj"));
        if (r.issue.empty() || r.issue.find('/') != std::string::npos || r.issue.size() > 10) {
            error(f, o.line("Broj"), "Broj must be an issue such as 12 or 12a");
        }
        r.area = number(v["Oblast"], f, o.line("Oblast"), "Oblast");
        if (r.area < 2 || r.area > areas) {
            error(f, o.line("Oblast"),
                  "Oblast must be an area of oblasti.tsv from 2 to " + std::to_string(areas));
        }
        r.type = number(v["Tip"], f, o.line("Tip"), "Tip");
        if (r.type < 1 || r.type >= types) {
            error(f, o.line("Tip"),
                  "Tip must be a type of tipovi.tsv from 1 to " + std::to_string(types - 1));
        }
        r.title = latinText(yuscii(v["Naslov"], f, o.line("Naslov")));
        if (r.title.empty() || r.title.size() > 255) {
            error(f, o.line("Naslov"), "Naslov must have 1 to 255 characters");
        }
        const auto key = std::make_pair(r.title, r.bg());
        if (titles.contains(key)) {
            error(f, o.line("Naslov"), "the same title and issue as " + titles[key]);
        }
        titles[key] = f;
        if (v.contains("Napomena")) {
            size_t exact = 0;
            if (v.contains("NapomenaDuzina")) {
                long long n =
                    number(v["NapomenaDuzina"], f, o.line("NapomenaDuzina"), "NapomenaDuzina");
                exact = n > 0 ? static_cast<size_t>(n) : 0;
            }
            try {
                r.note =
                    noteToRtf({o.line("Napomena"), yuscii(v["Napomena"], f, o.line("Napomena"))},
                              Script::Latin, f, exact);
            } catch (const SourceError& e) {
                problems_.push_back(e.what());
            }
        } else if (v.contains("NapomenaDuzina")) {
            error(f, o.line("NapomenaDuzina"), "NapomenaDuzina without Napomena");
        }
        if (v.contains("Datumi")) {
            for (const std::string& d : split(v["Datumi"], ',')) {
                r.dates.push_back(date(trim(d), f, o.line("Datumi")));
            }
        }
        if (v.contains("Slike")) {
            std::set<int> slots;
            for (const std::string& item : split(v["Slike"], ',')) {
                const int line = o.line("Slike");
                const std::string entry = trim(item);
                const size_t eq = entry.find('=');
                long long slot = 0;
                if (eq == std::string::npos || entry[0] != 'S' ||
                    !parseNumber(entry.substr(1, eq - 1), slot) || slot < 1 || slot > 33) {
                    error(f, line, "expected S1..S33=path, found '" + entry + "'");
                    continue;
                }
                if (!slots.insert(static_cast<int>(slot)).second) {
                    error(f, line, "slot S" + std::to_string(slot) + " given twice");
                    continue;
                }
                const fs::path rel = fs::path(entry.substr(eq + 1)).lexically_normal();
                if (rel.empty() || rel.is_absolute() || *rel.begin() == "..") {
                    error(f, line, "the picture path must lie inside the source folder");
                    continue;
                }
                std::ifstream in(dir_ / rel, std::ios::binary);
                std::stringstream bytes;
                bytes << in.rdbuf();
                Picture p{static_cast<int>(slot), bytes.str()};
                if (!in) {
                    error(f, line, "cannot read " + rel.generic_string());
                } else if (!pictureFormat(p.bytes)) {
                    error(f, line, rel.generic_string() + " is not a PNG, JPEG or BMP picture");
                } else {
                    r.pictures.push_back(std::move(p));
                }
            }
        }
        r.latin = body(doc, Script::Latin);
        r.cyrillic = body(doc, Script::Cyrillic);
        data.regulations.push_back(std::move(r));
    }
}

void Loader::opinions(DemoData& data) {
    std::set<long long> ministries;
    for (const auto& m : data.ministries) {
        ministries.insert(m.id);
    }
    std::set<long long> regulations;
    for (const auto& r : data.regulations) {
        regulations.insert(r.id);
    }
    std::map<long long, std::string> numbers;
    for (const fs::path& path : documents("misljenja")) {
        Document doc = document(path, {"Broj", "Ministarstvo", "Datum", "Naslov"}, {"Propisi"});
        const std::string& f = doc.file;
        const Origin& o = doc.origin;
        auto& v = doc.values;
        Opinion op;
        op.number = number(v["Broj"], f, o.line("Broj"), "Broj");
        if (op.number <= 0) {
            error(f, o.line("Broj"), "Broj must be positive");
        } else if (numbers.contains(op.number)) {
            error(f, o.line("Broj"),
                  "Broj " + v["Broj"] + " is also used by " + numbers[op.number]);
        }
        numbers[op.number] = f;
        op.ministry = number(v["Ministarstvo"], f, o.line("Ministarstvo"), "Ministarstvo");
        if (!ministries.contains(op.ministry)) {
            error(f, o.line("Ministarstvo"),
                  "no ministry " + v["Ministarstvo"] + " in ministarstva.tsv");
        }
        op.date = date(v["Datum"], f, o.line("Datum"));
        op.title = latinText(yuscii(v["Naslov"], f, o.line("Naslov")));
        if (op.title.empty() || op.title.size() > 240) {
            error(f, o.line("Naslov"), "Naslov must have 1 to 240 characters");
        }
        if (v.contains("Propisi")) {
            for (const std::string& item : split(v["Propisi"], ',')) {
                const long long id = number(trim(item), f, o.line("Propisi"), "Propisi");
                if (!regulations.contains(id)) {
                    error(f, o.line("Propisi"), "no regulation with ID " + trim(item));
                } else if (std::find(op.regulations.begin(), op.regulations.end(), id) !=
                           op.regulations.end()) {
                    error(f, o.line("Propisi"), "regulation " + trim(item) + " listed twice");
                } else {
                    op.regulations.push_back(id);
                }
            }
        }
        op.latin = body(doc, Script::Latin);
        op.cyrillic = body(doc, Script::Cyrillic);
        data.opinions.push_back(std::move(op));
    }
    std::sort(data.opinions.begin(), data.opinions.end(),
              [](const Opinion& a, const Opinion& b) { return a.number < b.number; });
}

void Loader::contracts(DemoData& data) {
    std::map<std::string, std::string> names;
    for (const fs::path& path : documents("ugovori")) {
        Document doc = document(path, {"Naziv"}, {"Strane", "Napomena"});
        const std::string& f = doc.file;
        const Origin& o = doc.origin;
        auto& v = doc.values;
        Contract c;
        c.name = latinText(yuscii(v["Naziv"], f, o.line("Naziv")));
        if (c.name.empty() || c.name.size() > 240) {
            error(f, o.line("Naziv"), "Naziv must have 1 to 240 characters");
        } else if (names.contains(c.name)) {
            error(f, o.line("Naziv"), "the same Naziv as " + names[c.name]);
        }
        names[c.name] = f;
        if (v.contains("Strane")) {
            const long long parties = number(v["Strane"], f, o.line("Strane"), "Strane");
            if (parties != 2 && parties != 3) {
                error(f, o.line("Strane"), "Strane must be 2 or 3");
            }
            c.parties = static_cast<int>(parties);
        }
        if (v.contains("Napomena")) {
            try {
                c.note =
                    noteToRtf({o.line("Napomena"), yuscii(v["Napomena"], f, o.line("Napomena"))},
                              Script::Latin, f);
            } catch (const SourceError& e) {
                problems_.push_back(e.what());
            }
        }
        c.text = body(doc, Script::Latin);
        data.contracts.push_back(std::move(c));
    }
}

void Loader::checkArchive(const DemoData& data, const std::vector<int>& lines) {
    const std::string file = "arhiva.tsv";
    std::set<long long> regulations;
    for (const auto& r : data.regulations) {
        regulations.insert(r.id);
    }
    std::map<long long, const ArchiveRow*> rows;
    for (size_t i = 0; i < data.archive.size(); ++i) {
        const ArchiveRow& a = data.archive[i];
        if (!regulations.contains(a.number)) {
            error(file, lines[i], "BROJ_ZAKONA " + std::to_string(a.number) + " is no regulation");
        }
        if (!rows.emplace(a.number, &a).second) {
            error(file, lines[i], "BROJ_ZAKONA " + std::to_string(a.number) + " given twice");
        }
    }
    for (size_t i = 0; i < data.archive.size(); ++i) {
        const ArchiveRow& a = data.archive[i];
        auto check = [&](long long other, bool isNext) {
            const char* column = isNext ? "NASLEDJUJE_GA" : "PRETHODI_MU";
            if (other == 0) {
                return;
            }
            if (other == a.number) {
                error(file, lines[i], std::string(column) + " names the row itself");
                return;
            }
            auto it = rows.find(other);
            if (it == rows.end()) {
                error(file, lines[i],
                      std::string(column) + " " + std::to_string(other) + " has no archive row");
                return;
            }
            const long long back = isNext ? it->second->previous : it->second->next;
            if (back != a.number) {
                error(file, lines[i],
                      std::string(column) + " " + std::to_string(other) +
                          " does not point back (its " +
                          (isNext ? "PRETHODI_MU" : "NASLEDJUJE_GA") + " is " +
                          std::to_string(back) + ")");
            }
        };
        check(a.previous, false);
        check(a.next, true);
        // A chain must end: follow the next versions.
        std::set<long long> seen{a.number};
        for (long long n = a.next; n != 0;) {
            if (!seen.insert(n).second) {
                error(file, lines[i],
                      "the version chain of " + std::to_string(a.number) + " runs in a circle");
                break;
            }
            auto it = rows.find(n);
            n = it == rows.end() ? 0 : it->second->next;
        }
    }
}

DemoData Loader::run() {
    DemoData data;
    std::vector<int> lines;
    data.gazettes = namedTable("glasnici.tsv", {"ID_GLASNIKA", "Naziv_glasnika"}, lines);
    for (size_t i = 0; i < data.gazettes.size(); ++i) {
        if (data.gazettes[i].id != static_cast<long long>(i) + 1) {
            error("glasnici.tsv", lines[i], "gazettes must be numbered 1, 2, 3 ... in order");
        }
    }
    lines.clear();
    data.areas = namedTable("oblasti.tsv", {"ID", "Naziv"}, lines);
    for (size_t i = 0; i < data.areas.size(); ++i) {
        if (data.areas[i].id != static_cast<long long>(i) + 1) {
            error("oblasti.tsv", lines[i], "areas must be numbered 1, 2, 3 ... in order");
        }
    }
    lines.clear();
    data.types = namedTable("tipovi.tsv", {"ID", "Naziv"}, lines);
    for (size_t i = 0; i < data.types.size(); ++i) {
        if (data.types[i].id != static_cast<long long>(i)) {
            error("tipovi.tsv", lines[i], "types must be numbered 0, 1, 2 ... in order");
        }
    }
    if (!data.types.empty() && data.types[0].name != "Sve") {
        error("tipovi.tsv", lines[0], "the first type must be \"Sve\"");
    }
    lines.clear();
    data.ministries = namedTable("ministarstva.tsv", {"MINISTARSTVO", "IME_MINISTARSTVA"}, lines);
    std::set<long long> ministries;
    for (size_t i = 0; i < data.ministries.size(); ++i) {
        if (!ministries.insert(data.ministries[i].id).second) {
            error("ministarstva.tsv", lines[i], "MINISTARSTVO given twice");
        }
    }
    regulations(data);
    std::sort(data.regulations.begin(), data.regulations.end(),
              [](const Regulation& a, const Regulation& b) { return a.id < b.id; });
    lines.clear();
    const auto archive =
        table("arhiva.tsv", {"BROJ_ZAKONA", "PRETHODI_MU", "NASLEDJUJE_GA"}, lines);
    for (size_t i = 0; i < archive.size(); ++i) {
        data.archive.push_back({number(archive[i][0], "arhiva.tsv", lines[i], "BROJ_ZAKONA"),
                                number(archive[i][1], "arhiva.tsv", lines[i], "PRETHODI_MU"),
                                number(archive[i][2], "arhiva.tsv", lines[i], "NASLEDJUJE_GA")});
    }
    checkArchive(data, lines);
    opinions(data);
    contracts(data);
    if (!problems_.empty()) {
        throw SourceErrors(problems_);
    }
    return data;
}

}  // namespace

DemoData loadSources(const std::filesystem::path& dir) {
    return Loader(dir).run();
}

std::map<long long, int> opinionPositions(const std::vector<Opinion>& opinions) {
    std::vector<const Opinion*> order;
    for (const Opinion& o : opinions) {
        order.push_back(&o);
    }
    std::sort(order.begin(), order.end(), [](const Opinion* a, const Opinion* b) {
        return a->ministry != b->ministry ? a->ministry < b->ministry : a->number < b->number;
    });
    std::map<long long, int> positions;
    for (size_t i = 0; i < order.size(); ++i) {
        positions[order[i]->number] = static_cast<int>(i);
    }
    return positions;
}

}  // namespace demo
