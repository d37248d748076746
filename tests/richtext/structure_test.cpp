// Tables, footnotes, hyperlinks, superscripts and page breaks: each read into
// a document (dumped), its plain text, and a write and read that changes
// nothing.
#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextTable>
#include <string>

#include "doc_dump.h"
#include "richtext/letters.h"
#include "richtext/plaintext.h"
#include "richtext/reader.h"
#include "richtext/table_grid.h"
#include "richtext/writer.h"
#include "support/case_name.h"

namespace {

struct Case {
    const char* name;
    std::string rtf;
    std::string plain;
    std::string dump;
};

const Case kCases[] = {
    {"table with borders shading alignment and two paragraphs in a cell",
     "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red200\\green200\\blue200;}"
     "\\trowd\\trgaph108\\clbrdrt\\brdrs\\brdrw20\\brdrcf1\\clbrdrb\\brdrdb\\clcbpat2\\cellx1440\\c"
     "lvertalc\\cellx4320\\pard\\intbl\\qc a\\cell b\\par "
     "c\\cell\\row\\trowd\\cellx1440\\cellx4320\\intbl d\\cell e\\cell\\row\\pard f}",
     "a\tb\nc\t\nd\te\t\nf",
     "[l 0 0 0 0 0]\n<table 2x2 72 144 l>\n (0,0 border 1 - 0.5d - bg #c8c8c8)\n  [c 0 0 0 0 "
     "0]<>a\n (0,1 border - - - - middle)\n  [c 0 0 0 0 0]<>b\n  [c 0 0 0 0 0]<>c\n (1,0 border - "
     "- - -)\n  [c 0 0 0 0 0]<>d\n (1,1 border - - - -)\n  [c 0 0 0 0 0]<>e\n</table>\n[l 0 0 0 0 "
     "0]<>f\n"},
    {"merged cells across and down",
     "{\\rtf1\\trowd\\clmgf\\cellx1000\\clmrg\\cellx2000\\cellx3000\\intbl a\\cell\\cell "
     "b\\cell\\row\\trowd\\clvmgf\\cellx1000\\cellx3000\\intbl c\\cell "
     "d\\cell\\row\\trowd\\clvmrg\\cellx1000\\cellx3000\\intbl\\cell e\\cell\\row}",
     "a\t\tb\t\nc\td\t\n\te\t",
     "[l 0 0 0 0 0]\n<table 3x3 50 50 50 l>\n (0,0 span 1x2 stored 2 border - - - -)\n  [l 0 0 0 0 "
     "0]<>a\n (0,2 border - - - -)\n  [l 0 0 0 0 0]<>b\n (1,0 span 2x1 border - - - -)\n  [l 0 0 0 "
     "0 0]<>c\n (1,1 span 1x2 border - - - -)\n  [l 0 0 0 0 0]<>d\n (2,1 span 1x2 border - - - "
     "-)\n  [l 0 0 0 0 0]<>e\n</table>\n[l 0 0 0 0 0]\n"},
    {"row definition after its cells, wide table in percent, empty extra cells dropped",
     "{\\rtf1\\intbl a\\cell b\\cell\\trowd\\trqc\\cellx5000\\cellx12000\\row\\intbl "
     "x\\cell\\cell\\cell\\trowd\\cellx5000\\row}",
     "a\tb\t\nx\t\t\t",
     "[l 0 0 0 0 0]\n<table 2x2 41.66% 58.34% c>\n (0,0 border - - - -)\n  [l 0 0 0 0 0]<>a\n (0,1 "
     "border - - - -)\n  [l 0 0 0 0 0]<>b\n (1,0 border - - - -)\n  [l 0 0 0 0 0]<>x\n (1,1 border "
     "- - - -)\n  [l 0 0 0 0 0]\n</table>\n[l 0 0 0 0 0]\n"},
    {"nested table",
     "{\\rtf1\\trowd\\cellx2000\\cellx4000\\pard\\intbl a\\par\\pard\\intbl\\itap2 u1\\nestcell "
     "u2\\nestcell{\\*\\nesttableprops\\trowd\\cellx900\\cellx1800\\nestrow}{\\nonesttables\\par}"
     "\\pard\\intbl\\cell b\\cell\\row}",
     "a\nu1\tu2\t\n\tb\t",
     "[l 0 0 0 0 0]\n<table 1x2 100 100 l>\n (0,0 border - - - -)\n  [l 0 0 0 0 0]<>a\n  <table "
     "1x2 45 45 l>\n   (0,0 border - - - -)\n    [l 0 0 0 0 0]<>u1\n   (0,1 border - - - -)\n    "
     "[l 0 0 0 0 0]<>u2\n  </table>\n  [l 0 0 0 0 0]\n (0,1 border - - - -)\n  [l 0 0 0 0 "
     "0]<>b\n</table>\n[l 0 0 0 0 0]\n"},
    {"superscript subscript hyperlink and page break",
     "{\\rtf1 m{\\super 2} H{\\sub 2}O{\\up6 x}{\\dn4 y}\\nosupersub z{\\super a\\nosupersub "
     "b}\\par Vidi {\\field{\\*\\fldinst{HYPERLINK \"http://a.rs/x\"}}{\\fldrslt{\\ul ovde}}} i "
     "{\\field{\\*\\fldinst PAGE}{\\fldrslt 3}}.\\page posle\\par}",
     "m2 H2Oxyzab\nVidi ovde i 3.\nposle",
     "[l 0 0 0 0 0]<>m<^>2<> H<_>2<>O<^>x<_>y<>z<^>a<>b\n[l 0 0 0 0 0]<>Vidi <u "
     "href=http://a.rs/x>ovde<> i 3.\n[l 0 0 0 0 0 page]<>posle\n"},
    {"footnotes at the end, their text not in the plain text",
     "{\\rtf1 Zakon{\\super\\chftn}{\\*\\footnote\\pard\\plain{\\super\\chftn} Prva.\\par Drugi "
     "red.} i{\\cs15\\super \\chftn}{\\footnote \\pard {\\cs15\\super \\chftn} Druga.}\\par kraj}",
     "Zakon1 i2\nkraj",
     "[l 0 0 0 0 0]<>Zakon<^ ref1>1<> i<^ ref2>2\n[l 0 0 0 0 0]<>kraj\n[l 0 0 0 12 0 note0]\n[l 0 "
     "0 0 0 0 note1]<^ note1>1<> Prva.\n[l 0 0 0 0 0 note1]<>Drugi red.\n[l 0 0 0 0 0 note2]<^ "
     "note2>2<> Druga.\n"},
};

class StructureCases : public ::testing::TestWithParam<Case> {};

TEST_P(StructureCases, ReadWrittenAndReadAgain) {
    const Case& c = GetParam();
    EXPECT_EQ(rtf::plainText(c.rtf), c.plain);
    auto doc = richtext::read(c.rtf);
    EXPECT_EQ(richtext_test::dump(*doc), c.dump);
    EXPECT_TRUE(richtext_test::sameText(*doc, c.plain)) << richtext_test::plain(*doc);
    const std::string written = richtext::write(*doc);
    EXPECT_EQ(richtext_test::dump(*richtext::read(written)), c.dump) << written;
    EXPECT_TRUE(richtext_test::sameText(*doc, rtf::plainText(written))) << written;
}

INSTANTIATE_TEST_SUITE_P(Fixtures, StructureCases, ::testing::ValuesIn(kCases),
                         testsupport::CaseName());

TEST(Structure, ManyDistinctEdgesFallBackToOneColumnPerCell) {
    std::string rtf = "{\\rtf1";
    for (int r = 0; r < 40; ++r) {
        rtf += "\\trowd\\cellx" + std::to_string(100 + r) + "\\cellx" + std::to_string(5000 + r) +
               "\\intbl a\\cell b\\cell\\row";
    }
    auto doc = richtext::read(rtf + "}");
    auto* table = qobject_cast<QTextTable*>(doc->rootFrame()->childFrames().value(0));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 40);
    EXPECT_EQ(table->columns(), 2);
}

