// The RTF writer: what it writes reads back to the same text and formatting.
#include <gtest/gtest.h>

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <string>

#include "doc_dump.h"
#include "platform/textconv.h"
#include "richtext/plaintext.h"
#include "richtext/reader.h"
#include "richtext/writer.h"

namespace {

// Writes doc, reads it back and checks that nothing changed.
void expectRoundTrip(const QTextDocument& doc) {
    const std::string rtf = richtext::write(doc);
    auto back = richtext::read(rtf);
    EXPECT_EQ(richtext_test::dump(*back), richtext_test::dump(doc)) << rtf;
    EXPECT_TRUE(richtext_test::sameText(doc, rtf::plainText(rtf))) << rtf;
}

TEST(Writer, RoundTripOfReadDocuments) {
    const char* fixtures[] = {
        "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue128;}"
        "\\pard\\qc\\b\\fs24 ZAKON\\par\\pard\\qj\\fi567\\li-20\\ri180\\sb60\\sa120\\b0\\fs20 "
        "Ovim {\\i zakonom} ure\\|uje se {\\ul\\cf1 rad}\\tab i {\\cf2\\b\\i\\ul\\fs31 zarada}."
        "\\line novi red\\par\\pard\\qr\\par\\pard\\ql kraj}",
        "{\\rtf1 jedan}",
        "{\\rtf1 a\\par\\par}",
        "{\\rtf1 \\par}",
        "{\\rtf1 }",
        // Notes without marks, the first in an empty paragraph that ends
        // the cell: both written in their order.
        "{\\rtf\\intbl\\par\\par}{\\footnote}`{\\footnote\x01n",
        // A note in a merged cell's empty part, and one in a cell below a
        // cell it could merge with: in their order, without a paragraph.
        "{\\rtf1\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\pard\\intbl a\\cell{\\footnote "
        "y}\\cell\\row b{\\footnote z}}",
        "{\\rtf1\\trowd\\clvmgf\\cellx1000\\cellx2000\\pard\\intbl a\\cell b{\\footnote "
        "x}\\cell\\row\\trowd\\clvmrg\\cellx1000\\cellx2000\\pard\\intbl{\\footnote "
        "y}\\cell c{\\footnote z}\\cell\\row}",
        // A note after a link's text, outside the link.
        "{\\rtf{\\fldinst{HYPERLINKw}}\\fldrslt m}{\\footnote\xff",
        // Two merged cells on one column of the grid.
        "{\\rtf\\clmrg\\cellx\\clmrg\\cellx\\cell}3\\row",
        // Three merged cells on a column of a hundredth of the width.
        "{\\rtf1\\trowd\\clmgf\\cellx1\\clmrg\\cellx2\\clmrg\\cellx3\\cellx20000\\pard\\intbl "
        "a\\cell b\\cell c\\cell d\\cell\\row}",
        // A column too narrow for a hundredth of the width.
        "{\\rtf\\cell\\cellx58212\\cellx\\cell\nb\\row",
    };
    for (const char* rtf : fixtures) {
        SCOPED_TRACE(rtf);
        expectRoundTrip(*richtext::read(rtf));
    }
}

TEST(Writer, RoundTripOfAContractFormattedInTheEditor) {
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextBlockFormat title;
    title.setAlignment(Qt::AlignCenter);  // vertical bits are ignored
    c.setBlockFormat(title);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontPointSize(12);
    c.insertText(QStringLiteral("UGOVOR O ZAKUPU"), bold);
    QTextBlockFormat body;
    body.setTextIndent(9);
    body.setLeftMargin(0);
    body.setRightMargin(9);
    c.insertBlock(body);
    c.insertText(QStringLiteral("Zakupodavac "), QTextCharFormat());
    QTextCharFormat navy;
    navy.setForeground(QColor(Qt::darkBlue));
    c.insertText(platform::qs("Petrovi} Marko"), navy);
    QTextCharFormat red;
    red.setForeground(QColor(255, 0, 0));
    red.setFontItalic(true);
    c.insertText(QStringLiteral(" i "), red);
    c.insertText(QStringLiteral("___"), navy);
    expectRoundTrip(doc);
}

TEST(Writer, KeepsEveryByteOfTheText) {
    std::string bytes;
    for (int b = 0x20; b <= 0xFF; ++b) {
        if (b != 0xA0)
            bytes += static_cast<char>(b);  // 0xA0 reads as a space
    }
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(platform::qs(bytes));
    c.insertText(QString(QChar::LineSeparator) + QStringLiteral("\tb"));
    c.insertBlock();
    c.insertBlock();
    c.insertText(QStringLiteral(" x  "));
    expectRoundTrip(doc);
    EXPECT_EQ(richtext_test::plain(*richtext::read(richtext::write(doc))), bytes + "\n\tb\n\n x  ");
}

TEST(Writer, UnicodeLettersAsYuscii) {
    QTextDocument doc;
    QTextCursor(&doc).insertText(QString::fromUtf16(u"Ćta đeč, Љубо? 5€"));
    auto back = richtext::read(richtext::write(doc));
    EXPECT_EQ(richtext_test::plain(*back), "]ta |e~, Qubo? 5\x80");
}

TEST(Writer, CharactersWithoutAByteAsUnicode) {
    QTextDocument doc;
    QTextCursor(&doc).insertText(QString::fromUtf16(u"\u03B1 \u2265 \U0001F600 \u201E\u201C"));
    const std::string rtf = richtext::write(doc);
    EXPECT_NE(rtf.find("\\u945?"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\u-10179?\\u-8704?"), std::string::npos) << rtf;
    EXPECT_NE(rtf.find("\\'84\\'93"), std::string::npos) << rtf;
    expectRoundTrip(doc);
}

TEST(Writer, WritesTheYuscciiFontTable) {
    QTextDocument doc;
    const std::string rtf = richtext::write(doc);
    EXPECT_TRUE(rtf.starts_with("{\\rtf1")) << rtf;
    EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fnil YHelvetica;}}"), std::string::npos) << rtf;
    EXPECT_EQ(rtf::plainText(rtf), "");
}

}  // namespace
