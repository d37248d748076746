#include <gtest/gtest.h>

#include <algorithm>

#include "lists/listrules.h"

namespace {

using lists::Rule;

struct Case {
    Rule rule;
    const char* a;
    const char* b;
    int expected;  // sign
};

class CompareRules : public ::testing::TestWithParam<Case> {};

TEST_P(CompareRules, OrdersAsTheListsDo) {
    const Case& c = GetParam();
    int got = lists::compareByRule(c.rule, c.a, c.b);
    EXPECT_EQ((got > 0) - (got < 0), c.expected) << c.a << " vs " << c.b;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareRules,
    ::testing::Values(
        // a-z without regard to case; YUSCII letters by their code; prefix first
        Case{Rule::Title, "zakon", "ZAKON", 0}, Case{Rule::Title, "Zakon", "zakonik", -1},
        Case{Rule::Title, "Zakon o radu", "Zakon o PDV", 1},
        Case{Rule::Title, "[kola", "Zakon", 1},  // '[' (Š) after the letters
        Case{Rule::Title, "", "Zakon", 0}, Case{Rule::Plain, "abc", "", 0},
        Case{Rule::Plain, "12/2005", "3/2005", -1},
        // year first: 5/1999 before 1/2000, 12/2005 before 3/2005, short texts equal
        Case{Rule::YearFirst, "5/1999", "1/2000", -1},
        Case{Rule::YearFirst, "12/2005", "3/2005", -1},
        Case{Rule::YearFirst, "12a/2005", "12/2005", 1}, Case{Rule::YearFirst, "199", "1/2000", 0},
        // dates: day/month/year compared as dates
        Case{Rule::Date, "05/11/2004", "01/02/2005", -1},
        Case{Rule::Date, "01/02/2005", "01/02/2005", 0},
        Case{Rule::Date, "31/12/2005", "01/01/2006", -1},
        Case{Rule::Date, "32/01/2005", "01/01/2000", 0}));

TEST(RowIcon, SuccessorWinsOverNotes) {
    EXPECT_EQ(lists::rowIcon(0, 0), lists::kDocument);
    EXPECT_EQ(lists::rowIcon(200, 0), lists::kDocument);
    EXPECT_EQ(lists::rowIcon(201, 0), lists::kWithNotes);
    EXPECT_EQ(lists::rowIcon(201, 17), lists::kArchived);
    EXPECT_EQ(lists::rowIcon(0, 17), lists::kArchived);
}

TEST(StableOrder, KeepsEqualRowsInPlaceAndSurvivesInconsistentRules) {
    std::vector<std::string> v = {"b", "", "a", "b", "", "c", "a"};
    auto order = lists::stableOrder(
        v.size(), [&](size_t x, size_t y) { return lists::compareTitle(v[x], v[y]); });
    ASSERT_EQ(order.size(), v.size());
    auto sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (size_t i = 0; i < sorted.size(); ++i) {
        EXPECT_EQ(sorted[i], i);  // a permutation, whatever the rule says
    }
    std::vector<std::string> plain = {"c", "a", "b", "a"};
    auto o = lists::stableOrder(
        plain.size(), [&](size_t x, size_t y) { return lists::compareText(plain[x], plain[y]); });
    EXPECT_EQ(o, (std::vector<size_t>{1, 3, 2, 0}));
}

}  // namespace
