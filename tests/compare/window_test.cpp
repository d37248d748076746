// The comparison window as a user drives it: the proposed pair, the marks in
// the text, the list that jumps to an article, the other pair, the script
// switch and the print preview.
#include "viewer/tporedjenje.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>

#include "platform/textconv.h"
#include "printing/tpreviewprinter.h"
#include "search_db.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"

namespace {

using testsupport::child;
using testsupport::scriptedUi;

class ComparisonWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        db.gazette(1, "Slu`beni glasnik RS");
        const std::string first =
            "ZAKON O RADU\n^lan 1.\nPrvi tekst.\n^lan 2.\nRok je osam dana.\n"
            "^lan 3.\nBrisani ~lan.\n";
        const std::string second =
            "ZAKON O RADU\n^lan 1.\nPrvi tekst.\n^lan 2.\nRok je petnaest dana.\n"
            "^lan 4.\nNovi ~lan.\n";
        db.regulation({.id = 1,
                       .year = "2001",
                       .issue = "4",
                       .title = "Zakon o radu",
                       .text = first,
                       .cyrillic = first});
        db.regulation({.id = 2,
                       .year = "2005",
                       .issue = "24",
                       .title = "Zakon o radu",
                       .text = second,
                       .cyrillic = second});
        db.regulation({.id = 3,
                       .year = "2005",
                       .issue = "30",
                       .title = "Zakon o porezu",
                       .text = "^lan 1.\nPorez.\n"});
        db.archive(1, 0, 2);
        db.archive(2, 1, 0);
        window = std::make_unique<Tporedjenje>(db.session());
    }
    void TearDown() override { window.reset(); }

    QTextEdit* text() const { return child<QTextEdit>(window.get(), "TekstPoredjenja"); }
    QListWidget* list() const { return child<QListWidget>(window.get(), "ListaIzmena"); }
    // The character format at the first occurrence of a word in the text.
    QTextCharFormat formatAt(const QString& word) const {
        QTextCursor c = text()->document()->find(word);
        EXPECT_FALSE(c.isNull()) << word.toStdString();
        return c.charFormat();
    }

    searchtest::SearchDb db;
    std::unique_ptr<Tporedjenje> window;
};

TEST_F(ComparisonWindow, ShowsTheNewerTextWithTheMarks) {
    ASSERT_TRUE(window->prepare(2));
    EXPECT_EQ(child<QComboBox>(window.get(), "ComboStarija")->currentIndex(), 0);
    EXPECT_EQ(child<QComboBox>(window.get(), "ComboNovija")->currentIndex(), 1);
    EXPECT_EQ(platform::ys(child<QComboBox>(window.get(), "ComboNovija")->currentText()),
              "24/2005  Zakon o radu");

    ASSERT_EQ(list()->count(), 3);
    EXPECT_EQ(platform::ys(list()->item(0)->text()), "^lan 2. (izmenjen)");
    EXPECT_EQ(platform::ys(list()->item(1)->text()), "^lan 3. (brisan)");
    EXPECT_EQ(platform::ys(list()->item(2)->text()), "^lan 4. (dodat)");

    const QTextCharFormat added = formatAt(QStringLiteral("petnaest"));
    EXPECT_TRUE(added.fontUnderline());
    EXPECT_EQ(added.foreground().color(), QColor(0, 128, 0));
    const QTextCharFormat removed = formatAt(QStringLiteral("osam"));
    EXPECT_TRUE(removed.fontStrikeOut());
    EXPECT_EQ(removed.foreground().color(), QColor(200, 0, 0));
    const QTextCharFormat same = formatAt(QStringLiteral("Prvi"));
    EXPECT_FALSE(same.fontStrikeOut());
    EXPECT_FALSE(same.fontUnderline());
    EXPECT_TRUE(formatAt(platform::qs("Brisani")).fontStrikeOut());
    EXPECT_TRUE(formatAt(platform::qs("Novi")).fontUnderline());
    EXPECT_EQ(platform::ys(child<QLabel>(window.get(), "LabelUkupno")->text()),
              "Izmenjenih ~lanova: 1, dodatih: 1, brisanih: 1");

    // A click on "^lan 4. (dodat)" puts the caret at that article.
    list()->setCurrentRow(2);
    const QTextBlock block = text()->textCursor().block();
    EXPECT_EQ(platform::ys(block.text()), "^lan 4.");
}

TEST_F(ComparisonWindow, SameVersionOnBothSidesShowsNoChange) {
    ASSERT_TRUE(window->prepare(1));
    child<QComboBox>(window.get(), "ComboNovija")->setCurrentIndex(0);
    EXPECT_EQ(list()->count(), 0);
    EXPECT_TRUE(window->comparison().identical());
    EXPECT_EQ(platform::ys(child<QLabel>(window.get(), "LabelUkupno")->text()),
              "Izabrane verzije se ne razlikuju.");
}

TEST_F(ComparisonWindow, RegulationWithoutVersionsSaysSo) {
    scriptedUi().expectMessage("Ovaj propis nema drugih verzija za pore|enje.");
    EXPECT_FALSE(window->prepare(3));
}

TEST_F(ComparisonWindow, CyrillicAndPrint) {
    ASSERT_TRUE(window->prepare(2));
    child<QToolButton>(window.get(), "SpeedButtonPismo")->click();
    EXPECT_EQ(text()->document()->defaultFont().family(), QStringLiteral("CHelvetica"));
    EXPECT_EQ(list()->count(), 3);

    scriptedUi().printerName = "Laser";
    scriptedUi().expectPrinterSetup(true);
    const printing::TPreviewPrinter* printer = window->findChild<printing::TPreviewPrinter*>();
    ASSERT_NE(printer, nullptr);
    scriptedUi().expectModal([&](QDialog& preview) {
        EXPECT_EQ(preview.objectName(), QStringLiteral("PreviewForm"));
        return 0;
    });
    child<QToolButton>(window.get(), "SpeedButtonStampa")->click();
    EXPECT_EQ(printer->PageCount(), 1);
    EXPECT_EQ(printer->TextOptions.HeaderFont.Name, "CHelvetica");
}

}  // namespace
