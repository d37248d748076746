// Plain text of RTF: text, escapes, skipped destinations, paragraph ends.
// Every case is also read into a document, whose text must be the same.
#include <gtest/gtest.h>

#include <string>

#include "doc_dump.h"
#include "richtext/plaintext.h"
#include "richtext/reader.h"
#include "richtext/rtf_parser.h"
#include "support/case_name.h"

namespace {

struct Case {
    const char* name;
    std::string rtf;
    std::string plain;
};

std::string rtfDoc(const std::string& body) {
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil YHelvetica;}}" + body + "}";
}

const Case kCases[] = {
    {"empty input", "", ""},
    {"empty document", "{\\rtf1}", ""},
    {"one paragraph", rtfDoc("Zakon o radu"), "Zakon o radu"},
    {"final par adds no line", rtfDoc("a\\par"), "a"},
    {"two paragraphs", rtfDoc("a\\par b\\par"), "a\nb"},
    {"empty paragraph between", rtfDoc("a\\par\\par b"), "a\n\nb"},
    {"two final pars keep one empty paragraph", rtfDoc("a\\par\\par"), "a\n"},
    {"lone par", rtfDoc("\\par"), ""},
    {"line break", rtfDoc("a\\line b"), "a\nb"},
    {"tab", rtfDoc("a\\tab b"), "a\tb"},
    {"sect page and row end paragraphs", rtfDoc("a\\sect b\\page c\\row d"), "a\nb\nc\nd"},
    {"cells as tabs", rtfDoc("a\\cell b\\cell\\row"), "a\tb\t"},
    {"backslash and newline is a par", rtfDoc("a\\\nb"), "a\nb"},
    {"raw line ends are not text", rtfDoc("Za\r\nkon\n"), "Zakon"},
    {"delimiting space is eaten", rtfDoc("\\b  two"), " two"},
    {"escaped specials are YUSCII letters", rtfDoc("\\{ta\\} \\\\ \\|"), "{ta} \\ |"},
    {"hex escapes pass through as bytes", rtfDoc("\\'5btampa \\'e8\\'FF"), "[tampa \xe8\xff"},
    {"hex escape with one or no digit", rtfDoc("\\'4x\\'zy"), "xzy"},
    {"non-breaking space, optional and non-breaking hyphen", rtfDoc("a\\~b\\-c\\_d"), "a bc-d"},
    {"special characters", rtfDoc("\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote"),
     "--''\"\""},
    {"unicode Serbian Latin",
     rtfDoc("\\u352?\\u353?\\u268?\\u269?\\u262?\\u263?\\u272?\\u273?\\u381?\\u382?"),
     "[{^~]}\\|@`"},
    {"unicode Cyrillic", rtfDoc("\\u1064?\\u1072?\\u1113?\\u1034?\\u1039?\\u1106?\\u1115?"),
     "[aqWX|}"},
    {"unicode typographic characters are their Windows-1252 bytes",
     rtfDoc("\\u8364 E\\u8226?\\u8222\"\\u8220\"\\u8211-\\u8230?\\u233?"),
     "\x80\x95\x84\x93\x96\x85\xe9"},
    {"unicode without a byte is one '?' per UTF-16 unit",
     rtfDoc("\\u945?\\u-10179?\\u-8704?{\\uc2\\u8805 >=}."), "????."},
    {"unicode control characters are dropped", rtfDoc("a\\u7?\\u150?b"), "ab"},
    {"unicode negative number", rtfDoc("\\u-3?x"), "?x"},
    {"unicode line and paragraph separators are line breaks", rtfDoc("a\\u8232?b\\u8233?c"),
     "a\nb\nc"},
    {"unicode marks of images and frames are no text", rtfDoc("a\\u-4?b\\u-560?\\u-559?c"), "abc"},
    {"hyperlink result is text, a quote ends an unquoted target",
     rtfDoc("{\\field{\\*\\fldinst HYPERLINK a\"b}{\\fldrslt veza}}"), "veza"},
    {"unicode ASCII", rtfDoc("\\u65?\\u66 x"), "AB"},
    {"unicode skips a hex fallback", rtfDoc("\\u352\\'8atampa"), "[tampa"},
    {"uc2 skips two fallback bytes", rtfDoc("\\uc2\\u352 Sxtampa"), "[tampa"},
    {"uc0 skips nothing", rtfDoc("\\uc0\\u352 tampa"), "[tampa"},
    {"uc is scoped by groups", rtfDoc("{\\uc2 a}\\u352 xy"), "a[y"},
    {"fallback skipping stops at a group", rtfDoc("\\uc3\\u352 a}b"), "[b"},
    {"fonttbl colortbl stylesheet skipped",
     "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}{\\stylesheet{\\s0 "
     "Normal;}}Tekst}",
     "Tekst"},
    {"info skipped", rtfDoc("{\\info{\\title Naslov}{\\author X}}Tekst"), "Tekst"},
    {"starred destination skipped", rtfDoc("a{\\*\\generator Writer 1.0;}b{\\*\\unknown {x}y}c"),
     "abc"},
    {"picture with hex data skipped", rtfDoc("a{\\pict\\wmetafile8 0102abcdef{}}b"), "ab"},
    {"binary data skipped, braces inside too", rtfDoc("a{\\pict\\bin4 }{\\\\}b"), "ab"},
    {"binary data in text is not text", rtfDoc("a\\bin3 xyzb"), "ab"},
    {"header and footer skipped", rtfDoc("{\\header Strana}{\\footerr x}Tekst"), "Tekst"},
    {"field keeps its result", rtfDoc("{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt veza}}"),
     "veza"},
    {"field instruction without star", rtfDoc("{\\field{\\fldinst PAGE}{\\fldrslt 7}}"), "7"},
    {"destination word not at group start is ignored", rtfDoc("{a\\info b}"), "ab"},
    {"unknown control words ignored", rtfDoc("\\foo12 a\\bar-3 b"), "ab"},
    {"list text is kept", rtfDoc("{\\listtext 1.\\tab}Prvi"), "1.\tPrvi"},
    {"leading white space before the header", "\r\n {\\rtf1 a}", "a"},
    {"non-RTF is plain text", "Prva\r\nDruga\nTre}a\r{x}\\y", "Prva\nDruga\nTre}a\n{x}\\y"},
    {"non-RTF final line end", "a\r\n", "a"},
    {"control bytes are dropped", rtfDoc(std::string("a\x01\x7f", 3) + "\\'00\\'0d\\'0a\\'09b"),
     "a\x7f\tb"},
    {"NUL bytes are dropped", std::string("{\\rtf1 a\0b}", 11), "ab"},
    {"nbsp byte becomes space",
     rtfDoc("a\\'a0b\xa0"
            "c"),
     "a b c"},
};

