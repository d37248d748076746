#include "yuscii/strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace yuscii;

TEST(MatchStr, ReportsMatchAndNextPosition) {
    EXPECT_EQ(MatchStr("zakon o radu", "o r", 6).matched, true);
    EXPECT_EQ(MatchStr("zakon o radu", "o r", 6).next, 9u);
    EXPECT_FALSE(MatchStr("zakon", "kom", 2).matched);
    // find runs past the end of s
    EXPECT_FALSE(MatchStr("zakon", "onx", 3).matched);
    EXPECT_FALSE(MatchStr("zakon", "n", 5).matched);
}

TEST(ReplaceAllStr2, Cases) {
    struct Case {
        std::string s, find, replacement, result;
    };
    const std::vector<Case> cases = {
        {"aaa", "aa", "b", "ba"},  // left to right, no overlap
        {"wax", "w", "nj", "njax"}, {"abcabc", "bc", "", "aa"},
        {"ab", "a", "aa", "aab"},  // replaced text is not scanned again
        {"Abc", "a", "x", "Abc"},  // case-sensitive
        {"", "a", "b", ""},         {"abc", "abcd", "x", "abc"},  // longer than s
        {"xyz", "xyz", "1", "1"},   {"abc", "", "x", "abc"},      // empty find changes nothing
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReplaceAllStr2(c.s, c.find, c.replacement), c.result) << c.s << " / " << c.find;
    }
}

TEST(Words, CountAndExtract) {
    const std::string s = "  zakon  o radu ";
    EXPECT_EQ(WordCount(s, kSpace), 3);
    EXPECT_EQ(ExtractWord(1, s, kSpace), "zakon");
    EXPECT_EQ(ExtractWord(2, s, kSpace), "o");
    EXPECT_EQ(ExtractWord(3, s, kSpace), "radu");
    EXPECT_EQ(ExtractWord(4, s, kSpace), "");
    EXPECT_EQ(ExtractWord(0, s, kSpace), "");
}

TEST(Words, EdgeStrings) {
    struct Case {
        std::string s;
        int count;
        std::string first;
    };
    const std::vector<Case> cases = {
        {"", 0, ""},
        {"   ", 0, ""},
        {"jedan", 1, "jedan"},
        {"a\tb", 1, "a\tb"},  // only the space separates
        {"PORE[KI  ZAKON", 2, "PORE[KI"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WordCount(c.s, kSpace), c.count) << c.s;
        EXPECT_EQ(ExtractWord(1, c.s, kSpace), c.first) << c.s;
    }
}

TEST(Words, OtherDelimiterSets) {
    const Delimiters set{" ,;"};
    EXPECT_EQ(WordCount("a, b;;c", set), 3);
    EXPECT_EQ(ExtractWord(3, "a, b;;c", set), "c");
    EXPECT_EQ(WordCount("a\xFF"
                        "b",
                        Delimiters{"\xFF"}),
              2);
}

}  // namespace
