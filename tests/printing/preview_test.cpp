// The preview window: zoom list and zoom tool, fitting, navigation, Escape,
// saving as PDF; screenshots at two zooms.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

#include "platform/textconv.h"
#include "print_fixture.h"
#include "printing/tpreviewform.h"
#include "printing/tpreviewprinter.h"
#include "support/scripted_ui.h"
#include "support/temp_program_dir.h"

namespace {

using testsupport::scriptedUi;

void click(QWidget* widget, Qt::MouseButton button) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), button, button,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
}

class PreviewTest : public ::testing::Test {
  protected:
    void open(int pages, printing::PrinterSettings settings = printing::mainWindowSettings()) {
        printer = std::make_unique<printing::TPreviewPrinter>(settings);
        printer->PrintRichEdit(*printtest::pagedDocument(pages));
        form = std::make_unique<printing::TPreviewForm>(*printer);
        form->show();
        QApplication::processEvents();
    }
    QString zoomLabel() const { return form->ZoomLabel->text(); }
    QWidget* panel() const { return form->findChild<QWidget*>(QStringLiteral("PagePanel")); }

    std::unique_ptr<printing::TPreviewPrinter> printer;
    std::unique_ptr<printing::TPreviewForm> form;
};

TEST_F(PreviewTest, OpensOnTheFirstPageFittedToThePage) {
    open(3);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Trevion"));
    EXPECT_EQ(platform::ys(form->ZoomBox->currentText()), "Cela strana");
    EXPECT_TRUE(form->FitPageBut->isChecked());
    EXPECT_TRUE(form->ZoomCursorBut->isChecked());
    EXPECT_EQ(form->CurPageLabel->text(), QStringLiteral("Strana 1 od 3"));
    const auto* view = form->findChild<QScrollArea*>(QStringLiteral("ScrollBox"))->viewport();
    EXPECT_NEAR(panel()->height(), view->height() - 20, 1);

    form->FitWidthBut->click();
    EXPECT_EQ(platform::ys(form->ZoomBox->currentText()), "Puna {irina");
    EXPECT_TRUE(form->FitWidthBut->isChecked());
    EXPECT_FALSE(form->FitPageBut->isChecked());
}

TEST_F(PreviewTest, ZoomToolZoomsInByHalfAndOutDownToFifteenPercent) {
    open(1);
    form->ZoomBox->setCurrentIndex(form->ZoomBox->findText(QStringLiteral("400%")));
    EXPECT_EQ(zoomLabel(), QStringLiteral("400%"));
    click(panel(), Qt::LeftButton);
    EXPECT_EQ(zoomLabel(), QStringLiteral("600%"));
    EXPECT_EQ(platform::ys(form->ZoomBox->currentText()), "Korisni~ki");
    EXPECT_FALSE(form->FitPageBut->isChecked());
    for (int i = 0; i < 20; ++i) {
        click(panel(), Qt::RightButton);
    }
    EXPECT_EQ(zoomLabel(), QStringLiteral("15%"));
    EXPECT_DOUBLE_EQ(form->zoomFactor(), 0.15);
}

TEST_F(PreviewTest, ZoomToolCentresTheClickedPoint) {
    open(1);
    form->ZoomBox->setCurrentIndex(form->ZoomBox->findText(QStringLiteral("200%")));
    const QPoint corner(panel()->width() / 4, panel()->height() / 4);
    form->zoomAt(corner, true);
    auto* scroll = form->findChild<QScrollArea*>(QStringLiteral("ScrollBox"));
    const QPoint centre = scroll->viewport()->rect().center();
    const QPoint shown = panel()->mapFrom(scroll->viewport(), centre);
    EXPECT_NEAR(shown.x(), panel()->width() / 4, 2);
    EXPECT_NEAR(shown.y(), panel()->height() / 4, 2);
}

struct NavCase {
    const char* name;
    int pages;
    int page;  // moved to before the check
    bool earlier;
    bool later;
};

