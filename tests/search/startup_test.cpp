#include <gtest/gtest.h>

#include "database/filters.h"
#include "search/startup.h"
#include "search_db.h"
#include "support.h"

namespace {

using search::Row;
using searchtest::RecordingMonitor;
using searchtest::Reg;

TEST(Startup, ArchiveListIcon) {
    const struct {
        long long previous, next;
        int icon;
    } cases[] = {{0, 5, 3}, {4, 5, 3}, {4, 0, 0}, {0, 0, -1}, {-1, 0, -1}, {3, -1, -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(search::archiveListIcon(c.previous, c.next), c.icon)
            << c.previous << " " << c.next;
    }
}

TEST(Startup, OnePassFillsChoicesAndBothLists) {
    searchtest::SearchDb db;
    db.type(0, "Sve");
    db.type(1, "Zakone");
    db.area(1, "Svi propisi");
    db.area(2, "Porezi");
    db.area(3, "Rad");
    db.ministry(1, "Ministarstvo finansija");
    db.ministry(2, "Ministarstvo rada");
    db.gazette(2, "Sl. list SRJ");
    db.gazette(1, "Sl. glasnik RS");
    db.regulation(Reg{.id = 1, .gazette = 1, .issue = "12", .title = "Zakon o radu"});
    db.regulation(Reg{.id = 2, .gazette = 2, .title = "Zakon o porezu", .notesLength = 201});
    db.regulation(Reg{.id = 3, .gazette = 2, .year = "1999", .title = "Zakon o radu"});
    db.regulation(Reg{.id = 4, .gazette = 1, .title = "Uredba o PDV"});
    db.regulation(Reg{.id = 5, .gazette = 1, .title = "Uredba o PDV", .bg = "2/2006"});
    db.archive(1, 3, 0);
    db.archive(3, 0, 1);
    db.archive(4, 0, 5);  // a next version and no previous one
    db.archive(5, 4, 0);
    db.archive(2, 0, 0);  // an archive row without links
    database::MainData& data = db.data();
    data.Glavna.setFilter(database::filters::brojeviByGazette(1));
    data.Glavna.setFiltered(true);
    data.misljenja.setMasterFields("MINISTARSTVO");

    EXPECT_EQ(search::startupProgressMax(data), 2 + 3 + 2 + 2 + 5);
    RecordingMonitor monitor;
    const search::StartupFill fill = search::poubacuj(data, monitor);

    EXPECT_EQ(fill.types, (std::vector<std::string>{"Sve", "Zakone"}));
    EXPECT_EQ(fill.areas, (std::vector<std::string>{"Svi propisi", "Porezi", "Rad"}));
    EXPECT_EQ(fill.ministries,
              (std::vector<std::string>{"Ministarstvo finansija", "Ministarstvo rada"}));
    EXPECT_EQ(fill.gazettes, (std::vector<std::string>{"Sl. glasnik RS", "Sl. list SRJ"}));
    EXPECT_EQ(fill.results, (search::Rows{
                                Row{"Zakon o radu", {"Sl. glasnik RS", "12/2005"}, 0},
                                Row{"Zakon o porezu", {"Sl. list SRJ", "1/2005"}, 2},
                                Row{"Zakon o radu", {"Sl. list SRJ", "1/1999"}, 3},
                                Row{"Uredba o PDV", {"Sl. glasnik RS", "1/2005"}, 3},
                                Row{"Uredba o PDV", {"Sl. glasnik RS", "2/2006"}, 0},
                            }));
    EXPECT_EQ(fill.archive, (search::Rows{
                                Row{"Zakon o radu", {"12/2005"}, 0},
                                Row{"Zakon o radu", {"1/1999"}, 3},
                                Row{"Uredba o PDV", {"1/2005"}, 3},
                                Row{"Uredba o PDV", {"2/2006"}, 0},
                            }));

    // Position 5, then a step per type, area below the root, ministry,
    // gazette (each after pending messages ran) and publication row.
    EXPECT_EQ(monitor.range, 14);
    EXPECT_EQ(monitor.steps, 5 + 2 + 2 + 2 + 2 + 5);
    EXPECT_EQ(monitor.pumps, 2);
    // The publication rows end unfiltered, the opinions unrestricted.
    EXPECT_FALSE(data.Glavna.filtered());
    EXPECT_EQ(data.misljenja.masterFields(), "");
}

}  // namespace