TEST(Structure, GridOfRowsWithDifferentEdges) {
    rtf::RowFormat wide;
    wide.cells.resize(2);
    wide.cells[0].right = 3000;
    wide.cells[1].right = 6000;
    rtf::RowFormat narrow;
    narrow.cells.resize(3);
    narrow.cells[0].right = 2000;
    narrow.cells[1].right = 4000;
    narrow.cells[2].right = 6000;
    const rtf::Grid grid = rtf::layoutGrid({{&wide, 2}, {&narrow, 3}});
    ASSERT_EQ(grid.columns, 4);  // edges 0 2000 3000 4000 6000
    EXPECT_EQ(grid.widths, (std::vector<int>{2000, 1000, 1000, 2000}));
    ASSERT_EQ(grid.cells.size(), 5u);
    EXPECT_EQ(grid.cells[0].columnSpan, 2);
    EXPECT_EQ(grid.cells[1].column, 2);
    EXPECT_EQ(grid.cells[1].columnSpan, 2);
    EXPECT_EQ(grid.cells[3].column, 1);
    EXPECT_EQ(grid.cells[3].columnSpan, 2);
}

TEST(Structure, UnterminatedTableAndNoteEndWithTheInput) {
    auto doc = richtext::read("{\\rtf1 a{\\footnote b\\intbl c\\cell d");
    EXPECT_EQ(richtext_test::plain(*doc), "a");
    doc = richtext::read("{\\rtf1 \\trowd\\cellx100\\intbl a\\cell b");
    EXPECT_TRUE(richtext_test::sameText(*doc, "a\tb"));
}

}  // namespace

namespace {

TEST(Letters, RealLettersKeepFormatsTablesAndNotes) {
    const std::string rtf =
        "{\\rtf1 ^lan {\\b 1.} Wegov \\'84xep\\'93 \\u945?{\\super\\chftn}{\\footnote "
        "\\chftn  Qubo}\\par\\trowd\\cellx1000\\intbl [uma\\cell\\row}";
    auto latin = richtext::read(rtf);
    richtext::toRealLetters(*latin, yuscii::Script::Latin);
    const QString text = latin->toPlainText();
    EXPECT_TRUE(text.startsWith(QString::fromUtf16(u"Član 1. Njegov „džep“ α1\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf16(u"\nŠuma\n"))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(QString::fromUtf16(u"\n1 Ljubo"))) << text.toStdString();
    EXPECT_NE(richtext_test::dump(*latin).find("<b>1."), std::string::npos);
    auto cyrillic = richtext::read(rtf);
    richtext::toRealLetters(*cyrillic, yuscii::Script::Cyrillic);
    EXPECT_TRUE(cyrillic->toPlainText().startsWith(QString::fromUtf16(u"Члан 1. Његов „џеп“ α")));
    EXPECT_TRUE(cyrillic->toPlainText().contains(QString::fromUtf16(u"Шума")));
}

}  // namespace
