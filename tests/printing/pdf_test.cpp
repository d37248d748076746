// The recorded pages as a PDF file: real Unicode text in both scripts, in
// order, read back with pdftotext.
#include <gtest/gtest.h>

#include "fonts/fonts.h"
#include "print_fixture.h"
#include "printing/pageprinter.h"

namespace {

// Whether the UTF-8 text holds a private-use character or a YUSCII letter
// code.
bool hasYusciiTraces(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b == 0xEE ||
            (b == 0xEF && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) < 0xA4)) {
            return true;  // U+E000 ... U+F8FF
        }
        if (std::string_view("@[\\]^`{|}~").find(static_cast<char>(b)) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

struct ScriptCase {
    const char* name;
    const char* face;
    std::vector<std::string> inOrder;
};

TEST(Pdf, HoldsTheTextInOrderWithSerbianLettersInBothScripts) {
    const ScriptCase cases[] = {
        {"Latin",
         fonts::kLatinFace,
         {"TREVION", "Član 1.", "Ćirilica, šuma, žito, đak, čaj; Njegoš, ljiljan, džem", "Član 2.",
          "Strana 1"}},
        {"Cyrillic",
         fonts::kCyrillicFace,
         {"ТРЕВИОН", "Члан 1.", "Ћирилица, шума, жито, ђак, чај; Његош, љиљан, џем", "Члан 2.",
          "Страна 1"}},
    };
    const auto dir = printtest::tempFolder("scripts");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        printing::PagePrinter printer(
            printing::documentWindowSettings(fonts::kLatinFace, "TREVION, Korvet"));
        printing::useDocumentHeader(printer.TextOptions, c.face);
        printer.PrintRichEdit(*printtest::document(
            "^lan 1.\n]irilica, {uma, `ito, |ak, ~aj; Wego{, qiqan, xem\n^lan 2.", c.face));
        const auto pdf = dir / (std::string(c.name) + ".pdf");
        ASSERT_TRUE(printer.SaveToPdf(pdf));
        const std::string text = printtest::pdfText(pdf);
        printtest::expectInOrder(text, c.inOrder);
        EXPECT_FALSE(hasYusciiTraces(text)) << text;
    }
    std::filesystem::remove_all(dir);
}

TEST(Pdf, EveryRecordedPageIsAPage) {
    const auto dir = printtest::tempFolder("pages");
    printing::PagePrinter printer(printing::mainWindowSettings());
    printer.PrintRichEdit(*printtest::pagedDocument(3));
    ASSERT_TRUE(printer.SaveToPdf(dir / "three.pdf"));
    const std::string text = printtest::pdfText(dir / "three.pdf");
    // pdftotext ends every page with a form feed.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 3);
    const size_t p1 = text.find("Paragraf 1");
    const size_t p2 = text.find("Paragraf 2");
    const size_t p3 = text.find("Paragraf 3");
    EXPECT_LT(p1, p2);
    EXPECT_LT(p2, p3);
    EXPECT_LT(text.find('\f'), p2) << text;
    std::filesystem::remove_all(dir);
}

TEST(Pdf, LinesAcrossPagesAppearOnceInOrder) {
    const auto dir = printtest::tempFolder("words");
    std::string text;
    for (int i = 1; i <= 1500; ++i) {
        text += "r" + std::to_string(i) + (i % 40 == 0 ? "\n" : " ");
    }
    printing::PagePrinter printer(printing::mainWindowSettings());
    printer.PrintRichEdit(*printtest::document(text, fonts::kLatinFace));
    ASSERT_GE(printer.PageCount(), 3);
    ASSERT_TRUE(printer.SaveToPdf(dir / "words.pdf"));
    const std::string pdf = printtest::pdfText(dir / "words.pdf");
    size_t at = 0;
    for (int i = 1; i <= 1500; ++i) {
        const std::string word = "r" + std::to_string(i);
        auto isWord = [&](size_t p) {
            return p != std::string::npos && (p == 0 || !std::isalnum(pdf[p - 1])) &&
                   (p + word.size() >= pdf.size() || !std::isalnum(pdf[p + word.size()]));
        };
        size_t found = pdf.find(word, at);
        while (found != std::string::npos && !isWord(found)) {
            found = pdf.find(word, found + 1);
        }
        ASSERT_NE(found, std::string::npos) << word;
        at = found + word.size();
        size_t again = pdf.find(word, at);
        while (again != std::string::npos && !isWord(again)) {
            again = pdf.find(word, again + 1);
        }
        EXPECT_EQ(again, std::string::npos) << word << " twice";
    }
    std::filesystem::remove_all(dir);
}

TEST(Pdf, AFailedWriteKeepsTheOldFile) {
    const auto dir = printtest::tempFolder("keep");
    printing::PagePrinter printer(printing::mainWindowSettings());
    EXPECT_FALSE(printer.SaveToPdf(dir / "none.pdf"));  // nothing recorded yet
    printer.PrintRichEdit(*printtest::document("Tekst", "YHelvetica"));
    EXPECT_FALSE(printer.SaveToPdf(dir / "no-such-folder" / "x.pdf"));
    std::filesystem::remove_all(dir);
}

}  // namespace
