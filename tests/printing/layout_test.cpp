// Page layout: pages against the screen or the printer, lines whole on a
// page, page breaks, header, footer and page number.
#include <gtest/gtest.h>

#include <stdexcept>

#include "fonts/fonts.h"
#include "print_fixture.h"
#include "printing/pageprinter.h"
#include "printing/tpreviewprinter.h"
#include "support/scripted_ui.h"

namespace {

using printing::PagePrinter;

const printing::TextItem* findText(const printing::RecordedPage& page, const QString& text) {
    for (const auto& item : page.texts) {
        if (item.text == text) {
            return &item;
        }
    }
    return nullptr;
}

std::string words(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += (i % 7 == 0 ? "~lan " : "re~enica ");
    }
    return text;
}

TEST(PageLayout, WithoutPrinterThePageIsLetterAtScreenResolution) {
    PagePrinter printer(printing::mainWindowSettings());
    auto doc = printtest::document("", "YHelvetica");
    printer.PrintRichEdit(*doc);
    const auto& page = printer.Pages()->page();
    EXPECT_EQ(page.dpiX, 96);
    EXPECT_EQ(page.width, 816);
    EXPECT_EQ(page.height, 1056);
    // An empty text: one page with the page number only.
    ASSERT_EQ(printer.PageCount(), 1);
    EXPECT_EQ(printer.Pages()->pages()[0].texts.size(), 1u);

    printer.Orientation = printing::TPrinterOrientation::poLandscape;
    printer.PrintRichEdit(*doc);
    EXPECT_EQ(printer.Pages()->page().width, 1056);
}

TEST(PageLayout, TextFillingOnePageGivesOnePageAndOneCharacterMoreTwo) {
    PagePrinter printer(printing::documentWindowSettings("YHelvetica", "TREVION, Korvet"));
    const std::string text = words(2000);
    auto pagesFor = [&](size_t length) {
        auto doc = printtest::document(text.substr(0, length), "YHelvetica");
        printer.PrintRichEdit(*doc);
        return printer.PageCount();
    };
    ASSERT_GE(pagesFor(text.size()), 3);
    // The longest prefix that still fits on one page.
    size_t fits = 1;
    size_t overflows = text.size();
    while (overflows - fits > 1) {
        const size_t mid = (fits + overflows) / 2;
        (pagesFor(mid) == 1 ? fits : overflows) = mid;
    }
    EXPECT_EQ(pagesFor(fits), 1);
    ASSERT_EQ(pagesFor(fits + 1), 2);

    const auto& pages = *printer.Pages();
    const auto* number = findText(pages.pages()[1], QStringLiteral("Strana 2"));
    ASSERT_NE(number, nullptr);
    // At the footer line: 0.75 inch above the paper's bottom edge.
    EXPECT_EQ(number->pos.y(), 1056 - 72);
    // The second page's body starts with the line the first could not take.
    const QStringList second = pages.pageText(1);
    ASSERT_FALSE(second.isEmpty());
    EXPECT_FALSE(second.front().trimmed().isEmpty());
}

struct AlignCase {
    const char* name;
    printing::PrinterSettings settings;
    bool centred;
};

