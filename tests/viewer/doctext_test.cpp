#include "viewer/doctext.h"

#include <gtest/gtest.h>

namespace {

TEST(DocText, ArticleHeadings) {
    struct Case {
        const char* line;
        bool heading;
    } cases[] = {
        {"^lan 7. Predmet", true}, {"^lan 12.", true},
        {" lan 7", true},                                // character 1 is not examined
        {"Xlan 0", true},          {"^lanak 5", false},  // character 6 is no digit
        {"^lan X", false},         {"^LAN 7", false},    // characters 2 to 5 are case-sensitive
        {"^lan7.", false},         {"^lan ", false},     // shorter than six characters
        {"lan 7", false},          {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(viewer::isArticleHeading(c.line), c.heading) << "'" << c.line << "'";
    }
}

TEST(DocText, ArticleEntriesKeepOrderAndDuplicates) {
    const std::string text =
        "ZAKON\n^lan 1.\nTekst ~lana.\n^lan 2. Predmet\n^lanak\n^lan 1.\n^lan 3.";
    const std::vector<std::string> expected = {"^lan 1.", "^lan 2. Predmet", "^lan 1.", "^lan 3."};
    EXPECT_EQ(viewer::articleEntries(text), expected);
    EXPECT_TRUE(viewer::articleEntries("").empty());
    EXPECT_TRUE(viewer::articleEntries("Tekst bez ~lanova.").empty());
}

TEST(DocText, FindFoldsOnlyAToZ) {
    struct Case {
        const char* text;
        const char* needle;
        size_t from;
        std::optional<size_t> at;
    } cases[] = {
        {"^lan 1. ^lan 1.", "^LAN 1.", 0, 0},
        {"^lan 1. ^lan 1.", "^LAN 1.", 1, 8},     // the jump starts at the second character
        {"{tednja", "[TEDNJA", 0, std::nullopt},  // YUSCII letters compare exactly
        {"{tednja", "{TEDNJA", 0, 0},
        {"zarada", "RAD", 0, 2},
        {"abc", "", 0, std::nullopt},
        {"abc", "abcd", 0, std::nullopt},
        {"abc", "c", 3, std::nullopt},
        {"abc", "c", 9, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(viewer::findFoldAZ(c.text, c.needle, c.from), c.at)
            << c.needle << " in " << c.text << " from " << c.from;
    }
}

TEST(DocText, TextLengthCountsALineBreakAsTwo) {
    EXPECT_EQ(viewer::textLength(""), 0u);
    EXPECT_EQ(viewer::textLength("abc"), 3u);
    EXPECT_EQ(viewer::textLength("ab\ncd\n"), 8u);
}

TEST(DocText, ShadowStepsThroughHitsThenWraps) {
    viewer::SearchShadow shadow;
    const std::string text = "naknada, NAKNADA i Naknada";
    EXPECT_TRUE(shadow.sync(text));
    EXPECT_EQ(shadow.text(), "NAKNADA, NAKNADA I NAKNADA");
    EXPECT_EQ(shadow.findNext("NAKNADA"), 0u);
    EXPECT_EQ(shadow.findNext("NAKNADA"), 9u);
    EXPECT_EQ(shadow.findNext("NAKNADA"), 19u);
    EXPECT_EQ(shadow.findNext("NAKNADA"), std::nullopt);
    EXPECT_EQ(shadow.selStart(), 19u);  // a miss keeps the selection
    // The same text again does not refill; another text does and starts over.
    EXPECT_FALSE(shadow.sync(text));
    EXPECT_EQ(shadow.selStart(), 19u);
    EXPECT_TRUE(shadow.sync("{tednja i [TEDNJA"));
    EXPECT_EQ(shadow.selLength(), 0u);
    EXPECT_EQ(shadow.findNext("[TEDNJA"), 0u);  // yupperW makes YUSCII letters match too
    EXPECT_EQ(shadow.findNext("[TEDNJA"), 10u);
    shadow.collapse();
    EXPECT_EQ(shadow.findNext("[TEDNJA"), 0u);
    EXPECT_EQ(shadow.findNext(""), std::nullopt);
}

}  // namespace
