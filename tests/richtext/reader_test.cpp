// The document reader: each formatting feature on a small fixture, dumped as
// "[align firstIndent leftIndent rightIndent spaceBefore spaceAfter]" per
// paragraph and "<bold italic underline size #colour>" per run.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <string>

#include "doc_dump.h"
#include "platform/textconv.h"
#include "richtext/plaintext.h"
#include "richtext/reader.h"
#include "support/case_name.h"

namespace {

struct Case {
    const char* name;
    std::string rtf;
    std::string dump;
};

std::string rtfDoc(const std::string& body) {
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil YHelvetica;}}"
           "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}" +
           body + "}";
}

const std::string P = "[l 0 0 0 0 0]";  // a paragraph without formatting

const Case kCases[] = {
    {"bold group", rtfDoc("a{\\b b}c"), P + "<>a<b>b<>c\n"},
    {"bold off with zero", rtfDoc("\\b a\\b0 b\\b1 c"), P + "<b>a<>b<b>c\n"},
    {"italic", rtfDoc("\\i a\\i0 b"), P + "<i>a<>b\n"},
    {"underline kinds and off", rtfDoc("\\ul a\\ulnone b\\uldb c\\ul0 d\\ulw e"),
     P + "<u>a<>b<u>c<>d<u>e\n"},
    {"plain resets characters", rtfDoc("\\b\\i\\ul\\fs28\\cf1 a\\plain b"),
     P + "<biu14#ff0000>a<>b\n"},
    {"font size in half points", rtfDoc("\\fs24 a\\fs17 b"), P + "<12>a<8.5>b\n"},
    {"font size limits", rtfDoc("\\fs99999999999 a\\fs0 b\\fs-5 c"), P + "<1638>a<1>bc\n"},
    {"colour table", rtfDoc("\\cf1 a\\cf2 b\\cf0 c\\cf9 d\\cf-1 e"),
     P + "<#ff0000>a<#000080>b<>cde\n"},
    {"groups save character state", rtfDoc("\\b a{\\i b{\\b0 c}d}e"),
     P + "<b>a<bi>b<i>c<bi>d<b>e\n"},
    {"alignments", rtfDoc("\\qc a\\par\\qr b\\par\\qj c\\par\\ql d"),
     "[c 0 0 0 0 0]<>a\n[r 0 0 0 0 0]<>b\n[j 0 0 0 0 0]<>c\n" + P + "<>d\n"},
    {"indents and spacing in points", rtfDoc("\\fi180\\li360\\ri-20\\sb120\\sa240 a"),
     "[l 9 18 -1 6 12]<>a\n"},
    {"tab stops", rtfDoc("\\fi-360\\li360\\tx360\\tx1440 1.\\tab b"),
     "[l -18 18 0 0 0 tab18 tab72]<>1.\tb\n"},
    {"hanging indent", rtfDoc("\\fi-360\\li720 a"), "[l -18 36 0 0 0]<>a\n"},
    {"indent limits", rtfDoc("\\li99999999\\fi-99999999\\sb-5 a"), "[l -1584 1584 0 0 0]<>a\n"},
    {"pard resets the paragraph", rtfDoc("\\qc\\li360 a\\par\\pard b"),
     "[c 0 18 0 0 0]<>a\n" + P + "<>b\n"},
    {"format of a paragraph is the one at its par", rtfDoc("{\\qc a\\par}b"),
     "[c 0 0 0 0 0]<>a\n" + P + "<>b\n"},
    {"last paragraph keeps its format", rtfDoc("\\pard\\qr a"), "[r 0 0 0 0 0]<>a\n"},
    {"empty paragraphs", rtfDoc("\\qc\\par\\par"), "[c 0 0 0 0 0]\n[c 0 0 0 0 0]\n"},
    {"line break stays in the paragraph", rtfDoc("\\qc a\\line{\\b b}"),
     "[c 0 0 0 0 0]<>a\\n<b>b\n"},
    {"YUSCII letters escaped", rtfDoc("\\{\\}\\\\[]^@`|~"), P + "<>{}\\[]^@`|~\n"},
    {"unicode letters become YUSCII", rtfDoc("\\u352?tampa \\u1063?"), P + "<>[tampa ^\n"},
    {"contract title block",
     rtfDoc("\\pard\\qc\\b\\fs24 UGOVOR\\par\\pard\\fi180\\ri180\\b0 "
            "Zakupodavac {\\cf2 Marko}\\par"),
     "[c 0 0 0 0 0]<b12>UGOVOR\n[l 9 0 9 0 0]<12>Zakupodavac <12#000080>Marko\n"},
};

class ReaderCases : public ::testing::TestWithParam<Case> {};

