#include <gtest/gtest.h>

#include "database/schema.h"
#include "search/opinions.h"
#include "search_db.h"
#include "support.h"

namespace {

using search::Row;
using search::Rows;
using search::Scope;
using searchtest::captions;
using searchtest::RecordingMonitor;
using Titles = std::vector<std::string>;

// Opinions in "drugi" (ministry) order: 11, 12 (ministry 1), 10 (ministry 2).
class Opinions : public ::testing::Test {
  protected:
    void SetUp() override {
        db.ministry(1, "Ministarstvo finansija");
        db.ministry(2, "Ministarstvo rada");
        db.opinion({10, 2, 5, 11, 2004, "Porez na zarade", "Poslodavac pla}a porez."});
        db.opinion({11, 1, 1, 2, 2005, "Otpremnine", "Iznos PLA]A poslodavac."});
        db.opinion({12, 1, 31, 2, 2005, "Zarade", ""});
    }

    Rows keyword(const std::string& text, Scope scope = Scope::Titles,
                 std::optional<std::string> ministry = std::nullopt) {
        RecordingMonitor monitor;
        return search::opinionKeywordSearch(db.data(), {text, scope, ministry}, monitor);
    }

    searchtest::SearchDb db;
};

TEST_F(Opinions, KeywordCases) {
    const struct {
        const char* text;
        Scope scope;
        std::optional<std::string> ministry;
        Titles found;
    } cases[] = {
        {"ZARADE", Scope::Titles, std::nullopt, {"Zarade", "Porez na zarade"}},
        {"zarade", Scope::Titles, "Ministarstvo rada", {"Porez na zarade"}},
        {"", Scope::Titles, std::nullopt, {"Otpremnine", "Zarade", "Porez na zarade"}},
        {"", Scope::Titles, "MINISTARSTVO FINANSIJA", {"Otpremnine", "Zarade"}},
        {"POSLODAVAC", Scope::Titles, std::nullopt, {}},
        {"POSLODAVAC", Scope::TitlesAndTexts, std::nullopt, {"Otpremnine", "Porez na zarade"}},
        // The word is looked for in upper case: a small Serbian letter in the
        // text is not found from it, the capital one is.
        {"pla}a", Scope::TitlesAndTexts, std::nullopt, {"Otpremnine"}},
        {"ZARADE POREZ", Scope::TitlesAndTexts, std::nullopt, {"Porez na zarade"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(captions(keyword(c.text, c.scope, c.ministry)), c.found) << c.text;
    }
}

TEST_F(Opinions, RowsCarryTheDate) {
    EXPECT_EQ(keyword(""),
              (Rows{Row{"Otpremnine", {"01/02/2005"}, 0}, Row{"Zarade", {"31/02/2005"}, 0},
                    Row{"Porez na zarade", {"05/11/2004"}, 0}}));
}

TEST_F(Opinions, ProgressCountsWordsTested) {
    RecordingMonitor titles;
    search::opinionKeywordSearch(db.data(), {"ZARADE POREZ", Scope::Titles, {}}, titles);
    EXPECT_EQ(titles.range, 6);
    EXPECT_EQ(titles.steps, 1 + 2 + 2);
    EXPECT_EQ(titles.events, "RPSPSSPSS");  // messages once per opinion, no stop test

    RecordingMonitor texts;
    search::opinionKeywordSearch(db.data(), {"ZARADE POREZ", Scope::TitlesAndTexts, {}}, texts);
    EXPECT_EQ(texts.steps, 1 + 2 + 2);
    EXPECT_EQ(texts.events, "RPSPSPSPSPS");  // messages once per word tested
}

TEST_F(Opinions, DateSearchPerComponent) {
    const struct {
        std::optional<search::DateRange> range;
        std::optional<std::string> ministry;
        Titles found;
    } cases[] = {
        {std::nullopt, std::nullopt, {"Otpremnine", "Zarade", "Porez na zarade"}},
        {search::DateRange{1, 1, 2005, 31, 12, 2005}, std::nullopt, {"Otpremnine", "Zarade"}},
        // Days 1 to 5 of any month in range.
        {search::DateRange{1, 1, 2004, 5, 12, 2005},
         std::nullopt,
         {"Otpremnine", "Porez na zarade"}},
        {search::DateRange{1, 1, 2004, 5, 12, 2005}, "Ministarstvo rada", {"Porez na zarade"}},
        {search::DateRange{1, 3, 2004, 31, 12, 2005}, std::nullopt, {"Porez na zarade"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(captions(search::opinionDateSearch(db.data(), c.range, c.ministry)), c.found);
    }
    // A keyword search afterwards lists opinions of every date again.
    search::opinionDateSearch(db.data(), search::DateRange{1, 3, 2004, 31, 12, 2005}, {});
    EXPECT_EQ(keyword("").size(), 3u);
}

TEST(OpinionDate, Texts) {
    EXPECT_EQ(search::opinionDate(5, 11, 2004), "05/11/2004");
    EXPECT_EQ(search::opinionDate(1, 2, 2005), "01/02/2005");
    EXPECT_EQ(search::opinionDate(31, 2, 2005), "31/02/2005");
    EXPECT_EQ(search::opinionDate(0, 0, 0), "00/00/0000");
}

TEST_F(Opinions, PositionFromTheListRow) {
    const struct {
        const char* title;
        const char* date;
        long long number;  // 0: not found
    } cases[] = {
        {"Otpremnine", "01/02/2005", 11},
        {"Zarade", "31/02/2005", 12},
        {"ZARADE", "31/02/2005", 12},
        {"Zarade", "01/02/2005", 0},
        {"Nema", "01/02/2005", 0},
        {"Zarade", "xx/02/2005", 0},
        {"Zarade", "31/0", 0},
    };
    database::MainData& data = db.data();
    for (const auto& c : cases) {
        const bool found = search::positionOpinion(data, c.title, c.date);
        EXPECT_EQ(found, c.number != 0) << c.title << " " << c.date;
        if (found) {
            EXPECT_EQ(data.misljenja.field(database::pos::kMisljenjaBroj).asInteger(), c.number);
        }
    }
}

}  // namespace
