// Randomized checks with fixed seeds (a couple of seconds): mutated RTF never
// breaks the reader and its document text is always the plain text; random
// documents survive a write and read.
#include <gtest/gtest.h>

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <random>
#include <string>
#include <vector>

#include "doc_dump.h"
#include "platform/textconv.h"
#include "richtext/plaintext.h"
#include "richtext/reader.h"
#include "richtext/writer.h"

namespace {

const std::vector<std::string> kSeeds = {
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil YHelvetica;}}{\\colortbl;\\red255\\green0\\blue0;}"
    "\\pard\\qc\\b\\fs28 ZAKON O RADU\\par\\pard\\qj\\fi567\\b0\\fs20 ^lan 1.\\par Ovim zakonom "
    "ure\\|uju se {\\i prava}, \\cf1 obaveze\\cf0  i odgovornosti.\\line Drugi red\\tab kraj\\par}",
    "{\\rtf1{\\*\\generator x;}{\\info{\\title T}}a\\u352?b\\uc2\\u1064\\'8a\\'8ac{\\field{\\*"
    "\\fldinst HYPERLINK}{\\fldrslt veza}}{\\pict\\bin3 {}}d\\~e\\-f\\_g\\par}",
    "{\\rtf1 {\\header x}{\\b{\\i{\\ul duboko}}}\\sect\\page\\row\\cell \\\\ \\{ \\} \\emdash}",
    "Obi~an tekst\r\nbez zaglavqa\n{ i \\ zagrade }",
};

const std::vector<std::string> kTokens = {
    "{",        "}",           "\\",
    "\\par ",   "\\line ",     "\\tab ",
    "\\u352?",  "\\u-3",       "\\'e8",
    "\\'",      "\\bin5 ",     "\\bin999999 ",
    "\\*",      "{\\fonttbl ", "{\\*\\x ",
    "\\uc2 ",   "\\uc0",       "\\fs99999999999",
    "\\cf1 ",   "\\b",         "\\b0",
    "\\qc",     "\\li-999",    "\\pard",
    "\\plain",  "\r\n",        std::string(1, '\0'),
    "\\~",      "\\-",         "{\\colortbl;",
    "\\red300", ";",           "\xa0",
    "{\\rtf1 ",
};

std::string mutate(std::string s, std::mt19937& rng) {
    auto pick = [&](std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(rng() % n); };
    const int count = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < count; ++i) {
        const std::size_t at = pick(s.size() + 1);
        switch (rng() % 6) {
            case 0:
                if (!s.empty())
                    s[pick(s.size())] = static_cast<char>(rng() & 0xFF);
                break;
            case 1:
                s.insert(at, kTokens[pick(kTokens.size())]);
                break;
            case 2:
                s.erase(at, pick(20));
                break;
            case 3:
                s.resize(at);
                break;
            case 4: {
                const std::size_t from = pick(s.size() + 1);
                s.insert(at, s.substr(from, pick(40)));
                break;
            }
            case 5:
                s.insert(at, std::string(pick(4) + 1, "{}\\"[rng() % 3]));
                break;
        }
    }
    return s;
}

TEST(Randomized, MutatedRtfReadsToItsPlainText) {
    std::mt19937 rng(20240611);
    QTextDocument doc;
    for (int i = 0; i < 200000; ++i) {
        const std::string input = mutate(kSeeds[i % kSeeds.size()], rng);
        const std::string plain = rtf::plainText(input);
        ASSERT_LE(plain.size(), input.size());
        richtext::read(input, doc);
        ASSERT_TRUE(richtext_test::sameText(doc, plain))
            << "input: " << input << "\ndocument: " << richtext_test::plain(doc)
            << "\nplain: " << plain;
    }
}

// A random document as an editor could make it.
void randomDocument(QTextDocument& doc, std::mt19937& rng) {
    doc.clear();
    QTextCursor c(&doc);
    const int blocks = 1 + static_cast<int>(rng() % 6);
    for (int b = 0; b < blocks; ++b) {
        QTextBlockFormat bf;
        const Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                        Qt::AlignJustify};
        bf.setAlignment(aligns[rng() % 4]);
        if (rng() % 2)
            bf.setTextIndent(static_cast<int>(rng() % 81) - 40);
        if (rng() % 2)
            bf.setLeftMargin(rng() % 60);
        if (rng() % 2)
            bf.setRightMargin(rng() % 60 / 4.0);
        if (rng() % 3 == 0)
            bf.setTopMargin(rng() % 20);
        if (rng() % 3 == 0)
            bf.setBottomMargin(rng() % 20 / 2.0);
        if (b == 0) {
            c.setBlockFormat(bf);
        } else {
            c.insertBlock(bf);
        }
        const int runs = static_cast<int>(rng() % 5);
        for (int r = 0; r < runs; ++r) {
            QTextCharFormat cf;
            if (rng() % 3 == 0)
                cf.setFontWeight(QFont::Bold);
            if (rng() % 3 == 0)
                cf.setFontItalic(true);
            if (rng() % 3 == 0)
                cf.setFontUnderline(true);
            if (rng() % 3 == 0)
                cf.setFontPointSize(1 + static_cast<int>(rng() % 80) / 2.0);
            if (rng() % 3 == 0)
                cf.setForeground(QColor(QRgb(rng() & 0xFFFFFF)));
            std::string text;
            const int len = 1 + static_cast<int>(rng() % 12);
            for (int k = 0; k < len; ++k) {
                int byte = 0x20 + static_cast<int>(rng() % 0xE0);
                text += static_cast<char>(byte == 0xA0 ? ' ' : byte);
            }
            QString qtext = platform::qs(text);
            if (rng() % 4 == 0)
                qtext += QChar::LineSeparator;
            if (rng() % 4 == 0)
                qtext += u'\t';
            c.insertText(qtext, cf);
        }
    }
}

TEST(Randomized, RandomDocumentsSurviveWriteAndRead) {
    std::mt19937 rng(77);
    QTextDocument doc;
    for (int i = 0; i < 1000; ++i) {
        randomDocument(doc, rng);
        const std::string rtf = richtext::write(doc);
        auto back = richtext::read(rtf);
        ASSERT_EQ(richtext_test::dump(*back), richtext_test::dump(doc)) << rtf;
        ASSERT_EQ(rtf::plainText(rtf), richtext_test::plain(doc));
    }
}

}  // namespace