class PlainTextCases : public ::testing::TestWithParam<Case> {};

TEST_P(PlainTextCases, PlainTextAndDocumentText) {
    const Case& c = GetParam();
    EXPECT_EQ(rtf::plainText(c.rtf), c.plain);
    auto doc = richtext::read(c.rtf);
    EXPECT_TRUE(richtext_test::sameText(*doc, c.plain)) << richtext_test::plain(*doc);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, PlainTextCases, ::testing::ValuesIn(kCases),
                         testsupport::CaseName());

TEST(PlainText, AppendsToABuffer) {
    std::string out = "x";
    rtf::appendPlainText("{\\rtf1 a\\par b}", out);
    rtf::appendPlainText("{\\rtf1 c}", out);
    EXPECT_EQ(out, "xa\nbc");
}

TEST(PlainText, SerbianLettersFromUnicode) {
    // Every Serbian Cyrillic letter, capital and small, in alphabet order.
    const long cyrillic[] = {0x410, 0x411, 0x412, 0x413, 0x414, 0x402, 0x415, 0x416, 0x417, 0x418,
                             0x408, 0x41A, 0x41B, 0x409, 0x41C, 0x41D, 0x40A, 0x41E, 0x41F, 0x420,
                             0x421, 0x422, 0x40B, 0x423, 0x424, 0x425, 0x426, 0x427, 0x40F, 0x428};
    const std::string latin = "ABVGD\\E@ZIJKLQMNWOPRST]UFHC^X[";
    std::string upper, lower;
    for (long cp : cyrillic) {
        upper += static_cast<char>(rtf::yusciiFromUnicode(cp));
        lower += static_cast<char>(rtf::yusciiFromUnicode(cp + (cp < 0x410 ? 0x50 : 0x20)));
    }
    EXPECT_EQ(upper, latin);
    EXPECT_EQ(lower, "abvgd|e`zijklqmnwoprst}ufhc~x{");
    // Digraph letters and non-Serbian letters.
    EXPECT_EQ(rtf::yusciiFromUnicode(0x1C4), 'X');
    EXPECT_EQ(rtf::yusciiFromUnicode(0x1C9), 'q');
    EXPECT_EQ(rtf::yusciiFromUnicode(0x1CC), 'w');
    for (long cp : {0x419L, 0x429L, 0x44BL, 0x451L, 0xE9L, 0x41L, -1L, 0x110000L}) {
        EXPECT_EQ(rtf::yusciiFromUnicode(cp), -1) << cp;
    }
}

}  // namespace
