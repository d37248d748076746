#include <gtest/gtest.h>

#include "search/keyword.h"
#include "search/words.h"
#include "support.h"

namespace {

using search::Row;
using search::Rows;
using searchtest::captions;

TEST(SearchWords, UpperCasedAndSplitAtSpaces) {
    EXPECT_EQ(search::searchWords("  zakon  o radu "),
              (std::vector<std::string>{"ZAKON", "O", "RADU"}));
    EXPECT_EQ(search::searchWords("pla}a ~lan"), (std::vector<std::string>{"PLA]A", "^LAN"}));
    EXPECT_TRUE(search::searchWords("").empty());
    EXPECT_TRUE(search::searchWords("    ").empty());
}

TEST(SearchWords, WordsBeyondTheLimitAreDropped) {
    std::string text;
    for (int i = 0; i < 300; ++i) {
        text += "w" + std::to_string(i) + " ";
    }
    const auto words = search::searchWords(text);
    ASSERT_EQ(words.size(), 255u);
    EXPECT_EQ(words.back(), "W254");
}

TEST(SearchWords, ShortTextQuestion) {
    const struct {
        const char* text;
        bool asks;
    } cases[] = {{"", false}, {"P", true}, {"PD", true}, {"PDV", false}, {"   ", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(search::needsShortTextQuestion(c.text), c.asks) << '"' << c.text << '"';
    }
}

TEST(SearchWords, TextFormLowersExceptSerbianCapitals) {
    const struct {
        const char* word;
        const char* form;
    } cases[] = {
        {"PDV", "pdv"}, {"PLA]A", "pla}a"}, {"^LAN", "~lan"}, {"^", "^"},   {"[", "["},
        {"\\", "\\"},   {"@]", "@]"},       {"W", "w"},       {"]^", "}~"},  // not a run of the
                                                                             // letter string:
                                                                             // lowered
    };
    for (const auto& c : cases) {
        EXPECT_EQ(search::textForm(c.word), c.form) << c.word;
    }
}

// The history entry of a search is the remembered lists' (tests/lists).
TEST(SearchWords, Summary) {
    EXPECT_EQ(search::keywordSummary(search::Scope::Titles, 12),
              "po naslovima (nadjeno 12 propisa)");
    EXPECT_EQ(search::keywordSummary(search::Scope::TitlesAndTexts, 0),
              "po naslovima i tekstovima (nadjeno 0 propisa)");
}

Rows sample() {
    return {Row{"Zakon o radu", {"12/2005"}, 0}, Row{"Zakon o porezu", {"3/2006"}, 2},
            Row{"Uredba o {kolama", {"7/2007"}, 0}, Row{"", {"1/2001"}, 0}};
}

TEST(FilterByTitle, WholePhraseUpperCased) {
    const struct {
        const char* text;
        std::vector<std::string> kept;
    } cases[] = {
        {"", {"Zakon o radu", "Zakon o porezu", "Uredba o {kolama", ""}},
        {"zakon o", {"Zakon o radu", "Zakon o porezu"}},
        {"O RADU", {"Zakon o radu"}},
        {"RADU ZAKON", {}},
        {"[KOL", {"Uredba o {kolama"}},
        {"{kol", {"Uredba o {kolama"}},
        {" ", {"Zakon o radu", "Zakon o porezu", "Uredba o {kolama"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(captions(search::filterByTitle(sample(), c.text)), c.kept) << c.text;
    }
    // Sub-items and icons travel with the rows.
    EXPECT_EQ(search::filterByTitle(sample(), "POREZ").at(0),
              (Row{"Zakon o porezu", {"3/2006"}, 2}));
}

TEST(Selektuj, RowsToSelect) {
    const struct {
        const char* text;
        std::vector<size_t> selected;
    } cases[] = {
        {"", {0}},
        {"ZAKON", {0, 1}},
        {"[kolama", {2}},
        {"NEMA", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(search::selektuj(sample(), c.text), c.selected) << c.text;
    }
    EXPECT_TRUE(search::selektuj({}, "").empty());
}

}  // namespace
