#include "database/lookups.h"

#include <gtest/gtest.h>

#include "database/datasets.h"
#include "small_db.h"

namespace {

TEST(Lookups, NadjiIsAByteSubstringTest) {
    struct Case {
        const char* needle;
        const char* haystack;
        bool found;
    } cases[] = {
        {"", "", true},
        {"", "ZAKON", true},
        {"KON", "ZAKON", true},
        {"ZAKON", "ZAKON", true},
        {"ZAKONI", "ZAKON", false},
        {"kon", "ZAKON", false},
        {"[", "POREZ NA [TEDNJU", true},
        {"O R", "ZAKON O RADU", true},
        {"X", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(database::nadji(c.needle, c.haystack), c.found)
            << "'" << c.needle << "' in '" << c.haystack << "'";
    }
}

TEST(Lookups, IssueNumberConvertsLikeTheStandardConversion) {
    struct Case {
        const char* text;
        long long value;
        bool ok;
    } cases[] = {
        {"12", 12, true},
        {"  7", 7, true},
        {"+5", 5, true},
        {"-5", -5, true},
        {"$1A", 26, true},
        {"0x1f", 31, true},
        {"0X10", 16, true},
        {"12a", 12, false},
        {"1a", 1, false},
        {"a", 0, false},
        {"", 0, false},
        {"12 ", 12, false},
        {"$", 0, false},
        {"0x", 0, false},
        {"-", 0, false},
        {"2147483647", 2147483647LL, true},
        {"-2147483648", -2147483648LL, true},
        {"2147483648", 2147483648LL, false},
    };
    for (const Case& c : cases) {
        const auto n = database::issueNumber(c.text);
        EXPECT_EQ(n.value, c.value) << "'" << c.text << "'";
        EXPECT_EQ(n.ok, c.ok) << "'" << c.text << "'";
    }
}

TEST(Lookups, CompareOrdersIssueNumbers) {
    struct Case {
        const char* a;
        const char* b;
        int result;
    } cases[] = {
        {"1a", "2", -1},  {"2", "10", -1},  {"10", "1a", 1}, {"12", "12a", 0}, {"12a", "12", 0},
        {"b", "a", 1},    {"a", "b", -1},   {"a", "a", 0},   {"9", "2a", 1},   {"2a", "10", -1},
        {"$10", "15", 1}, {"1a", "1b", -1}, {"x", "0", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(database::compare(c.a, c.b), c.result) << c.a << " vs " << c.b;
    }
}

class LookupsOnData : public testsupport::SmallDataTest {};

TEST_F(LookupsOnData, NadjibrojGivesTheFirstRegulationsIssueLabel) {
    EXPECT_EQ(database::nadjibroj(data, "Zakon o radu"), "12/2005");
    EXPECT_EQ(database::nadjibroj(data, "Zakon o 'porezu'"), "12a/2005");
    EXPECT_EQ(database::nadjibroj(data, "zakon o radu"), "12/2005");  // case-insensitive
    EXPECT_EQ(database::nadjibroj(data, "Nema ga"), "");
    EXPECT_EQ(data.lookzakoni.filter(), "Naziv_zakona= 'Nema ga'");
}

TEST_F(LookupsOnData, NadjiglasnikFollowsTheLinksToTheGazette) {
    EXPECT_EQ(database::nadjiglasnik(data, "Uredba o ceni"), "Sl. glasnik RS");
    EXPECT_EQ(database::nadjiglasnik(data, "Zakon o radu"), "Sl. glasnik RS");
    EXPECT_EQ(database::nadjiglasnik(data, "Nema ga"), "");
    EXPECT_EQ(database::nadjiglasnik(data, "Uredba o ceni"), "Sl. glasnik RS");
}

}  // namespace
