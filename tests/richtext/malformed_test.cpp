// Bad input: truncated files, unbalanced braces, deep nesting, huge numbers,
// binary junk. Nothing crashes or hangs, and the document text is always the
// plain text.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "doc_dump.h"
#include "richtext/plaintext.h"
#include "richtext/reader.h"
#include "support/case_name.h"

namespace {

std::string repeat(const std::string& s, int n) {
    std::string out;
    out.reserve(s.size() * static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        out += s;
    return out;
}

std::string junk(std::size_t size, unsigned seed) {
    std::mt19937 rng(seed);
    std::string out = "{\\rtf1 ";
    for (std::size_t i = 0; i < size; ++i)
        out += static_cast<char>(rng() & 0xFF);
    return out;
}

struct Case {
    const char* name;
    std::string rtf;
    std::optional<std::string> plain;  // nullopt: only document text == plain text
};

const int kDeep = 100000;

const Case kCases[] = {
    {"truncated in text", "{\\rtf1 \\b abc", "abc"},
    {"truncated after a backslash", "{\\rtf1 abc\\", "abc"},
    {"truncated hex escape", "{\\rtf1 a\\'", "a"},
    {"truncated unicode", "{\\rtf1 a\\u", "a"},
    {"truncated in a destination", "{\\rtf1 {\\fonttbl{\\f0 Ari", ""},
    {"truncated in the header", "{\\rt", "{\\rt"},
    {"extra closing braces", "{\\rtf1 a}}b}}", "ab"},
    {"missing closing braces", "{\\rtf1{{{\\b a\\par b", "a\nb"},
    {"leading closing brace is not RTF", "}{\\rtf1 a}", "}{\\rtf1 a}"},
    {"deep nesting", "{\\rtf1 " + repeat("{", kDeep) + "x" + repeat("}", kDeep) + "y}", "xy"},
    {"deep nesting never closed", "{\\rtf1 " + repeat("{\\i a", kDeep), repeat("a", kDeep)},
    {"deep nesting inside a skipped group",
     "{\\rtf1 a{\\*\\x " + repeat("{", kDeep) + repeat("}", kDeep) + "}b}", "ab"},
    {"deep nesting with formatting",
     "{\\rtf1 " + repeat("{\\b\\par ", 2000) + "x" + repeat("}", 2000) + "y}",
     repeat("\n", 2000) + "xy"},
    {"huge font size and unicode", "{\\rtf1 \\fs99999999999 a\\u-99999999999 b\\u99999999999 c}",
     "abc"},
    {"huge uc stops at the group end", "{\\rtf1 {\\uc99999999999\\u352 abc}d}", "[d"},
    {"huge bin", "{\\rtf1 a\\bin99999999999 bcd}", "a"},
    {"bin beyond the end", "{\\rtf1 a{\\pict\\bin100 xyz", "a"},
    {"negative bin", "{\\rtf1 a\\bin-5 b}", "ab"},
    {"huge parameter digits", "{\\rtf1 \\li" + repeat("9", 5000) + " a}", "a"},
    {"long control word", "{\\rtf1 \\" + repeat("x", 5000) + " a}", "a"},
    {"huge colour table", "{\\rtf1{\\colortbl" + repeat(";\\red1", 200000) + "}\\cf199999 a}", "a"},
    {"NUL bytes", std::string("{\\rtf1 a\0\\\0b\\'\0c}", 17), "abc"},
    {"binary junk 1", junk(5000, 1), std::nullopt},
    {"binary junk 2", junk(5000, 2), std::nullopt},
    {"binary junk 3", junk(5000, 3), std::nullopt},
    {"plain text", "Tekst bez zaglavqa.\r\n\r\nDrugi pasus.",
     "Tekst bez zaglavqa.\n\nDrugi pasus."},
    {"binary as plain text", std::string("\x01\x02\xff{\x00}\\", 7), "\xff{}\\"},
};

class Malformed : public ::testing::TestWithParam<Case> {};

TEST_P(Malformed, ReadsWithoutHarm) {
    const Case& c = GetParam();
    const std::string plain = rtf::plainText(c.rtf);
    if (c.plain) {
        EXPECT_EQ(plain, *c.plain);
    }
    auto doc = richtext::read(c.rtf);
    EXPECT_TRUE(richtext_test::sameText(*doc, plain)) << richtext_test::plain(*doc);
}

INSTANTIATE_TEST_SUITE_P(Inputs, Malformed, ::testing::ValuesIn(kCases), testsupport::CaseName());

}  // namespace
