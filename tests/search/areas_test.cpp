#include <gtest/gtest.h>

#include "search/areas.h"
#include "search_db.h"
#include "support.h"

namespace {

using search::Row;
using search::Rows;
using searchtest::captions;
using searchtest::RecordingMonitor;
using searchtest::Reg;
using Titles = std::vector<std::string>;

// Areas: 1 root, 2 Porezi, 3 Rad, 4 Arhivirano (only a superseded
// regulation); types 0 Sve, 1 Zakone, 2 Uredbe.
class AreaFill : public ::testing::Test {
  protected:
    void SetUp() override {
        db.gazette(1, "Sl. glasnik RS");
        db.regulation(Reg{.id = 1, .issue = "12", .title = "Zakon o radu", .area = 3, .type = 1});
        db.regulation(Reg{
            .id = 2, .title = "Zakon o porezu na dobit", .notesLength = 250, .area = 2, .type = 1});
        db.regulation(Reg{.id = 3, .year = "1999", .title = "Zakon o radu", .area = 4, .type = 1});
        db.regulation(Reg{.id = 4, .title = "Uredba o PDV", .area = 2, .type = 2});
        db.regulation(Reg{.id = 5, .title = "Uredba o radnom vremenu", .area = 3, .type = 2});
        db.archive(1, 3, 0);
        db.archive(3, 0, 1);
    }

    search::AreaFill fill(int node, int type, const char* typeText) {
        RecordingMonitor monitor;
        return search::ubacipooblastima(db.data(), node, type, typeText, monitor);
    }

    searchtest::SearchDb db;
};

TEST_F(AreaFill, AreaAndTypeCases) {
    const struct {
        int node;
        int type;
        const char* typeText;
        Titles listed;
    } cases[] = {
        {0,
         0,
         "Sve",
         {"Zakon o radu", "Zakon o porezu na dobit", "Uredba o PDV", "Uredba o radnom vremenu"}},
        {1, 0, "Sve", {"Zakon o porezu na dobit", "Uredba o PDV"}},
        {2, 0, "Sve", {"Zakon o radu", "Uredba o radnom vremenu"}},
        {2, 1, "Zakone", {"Zakon o radu"}},
        {0, 2, "Uredbe", {"Uredba o PDV", "Uredba o radnom vremenu"}},
        {1, 2, "Uredbe", {"Uredba o PDV"}},
        {3, 0, "Sve", {}},  // the superseded regulation is never listed
    };
    for (const auto& c : cases) {
        const search::AreaFill f = fill(c.node, c.type, c.typeText);
        EXPECT_EQ(captions(f.rows), c.listed) << c.node << " " << c.typeText;
        EXPECT_FALSE(f.noneSelected);
        EXPECT_FALSE(f.stopped);
    }
}

TEST_F(AreaFill, RowsIconsAndProgress) {
    RecordingMonitor monitor;
    const search::AreaFill f = search::ubacipooblastima(db.data(), 0, 0, "Sve", monitor);
    ASSERT_EQ(f.rows.size(), 4u);
    EXPECT_EQ(f.rows[0], (Row{"Zakon o radu", {"12/2005"}, 0}));
    EXPECT_EQ(f.rows[1], (Row{"Zakon o porezu na dobit", {"1/2005"}, 2}));
    // One step per selected regulation, the superseded one included.
    EXPECT_EQ(monitor.range, 5);
    EXPECT_EQ(monitor.steps, 5);
    EXPECT_EQ(monitor.events, "RTPSTPSTPSTPSTPS");
}

TEST_F(AreaFill, NoRegulationAtAllIsReported) {
    const search::AreaFill f = fill(5, 0, "Sve");
    EXPECT_TRUE(f.noneSelected);
    EXPECT_TRUE(f.rows.empty());
    EXPECT_TRUE(fill(3, 2, "Uredbe").noneSelected);
}

TEST_F(AreaFill, EscapeKeepsTheRowsSoFar) {
    RecordingMonitor monitor;
    monitor.stopAt = 3;
    const search::AreaFill f = search::ubacipooblastima(db.data(), 0, 0, "Sve", monitor);
    EXPECT_TRUE(f.stopped);
    EXPECT_EQ(captions(f.rows), (Titles{"Zakon o radu", "Zakon o porezu na dobit"}));
}

TEST_F(AreaFill, ZakoniGetsItsLinkBack) {
    database::MainData& data = db.data();
    fill(1, 0, "Sve");
    EXPECT_EQ(data.Zakoni.masterFields(), "ID_BROJA");
    EXPECT_FALSE(data.Zakoni.filtered());
}

TEST_F(AreaFill, PhraseSearchFiltersTheSavedCopy) {
    const Rows saved = fill(0, 0, "Sve").rows;
    EXPECT_EQ(captions(search::phraseSearch(saved, "ZAKON O RADU")), (Titles{"Zakon o radu"}));
    // A second, shorter phrase brings rows back.
    EXPECT_EQ(captions(search::phraseSearch(saved, "ZAKON")),
              (Titles{"Zakon o radu", "Zakon o porezu na dobit"}));
    // The phrase is whole, spaces included.
    EXPECT_EQ(captions(search::phraseSearch(saved, "RADU ZAKON")), Titles{});
    EXPECT_EQ(captions(search::phraseSearch(saved, "o rad")),
              (Titles{"Zakon o radu", "Uredba o radnom vremenu"}));
    EXPECT_EQ(search::phraseSearch(saved, ""), saved);
}

TEST(AreaFilter, Templates) {
    EXPECT_EQ(search::areaFilter(0, 0, "Sve"), "");
    EXPECT_EQ(search::areaFilter(0, 2, "Uredbe"), "ID_TIPA_ZAKONA='2'");
    EXPECT_EQ(search::areaFilter(1, 0, "Sve"), "ID_KATEGORIJE_ZAKONA=2");
    EXPECT_EQ(search::areaFilter(2, 1, "Zakone"), "ID_KATEGORIJE_ZAKONA=3 AND ID_TIPA_ZAKONA='1'");
}

}  // namespace