TEST(PageLayout, PageNumberIsCentredForDocumentsAndRightAlignedForContracts) {
    const AlignCase cases[] = {
        {"document window", printing::documentWindowSettings("YHelvetica", "TREVION"), true},
        {"main window", printing::mainWindowSettings(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PagePrinter printer(c.settings);
        printer.PrintRichEdit(*printtest::document("Tekst", "YHelvetica"));
        const auto* number = findText(printer.Pages()->pages()[0], QStringLiteral("Strana 1"));
        ASSERT_NE(number, nullptr);
        EXPECT_EQ(number->pos.y(), 1056 - 72);
        if (c.centred) {
            EXPECT_EQ(number->pos.x(), 816 / 2 - number->width / 2);
        } else {
            EXPECT_EQ(number->pos.x() + number->width, 816 - 96);
        }
    }
}

TEST(PageLayout, DocumentHeaderFollowsTheScriptInRealLetters) {
    PagePrinter printer(printing::documentWindowSettings("YHelvetica", "TREVION, Korvet"));
    printing::useDocumentHeader(printer.TextOptions, fonts::kCyrillicFace);
    printer.PrintRichEdit(*printtest::document("^lan 1.", "CHelvetica"));
    const auto& page = printer.Pages()->pages()[0];
    const auto* header = findText(page, QStringLiteral("ТРЕВИОН"));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->pos.y(), 48);  // half an inch
    EXPECT_EQ(header->font.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_NE(findText(page, QStringLiteral("Страна 1")), nullptr);
    EXPECT_EQ(printer.Pages()->pageText(0).front(), QStringLiteral("Члан 1."));
}

TEST(PageLayout, BlocksAskingForAPageBreakStartANewPage) {
    PagePrinter printer(printing::mainWindowSettings());
    printer.PrintRichEdit(*printtest::pagedDocument(5));
    ASSERT_EQ(printer.PageCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(printer.Pages()->pageText(i).front(), QStringLiteral("Paragraf %1").arg(i + 1));
    }
}

TEST(PageLayout, APageThatTakesNoWholeLineStillAdvances) {
    // Margins that leave no body at all: each line gets a page of its own.
    PagePrinter printer(printing::mainWindowSettings());
    printer.TextOptions.MarginTop = 6;
    printer.TextOptions.MarginBottom = 6;
    printer.TextOptions.MarginLeft = 8;
    printer.TextOptions.MarginRight = 8;
    printer.PrintRichEdit(*printtest::document("jedan\ndva\ntri", "YHelvetica"));
    ASSERT_EQ(printer.PageCount(), 3);
    EXPECT_EQ(printer.Pages()->pageText(2).front(), QStringLiteral("tri"));
}

TEST(PageLayout, MarginsAreReadAsInchesDuringTheLayoutAndUnitsComeBack) {
    PagePrinter printer(printing::mainWindowSettings());
    printer.Units = printing::TUnits::unCentimeters;
    printer.TextOptions.MarginLeft = 2;
    printer.PrintRichEdit(*printtest::document("Tekst", "YHelvetica"));
    EXPECT_EQ(printer.Units, printing::TUnits::unCentimeters);
    EXPECT_EQ(printer.Pages()->pages()[0].body->body.left(), 192);  // 2 inches at 96 dpi
}

TEST(PageLayout, PagesAreRecordedAgainstTheCurrentPrinter) {
    testsupport::scriptedUi().printer = platform::PageMetrics{300, 300, 2480, 3508, 50, 50};
    printing::TPreviewPrinter printer(printing::mainWindowSettings());
    printer.PrintRichEdit(*printtest::document("Tekst", "YHelvetica"));
    EXPECT_EQ(printer.Pages()->page().width, 2480);
    EXPECT_EQ(printer.Pages()->pages()[0].body->body.top(), 300);

    printer.Orientation = printing::TPrinterOrientation::poLandscape;
    printer.PrintRichEdit(*printtest::document("Tekst", "YHelvetica"));
    EXPECT_EQ(printer.Pages()->page().width, 3508);
}

TEST(PageLayout, CanvasRecordsPagesAndAnUndrawnLastPageIsDropped) {
    PagePrinter printer;
    EXPECT_THROW(
        {
            try {
                printer.Canvas();
            } catch (const std::logic_error& e) {
                EXPECT_STREQ(e.what(), "Canvas is not available before BeginDoc");
                throw;
            }
        },
        std::logic_error);
    std::vector<std::string> status;
    printer.OnStatus = [&](const std::string& text) { status.push_back(text); };
    printer.BeginDoc();
    printer.Canvas()->drawRect(10, 10, 100, 100);
    printer.NewPage();
    printer.Canvas()->drawText(20, 20, QStringLiteral("dva"));
    printer.NewPage();
    printer.EndDoc();
    EXPECT_EQ(printer.PageCount(), 2);
    EXPECT_EQ(status, (std::vector<std::string>{"Kreiram stranu 1", "Kreiram stranu 2",
                                                "Kreiram stranu 3", "Kreiranje gotovo"}));
    EXPECT_THROW(printer.NewPage(), std::logic_error);
}

TEST(PageLayout, PageNumberTextTakesTheNumberOnce) {
    EXPECT_EQ(printing::pageNumberText("Strana %d", 7), "Strana 7");
    EXPECT_EQ(printing::pageNumberText("%d / %d %s 100%%", 2), "2 / %d %s 100%");
    EXPECT_EQ(printing::pageNumberText("bez broja", 3), "bez broja");
}

}  // namespace
