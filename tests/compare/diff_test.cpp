#include "compare/diff.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using compare::Change;
using compare::Mark;

// Old and new text of a regulation, and the articles that are not Same,
// each as "heading:kind".
struct Case {
    const char* name;
    std::string older;
    std::string newer;
    std::vector<std::string> changes;
};

std::vector<std::string> changesOf(const compare::Comparison& c) {
    std::vector<std::string> out;
    for (const compare::ArticleDiff* a : c.changes()) {
        out.push_back(a->heading + ":" + compare::changeName(a->change));
    }
    return out;
}

const std::string kBase =
    "ZAKON O RADU\n"
    "^lan 1.\n"
    "Ovim zakonom ure|uju se prava zaposlenih.\n"
    "^lan 2.\n"
    "(1) Poslodavac pla}a zaradu.\n"
    "(2) Zarada se pla}a mese~no.\n"
    "^lan 3.\n"
    "Zakon stupa na snagu osmog dana.\n";

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

class ArticleChanges : public ::testing::TestWithParam<Case> {};

TEST_P(ArticleChanges, AreFoundByHeading) {
    const Case& c = GetParam();
    const compare::Comparison result = compare::compareTexts(c.older, c.newer);
    EXPECT_EQ(changesOf(result), c.changes);
    EXPECT_EQ(result.identical(), c.changes.empty());
    // The runs without the removed ones give the new text, without the added
    // ones the old text.
    std::string newer;
    std::string older;
    for (const compare::ArticleDiff& a : result.articles) {
        for (const compare::Piece& p : a.pieces) {
            if (p.mark != Mark::Removed) {
                newer += p.text;
            }
            if (p.mark != Mark::Added) {
                older += p.text;
            }
        }
    }
    EXPECT_EQ(newer, c.newer);
    if (c.changes.empty() || c.name != std::string("renumbered_paragraph")) {
        EXPECT_EQ(older.size(), c.older.size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ArticleChanges,
    ::testing::Values(
        Case{"identical", kBase, kBase, {}},
        Case{"added_article",
             kBase,
             replaced(kBase, "^lan 3.", "^lan 2a.\nNovi ~lan o bonusima.\n^lan 3."),
             {"^lan 2a.:dodat"}},
        Case{"removed_article",
             kBase,
             replaced(kBase,
                      "^lan 2.\n(1) Poslodavac pla}a zaradu.\n(2) Zarada se pla}a mese~no.\n", ""),
             {"^lan 2.:brisan"}},
        Case{"one_word", kBase, replaced(kBase, "osmog", "petnaestog"), {"^lan 3.:izmenjen"}},
        Case{"renumbered_paragraph",
             kBase,
             replaced(replaced(kBase, "(1) Poslodavac", "(2) Poslodavac"), "(2) Zarada",
                      "(3) Zarada"),
             {}},
        Case{"inserted_paragraph_renumbers_the_next",
             kBase,
             replaced(kBase, "(2) Zarada", "(2) Zarada se ispla}uje na ra~un.\n(3) Zarada"),
             {"^lan 2.:izmenjen"}},
        Case{"preamble_changed",
             kBase,
             replaced(kBase, "ZAKON O RADU", "ZAKON O RADU I ZARADAMA"),
             {":izmenjen"}},
        Case{"empty_texts", "", "", {}},
        Case{"everything_new", "", "^lan 1.\nTekst.\n", {"^lan 1.:dodat"}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(WordDiff, MarksOnlyTheChangedWord) {
    const auto pieces = compare::diffWords("Zakon stupa na snagu osmog dana.",
                                           "Zakon stupa na snagu petnaestog dana.");
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0].mark, Mark::Same);
    EXPECT_EQ(pieces[0].text, "Zakon stupa na snagu");
    EXPECT_EQ(pieces[1].mark, Mark::Removed);
    EXPECT_EQ(pieces[1].text, " osmog");
    EXPECT_EQ(pieces[2].mark, Mark::Added);
    EXPECT_EQ(pieces[2].text, " petnaestog");
    EXPECT_EQ(pieces[3].mark, Mark::Same);
    EXPECT_EQ(pieces[3].text, " dana.");
}

TEST(WordDiff, MovedTextInsideAnArticleKeepsTheRestUnmarked) {
    // A sentence moved to the end of the article: it is removed at one place
    // and added at the other; the article's other paragraphs stay unmarked.
    const std::string older = "^lan 5.\nPrvi stav.\nDrugi stav.\nTre}i stav.\n";
    const std::string newer = "^lan 5.\nPrvi stav.\nTre}i stav.\nDrugi stav.\n";
    const compare::Comparison c = compare::compareTexts(older, newer);
    ASSERT_EQ(c.articles.size(), 1u);
    std::string marked;
    for (const compare::Piece& p : c.articles[0].pieces) {
        if (p.mark != Mark::Same) {
            marked += p.text;
        }
    }
    EXPECT_EQ(marked.find("Prvi"), std::string::npos);
    EXPECT_LT(marked.size(), 30u);
}

TEST(ArticleKey, TakesTheNumberAndItsLetter) {
    EXPECT_EQ(compare::articleKey("^lan 12."), "12");
    EXPECT_EQ(compare::articleKey("^lan 12a."), "12a");
    EXPECT_EQ(compare::articleKey("^lanak 1."), "");
    EXPECT_EQ(compare::articleKey("^LAN 1."), "");
    EXPECT_EQ(compare::articleKey("^lan"), "");
}

TEST(ArticleSplit, TwoArticlesOfOneNumberAreMatchedInOrder) {
    const std::string older = "^lan 1.\nA.\n^lan 1.\nB.\n";
    const std::string newer = "^lan 1.\nA.\n^lan 1.\nC.\n";
    const compare::Comparison c = compare::compareTexts(older, newer);
    ASSERT_EQ(c.articles.size(), 2u);
    EXPECT_EQ(c.articles[0].change, Change::Same);
    EXPECT_EQ(c.articles[1].change, Change::Changed);
}

TEST(ArticleOrder, RemovedArticleStandsWhereItStoodInTheOldText) {
    const std::string older = "^lan 1.\nA.\n^lan 2.\nB.\n^lan 3.\nC.\n";
    const std::string newer = "^lan 1.\nA.\n^lan 3.\nC.\n^lan 4.\nD.\n";
    const compare::Comparison c = compare::compareTexts(older, newer);
    std::vector<std::string> keys;
    for (const auto& a : c.articles) {
        keys.push_back(a.key);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"1", "2", "3", "4"}));
}

TEST(Format, KnownPair) {
    const std::string newer = replaced(
        replaced(replaced(kBase, "osmog", "petnaestog"),
                 "^lan 2.\n(1) Poslodavac pla}a zaradu.\n(2) Zarada se pla}a mese~no.\n", ""),
        "^lan 3.", "^lan 2a.\nNovi ~lan.\n^lan 3.");
    EXPECT_EQ(compare::formatComparison(compare::compareTexts(kBase, newer)),
              "@ ^lan 2. (brisan)\n"
              "- ^lan 2.\n"
              "- (1) Poslodavac pla}a zaradu.\n"
              "- (2) Zarada se pla}a mese~no.\n"
              "@ ^lan 2a. (dodat)\n"
              "+ ^lan 2a.\n"
              "+ Novi ~lan.\n"
              "@ ^lan 3. (izmenjen)\n"
              "- Zakon stupa na snagu osmog dana.\n"
              "+ Zakon stupa na snagu petnaestog dana.\n");
    EXPECT_EQ(compare::formatComparison(compare::compareTexts(kBase, kBase)), "");
}

TEST(Limits, RewrittenLongArticleIsAllRemovedAndAdded) {
    std::string older = "^lan 1.\n";
    std::string newer = "^lan 1.\n";
    for (int i = 0; i < 5000; ++i) {
        older += "a" + std::to_string(i) + " ";
        newer += "b" + std::to_string(i) + " ";
    }
    const compare::Comparison c = compare::compareTexts(older, newer);
    ASSERT_EQ(c.articles.size(), 1u);
    EXPECT_EQ(c.articles[0].change, Change::Changed);
}

}  // namespace
