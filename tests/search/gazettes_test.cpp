#include <gtest/gtest.h>

#include "search/gazettes.h"
#include "search_db.h"
#include "support.h"

namespace {

using search::Row;
using search::Rows;
using search::TreeNode;
using Strings = std::vector<std::string>;

class GazetteTree : public ::testing::Test {
  protected:
    void SetUp() override {
        db.gazette(1, "Sl. glasnik RS");
        db.gazette(2, "Sl. list SRJ");
        db.gazette(3, "Prazan glasnik");
        using searchtest::Reg;
        db.regulation(Reg{.id = 1, .gazette = 1, .year = "2001", .issue = "10", .title = "A"});
        db.regulation(Reg{
            .id = 2, .gazette = 1, .year = "1998", .issue = "3", .title = "B", .notesLength = 300});
        db.regulation(Reg{.id = 3, .gazette = 1, .year = "2001", .issue = "9", .title = "C"});
        db.regulation(Reg{.id = 4, .gazette = 1, .year = "2001", .issue = "2a", .title = "D"});
        db.regulation(Reg{.id = 5, .gazette = 1, .year = "2001", .issue = "10", .title = "E"});
        db.regulation(Reg{.id = 6, .gazette = 2, .year = "2003", .issue = "b", .title = "F"});
        db.regulation(Reg{.id = 7, .gazette = 2, .year = "2003", .issue = "a", .title = "G"});
        db.regulation(Reg{.id = 8, .gazette = 2, .year = "2003", .issue = "B", .title = "H"});
        db.publication(9, 2, "", "");  // no year, no issue
        db.archive(3, 0, 5);
        db.archive(5, 3, 0);
    }

    searchtest::SearchDb db;
};

TEST_F(GazetteTree, GazettesAndNames) {
    const auto list = search::gazetteList(db.data());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].id, 2);
    EXPECT_EQ(list[1].name, "Sl. list SRJ");
    EXPECT_EQ(search::gazetteByName(db.data(), "sl. LIST srj"), 2);
    EXPECT_EQ(search::gazetteByName(db.data(), "Nema"), std::nullopt);
}

TEST_F(GazetteTree, YearsDistinctAndSortedAsText) {
    EXPECT_EQ(search::gazetteYears(db.data(), 1), (Strings{"1998", "2001"}));
    EXPECT_EQ(search::gazetteYears(db.data(), 2), (Strings{"2003"}));
    EXPECT_TRUE(search::gazetteYears(db.data(), 3).empty());
}

TEST_F(GazetteTree, IssuesInIssueOrder) {
    EXPECT_EQ(search::gazetteIssues(db.data(), 1, "2001"), (Strings{"2a", "9", "10"}));
    // No number among them: as text; b and B are one issue.
    EXPECT_EQ(search::gazetteIssues(db.data(), 2, "2003"), (Strings{"a", "b"}));
    EXPECT_TRUE(search::gazetteIssues(db.data(), 1, "2005").empty());
}

TEST_F(GazetteTree, RowsOfANodeInStoredOrder) {
    database::MainData& data = db.data();
    const struct {
        TreeNode node;
        Strings titles;
    } cases[] = {
        {{1, {}, {}}, {"A", "B", "C", "D", "E"}},
        {{1, "2001", {}}, {"A", "C", "D", "E"}},
        {{1, "2001", "10"}, {"A", "E"}},
        {{2, "2003", "b"}, {"F", "H"}},
        {{3, {}, {}}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(searchtest::captions(search::nodeRows(data, c.node)), c.titles);
    }
    EXPECT_EQ(search::nodeRows(data, {1, "1998", {}}), (Rows{Row{"B", {"3/1998"}, 2}}));
    EXPECT_EQ(search::nodeRows(data, {1, "2001", "9"}), (Rows{Row{"C", {"9/2001"}, 3}}));
}

}  // namespace
