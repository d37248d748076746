#include "small_db.h"

#include "demo/db_writer.h"
#include "demo/rtf_writer.h"
#include "support/data_session.h"

namespace testsupport {

namespace {

demo::Regulation regulation(long long id, long long gazette, const char* year, const char* issue,
                            long long area, long long type, const char* title) {
    demo::Regulation r;
    r.id = id;
    r.gazette = gazette;
    r.year = year;
    r.issue = issue;
    r.area = area;
    r.type = type;
    r.title = title;
    r.latin = demo::markupToRtf({{1, title}}, demo::Script::Latin, "test");
    return r;
}

}  // namespace

SmallDatabase::SmallDatabase() {
    demo::DemoData d;
    d.gazettes = {{1, "Sl. glasnik RS"}, {2, "Sl. list SRJ"}};
    d.areas = {{1, "Svi propisi"}, {2, "Porezi"}, {3, "Rad"}};
    d.types = {{0, "Sve"}, {1, "Zakone"}, {2, "Uredbe"}};
    d.ministries = {{1, "Ministarstvo finansija"}, {2, "Ministarstvo privrede"}};
    d.regulations.push_back(regulation(1, 1, "2005", "12", 3, 1, "Zakon o radu"));
    d.regulations.back().dates = {{1, 2, 2005}, {3, 4, 2005}};
    d.regulations.back().pictures = {{2, "BM-picture-bytes"}};
    d.regulations.push_back(regulation(2, 1, "2005", "12a", 2, 1, "Zakon o 'porezu'"));
    d.regulations.push_back(regulation(3, 2, "1999", "5", 3, 1, "Zakon o radu"));
    d.regulations.push_back(regulation(4, 1, "2006", "3", 2, 2, "Uredba o ceni"));
    d.archive = {{1, 3, 0}, {3, 0, 1}};
    d.opinions.push_back({10, 2, {5, 3, 2006}, "Porez na dobit", "", "", {1}});
    d.opinions.push_back({11, 1, {10, 10, 2004}, "Zarade", "", "", {}});
    d.opinions.push_back({12, 1, {1, 2, 2005}, "Otpremnine", "", "", {}});
    d.contracts.push_back({"Ugovor o delu", "", "", 2});
    demo::writeDatabase(d, dir / "Podatci");

    openDataSession(session, dir.path());
}

SmallDatabase::~SmallDatabase() = default;

}  // namespace testsupport