TEST_F(PreviewTest, NavigationButtonsFollowThePage) {
    const NavCase cases[] = {
        {"first of three", 3, 0, false, true},
        {"middle", 3, 1, true, true},
        {"last of three", 3, 2, true, false},
        {"single page", 1, 0, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        open(c.pages);
        for (int i = 0; i < c.page; ++i) {
            form->NextPageSpeed->click();
        }
        EXPECT_EQ(form->currentPage(), c.page);
        EXPECT_EQ(form->CurPageLabel->text(),
                  QStringLiteral("Strana %1 od %2").arg(c.page + 1).arg(c.pages));
        for (QWidget* w : std::initializer_list<QWidget*>{form->FirstPageSpeed, form->PrevPageSpeed,
                                                          form->PrevPageBut}) {
            EXPECT_EQ(w->isEnabled(), c.earlier) << w->objectName().toStdString();
        }
        for (QWidget* w : std::initializer_list<QWidget*>{form->LastPageSpeed, form->NextPageSpeed,
                                                          form->NextPageBut}) {
            EXPECT_EQ(w->isEnabled(), c.later) << w->objectName().toStdString();
        }
    }
    form->FirstPageSpeed->click();
    form->LastPageSpeed->click();
    EXPECT_EQ(form->currentPage(), 0);  // the single page
}

TEST_F(PreviewTest, FitToWidthOptionStartsOnFullWidth) {
    auto settings = printing::mainWindowSettings();
    settings.ZoomOption = printing::TZoomOption::zoFitToWidth;
    open(1, settings);
    EXPECT_EQ(platform::ys(form->ZoomBox->currentText()), "Puna {irina");
}

TEST(PreviewWindow, PreviewIsModalAndEscapeClosesIt) {
    printing::TPreviewPrinter printer(printing::documentWindowSettings("YHelvetica", "TREVION"));
    printer.PrintRichEdit(*printtest::document("Tekst", "YHelvetica"));
    bool closed = false;
    scriptedUi().expectModal([&](QDialog& dialog) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &escape);
        closed = !dialog.isVisible();
        return 0;
    });
    printer.Preview();
    EXPECT_TRUE(closed);
    EXPECT_EQ(scriptedUi().shown().back().text, "Trevion");
    // The pages stay with the printer.
    EXPECT_EQ(printer.PageCount(), 1);
}

TEST_F(PreviewTest, PrintButtonPrintsThroughTheDialog) {
    open(2);
    scriptedUi().expectPrintDialog(platform::PrintChoice{false, 1, 2, 1});
    form->PrintBut->click();
    ASSERT_EQ(scriptedUi().printJobs.size(), 1u);
    EXPECT_EQ(scriptedUi().printJobs[0].pages, (std::vector<int>{1, 2}));
}

TEST_F(PreviewTest, SaveAsPdfWritesTheNamedFile) {
    const auto dir = printtest::tempFolder("button");
    open(2);
    scriptedUi().expectSaveFile((dir / "propis").string());
    form->PdfBut->click();
    ASSERT_TRUE(std::filesystem::exists(dir / "propis.pdf"));
    const std::string text = printtest::pdfText(dir / "propis.pdf");
    EXPECT_NE(text.find("Paragraf 2"), std::string::npos);

    scriptedUi().expectSaveFile(std::nullopt);  // cancelled: nothing
    form->PdfBut->click();
    scriptedUi().expectSaveFile((dir / "missing" / "x.pdf").string());
    scriptedUi().expectMessage();
    form->PdfBut->click();
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    std::filesystem::remove_all(dir);
}

TEST_F(PreviewTest, Screenshots) {
    // The interface face draws the captions' Serbian letters.
    for (const char* file : {"Yuerife.FON", "Yhelvn.TTF"}) {
        QFontDatabase::addApplicationFont(
            QString::fromStdString((testsupport::builtProgramDir() / file).string()));
    }
    printer = std::make_unique<printing::TPreviewPrinter>(
        printing::documentWindowSettings("YHelvetica", "TREVION, Izdava~ka ku}a Korvet"));
    std::string text = "Zakon o ra~unovodstvu\n\n";
    for (int i = 1; i <= 40; ++i) {
        text += "^lan " + std::to_string(i) +
                ".\nOvim zakonom ure|uju se uslovi i na~in vo|ewa poslovnih kwiga, "
                "priznavawe i procewivawe imovine i obaveza, prihoda i rashoda.\n";
    }
    printer->PrintRichEdit(*printtest::document(text, "YHelvetica"));
    form = std::make_unique<printing::TPreviewForm>(*printer);
    form->resize(1000, 760);
    form->show();
    QApplication::processEvents();
    EXPECT_TRUE(form->grab().save(QStringLiteral("preview-fit-page.png")));
    form->ZoomBox->setCurrentIndex(form->ZoomBox->findText(QStringLiteral("100%")));
    form->zoomAt(QPoint(panel()->width() / 3, panel()->height() / 5), true);
    QApplication::processEvents();
    EXPECT_EQ(zoomLabel(), QStringLiteral("150%"));
    EXPECT_TRUE(form->grab().save(QStringLiteral("preview-150.png")));
}

}  // namespace
