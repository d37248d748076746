#include <gtest/gtest.h>

#include "database/filters.h"
#include "search/archive.h"
#include "search_db.h"
#include "support.h"

namespace {

using search::Row;
using search::Rows;

// Five versions of one law linked one after another (11 oldest, 15
// current), a regulation without an archive row (20) and one whose
// archive row links nothing (21).
class Archive : public ::testing::Test {
  protected:
    void SetUp() override {
        db.gazette(1, "Sl. glasnik RS");
        for (int v = 1; v <= 5; ++v) {
            db.regulation(searchtest::Reg{.id = 10 + v,
                                          .year = std::to_string(2000 + v),
                                          .issue = std::to_string(v),
                                          .title = "Zakon o PDV"});
        }
        db.archive(11, 0, 12);
        db.archive(12, 11, 13);
        db.archive(13, 12, 14);
        db.archive(14, 13, 15);
        db.archive(15, 14, 0);
        db.regulation(searchtest::Reg{.id = 20, .title = "Zakon o radu"});
        db.regulation(searchtest::Reg{.id = 21, .title = "Zakon o porezu"});
        db.archive(21, 0, 0);
    }

    std::vector<std::string> versions(const char* bg) {
        std::vector<std::string> bgs;
        for (const Row& r : search::zbudziarhivu(db.data(), "Zakon o PDV", bg)) {
            EXPECT_EQ(r.caption, "Zakon o PDV");
            bgs.push_back(r.sub.at(0));
        }
        return bgs;
    }

    searchtest::SearchDb db;
};

TEST_F(Archive, NeighbourhoodOfTwoStepsEachWay) {
    const struct {
        const char* selected;
        std::vector<std::string> listed;
    } cases[] = {
        {"5/2005", {"3/2003", "4/2004", "5/2005"}},
        {"3/2003", {"1/2001", "2/2002", "3/2003", "4/2004", "5/2005"}},
        {"1/2001", {"1/2001", "2/2002", "3/2003"}},
        {"2/2002", {"1/2001", "2/2002", "3/2003", "4/2004"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(versions(c.selected), c.listed) << c.selected;
    }
}

TEST_F(Archive, OnlyTheCurrentVersionHasThePlainIcon) {
    const Rows rows = search::zbudziarhivu(db.data(), "zakon o pdv", "3/2003");
    ASSERT_EQ(rows.size(), 5u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(rows[i].image, 3) << i;
    }
    EXPECT_EQ(rows[4], (Row{"Zakon o PDV", {"5/2005"}, 0}));
}

TEST_F(Archive, NothingToShow) {
    database::MainData& data = db.data();
    EXPECT_TRUE(search::zbudziarhivu(data, "Zakon o PDV", "9/2009").empty());
    EXPECT_TRUE(search::zbudziarhivu(data, "Zakon o radu", "1/2005").empty());
    EXPECT_TRUE(search::zbudziarhivu(data, "Zakon o porezu", "1/2005").empty());
}

TEST_F(Archive, ArhivaGetsItsSettingsBack) {
    database::MainData& data = db.data();
    data.arhiva.setFilter(database::filters::arhivaByNumber(13));
    data.arhiva.setFiltered(true);
    search::zbudziarhivu(data, "Zakon o PDV", "3/2003");
    EXPECT_EQ(data.arhiva.masterFields(), "ID_BROJA");
    EXPECT_EQ(data.arhiva.filter(), database::filters::arhivaByNumber(13));
    EXPECT_TRUE(data.arhiva.filtered());
}

TEST(ArchiveTitleSearch, FiltersTheSavedCopy) {
    const Rows saved = {Row{"Zakon o PDV", {"1/2001"}, 3}, Row{"Zakon o PDV", {"2/2002"}, 0},
                        Row{"Uredba o {tednji", {"4/2004"}, 3}};
    EXPECT_EQ(search::archiveTitleSearch(saved, ""), saved);
    EXPECT_EQ(search::archiveTitleSearch(saved, "pdv"), (Rows{saved[0], saved[1]}));
    EXPECT_EQ(search::archiveTitleSearch(saved, "[TED"), (Rows{saved[2]}));
    EXPECT_TRUE(search::archiveTitleSearch(saved, "RADU").empty());
    // Narrowing and then an empty search shows the full list again.
    EXPECT_EQ(search::archiveTitleSearch(saved, ""), saved);
}

}  // namespace
