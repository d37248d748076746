#include "doc_db.h"

#include "demo/db_writer.h"
#include "demo/rtf_writer.h"
#include "support/data_session.h"

namespace testsupport {

// "naknad" occurs three times in text 1, in three cases; "{tednja" twice.
const std::vector<std::string> kLatinOne = {
    "ZAKON O RADU",
    "^lan 1.",
    "Zaposleni ima pravo na naknadu zarade i na {tednju.",
    "^lan 2.",
    "Poslodavac ispla}uje NAKNADU u roku od osam dana.",
    "^lanak ovog zakona nije ~lan 2. Visina Naknade se uskla|uje.",
    "^lan 10. Predmet",
    "[tednja se ne oporezuje.",
};
const std::vector<std::string> kCyrillicOne = {
    "ZAKON O RADU U ]IRILICI",
    "^lan 1.",
    "Zaposleni ima pravo na naknadu zarade.",
    "^lan 2.",
    "Poslodavac ispla}uje naknadu.",
    "^lan 10. Predmet",
    "Tekst na }irilici.",
};
const std::vector<std::string> kLatinTwo = {
    "ZAKON O POREZU", "^lan 3.", "Porez se pla}a godi{nje.", "^lan 3.", "Ponovljeni naslov ~lana.",
};
const std::vector<std::string> kLatinThree = {
    "ZAKON O RADU (STARI)",
    "Tekst bez ~lanova.",
};
const std::vector<std::string> kOpinionText = {
    "MI[QEWE",
    "Porez na dobit se ne pla}a na donacije.",
};

std::string joined(const std::vector<std::string>& paragraphs) {
    std::string out;
    for (const std::string& p : paragraphs) {
        if (!out.empty()) {
            out += '\n';
        }
        out += p;
    }
    return out;
}

namespace {

std::string rtf(const std::vector<std::string>& paragraphs, demo::Script script) {
    std::vector<demo::SourceLine> lines;
    for (const std::string& p : paragraphs) {
        lines.push_back({static_cast<int>(lines.size()) + 1, p});
    }
    return demo::markupToRtf(lines, script, "test");
}

demo::Regulation regulation(long long id, const char* year, const char* issue, const char* title,
                            const std::vector<std::string>& latin) {
    demo::Regulation r;
    r.id = id;
    r.gazette = 1;
    r.year = year;
    r.issue = issue;
    r.area = 2;
    r.type = 1;
    r.title = title;
    r.latin = rtf(latin, demo::Script::Latin);
    r.cyrillic = rtf(latin, demo::Script::Cyrillic);
    return r;
}

}  // namespace

DocDatabase::DocDatabase() {
    demo::DemoData d;
    d.gazettes = {{1, "Sl. glasnik RS"}, {2, "Sl. list SRJ"}};
    d.areas = {{1, "Svi propisi"}, {2, "Rad"}};
    d.types = {{0, "Sve"}, {1, "Zakone"}};
    d.ministries = {{1, "Ministarstvo finansija"}};

    d.regulations.push_back(regulation(1, "2005", "12", "Zakon o radu", kLatinOne));
    d.regulations.back().cyrillic = rtf(kCyrillicOne, demo::Script::Cyrillic);
    d.regulations.back().note =
        demo::noteToRtf({1, "Napomena uz zakon o radu."}, demo::Script::Latin, "test", 201);
    d.regulations.back().pictures = {{2, "BM-picture-bytes"}};
    d.regulations.push_back(regulation(2, "2005", "12a", "Zakon o 'porezu'", kLatinTwo));
    d.regulations.back().note =
        demo::noteToRtf({1, "Napomena uz zakon o porezu."}, demo::Script::Latin, "test", 200);
    d.regulations.push_back(regulation(3, "1999", "5", "Zakon o radu", kLatinThree));
    d.regulations.back().gazette = 2;
    d.archive = {{1, 3, 0}, {3, 0, 1}};
    d.opinions.push_back({10,
                          1,
                          {5, 3, 2006},
                          "Porez na dobit",
                          rtf(kOpinionText, demo::Script::Latin),
                          rtf(kOpinionText, demo::Script::Cyrillic),
                          {1}});
    demo::writeDatabase(d, dir / "Podatci");

    openDataSession(session, dir.path());
}

DocDatabase::~DocDatabase() = default;

}  // namespace testsupport