TEST_P(ReaderCases, Formatting) {
    const Case& c = GetParam();
    auto doc = richtext::read(c.rtf);
    EXPECT_EQ(richtext_test::dump(*doc), c.dump);
    EXPECT_TRUE(richtext_test::sameText(*doc, rtf::plainText(c.rtf))) << richtext_test::plain(*doc);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ReaderCases, ::testing::ValuesIn(kCases),
                         testsupport::CaseName());

TEST(Reader, BytesAreWindows1252CharactersAndLettersArePrivateUse) {
    auto doc = richtext::read("{\\rtf1 \\'e8\\'8a[a\\|\\'93\\'84\\'80\\'81}");
    const QString text = doc->toPlainText();
    ASSERT_EQ(text.size(), 9);
    EXPECT_EQ(text[0], QChar(0xE8));
    EXPECT_EQ(text[1], QChar(0x160));   // Windows-1252 S-caron
    EXPECT_EQ(text[2], QChar(0xE05B));  // [ is the letter S-caron
    EXPECT_EQ(text[3], QChar(u'a'));
    EXPECT_EQ(text[4], QChar(0xE07C));  // | is the letter d-stroke
    EXPECT_EQ(text[5], QChar(0x201C));
    EXPECT_EQ(text[6], QChar(0x201E));
    EXPECT_EQ(text[7], QChar(0x20AC));
    EXPECT_EQ(text[8], QChar(0x81));  // unused in Windows-1252: itself
    EXPECT_EQ(platform::ys(text), "\xe8\x8a[a|\x93\x84\x80\x81");
}

TEST(Reader, CharactersWithoutAByteAreKeptAsThemselves) {
    auto doc = richtext::read("{\\rtf1 \\u945?\\u8805?\\u-10179?\\u-8704?}");
    EXPECT_EQ(doc->toPlainText(), QString::fromUtf16(u"\u03B1\u2265\U0001F600"));
    EXPECT_EQ(richtext_test::plain(*doc), "????");
}

TEST(Reader, ReplacesTheContentWithoutUndoHistory) {
    QTextDocument doc;
    QTextCursor(&doc).insertText(QStringLiteral("staro"));
    richtext::read("{\\rtf1 novo\\par drugo}", doc);
    EXPECT_EQ(richtext_test::plain(doc), "novo\ndrugo");
    EXPECT_EQ(doc.blockCount(), 2);
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.isUndoAvailable());
    EXPECT_TRUE(doc.isUndoRedoEnabled());
}

}  // namespace

namespace {

TEST(Reader, DeepNestingRestoresTheOuterFormat) {
    const int depth = 100000;  // far beyond the depth the reader keeps
    std::string rtf = "{\\rtf1 ";
    for (int i = 0; i < depth; ++i)
        rtf += "{\\b ";
    rtf += "x";
    for (int i = 0; i < depth; ++i)
        rtf += "}";
    rtf += "y}";
    EXPECT_EQ(richtext_test::dump(*richtext::read(rtf)), "[l 0 0 0 0 0]<b>x<>y\n");
}

}  // namespace

namespace {

// The family each run of the first paragraph asks for, "-" for none.
std::string runFamilies(const std::string& rtf) {
    const auto doc = richtext::read(rtf);
    std::string out;
    for (auto it = doc->begin().begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        const QStringList families = f.charFormat().fontFamilies().toStringList();
        out += f.text().toStdString() + ":" +
               (families.isEmpty() ? std::string("-")
                                   : families.join(QLatin1Char(',')).toStdString()) +
               " ";
    }
    return out;
}

TEST(Reader, OnlyTheOtherYusciiFaceIsKeptForARun) {
    const std::string cyr =
        "{\\rtf1\\deff0{\\fonttbl{\\f0\\fnil CHelvetica;}"
        "{\\f1\\fnil\\fcharset0 YHelvetica ;}{\\f2 Times New Roman;}}";
    const std::pair<std::string, std::string> cases[] = {
        // A Roman numeral in the Latin face inside a Cyrillic text.
        {cyr + "{\\f1 IV}. a}", "IV:YHelvetica . a:- "},
        // The default font and fonts that are not ours ask for nothing.
        {cyr + "\\f0 a{\\f2 b}}", "ab:- "},
        // \plain goes back to the document's font.
        {cyr + "\\f1 a\\plain b}", "a:YHelvetica b:- "},
        // A Latin document names its own face: nothing to keep.
        {"{\\rtf1\\deff0{\\fonttbl{\\f0 YHelvetica;}{\\f1 CHelvetica;}}\\f0 a{\\f1 b}}",
         "a:- b:CHelvetica "},
        // Without a font table a font number means nothing.
        {"{\\rtf1 {\\f1 a}}", "a:- "},
    };
    for (const auto& [rtf, families] : cases) {
        EXPECT_EQ(runFamilies(rtf), families) << rtf;
    }
}

}  // namespace
