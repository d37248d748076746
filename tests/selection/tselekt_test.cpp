// The selection window on its own: rows handed over by a caller, the fresh
// start of every showing, the details of the selected row, highlighting by
// title, sorting, opening a row, the archive jump, marking and the close.
#include "selection/tselekt.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

#include "platform/textconv.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"
#include "widgets/reportlist.h"

namespace {

using lists::Row;
using testsupport::scriptedUi;
using Texts = std::vector<std::string>;

constexpr const char* kNothingFound = "Nije pronadjen nijedan propis sa zadatim tekstom u naslovu";

const std::vector<Row> kRows = {
    {"Zakon o radu", {"Slu`beni glasnik RS", "24/2005"}},
    {"Pravilnik o obrascu PDV", {"Slu`beni glasnik RS", "12/2005"}},
    {"Zakon o porezu na dodatu vrednost", {"Slu`beni list SRJ", "3/2005"}},
    {"Uredba o ceni", {"Slu`beni list SCG", "5/1999"}},
    {"Zakon o radnim odnosima", {"", ""}},
};

class Selection : public ::testing::Test {
  protected:
    void SetUp() override {
        window.links.archiveTest = [this](const std::string& title) {
            tested.push_back(title);
            return title == "Zakon o radu" || title == "Zakon o porezu na dodatu vrednost";
        };
        QObject::connect(&window, &Tselekt::openRequested,
                         [this](const std::string& title, const std::string& bg) {
                             opened.push_back(title + "|" + bg);
                         });
        QObject::connect(&window, &Tselekt::archiveJumpRequested,
                         [this](const std::string& title) { jumped.push_back(title); });
        QObject::connect(&window, &Tselekt::quickOpenMarked,
                         [this](const std::string& title) { marked.push_back(title); });
        QObject::connect(&window, &Tselekt::closing, [this] { ++progressResets; });
    }

    // Fills the rows and shows the window; inside() runs while it shows.
    void show(const std::function<void()>& inside) {
        testsupport::child<widgets::ReportList>(&window, "Listbox1")->setRows(kRows);
        scriptedUi().expectModal([&](QDialog&) {
            inside();
            return 0;
        });
        platform::ui().showModal(window);
    }

    std::vector<int> selectedRows() const {
        return testsupport::child<widgets::ReportList>(&window, "Listbox1")->selectedRowList();
    }

    void highlight(const std::string& text) {
        testsupport::child<QLineEdit>(&window, "Edit1")->setText(platform::qs(text));
        testsupport::child<QToolButton>(&window, "SpeedButton1")->click();
    }

    Tselekt window;
    Texts tested, opened, jumped, marked;
    int progressResets = 0;
};

TEST_F(Selection, EveryShowingStartsFreshWithTheFirstRowAndItsDetails) {
    for (int showing = 0; showing < 2; ++showing) {
        show([&] {
            EXPECT_TRUE(testsupport::child<QLineEdit>(&window, "Edit1")->text().isEmpty());
            EXPECT_EQ(selectedRows(), std::vector<int>{0});
            EXPECT_EQ(
                platform::ys(testsupport::child<QPlainTextEdit>(&window, "Memo1")->toPlainText()),
                "Zakon o radu\nSlu`beni glasnik RS (24/2005)");
            EXPECT_FALSE(testsupport::child<QPlainTextEdit>(&window, "Memo1")->isEnabled());
            EXPECT_TRUE(testsupport::child<QToolButton>(&window, "SpeedButton3")->isEnabled());
            EXPECT_FALSE(window.fresh);
            // Later activations in the same showing change nothing.
            testsupport::child<QLineEdit>(&window, "Edit1")->setText(QStringLiteral("RADU"));
            window.FormActivate();
            EXPECT_EQ(testsupport::child<QLineEdit>(&window, "Edit1")->text(),
                      QStringLiteral("RADU"));
        });
        EXPECT_TRUE(window.fresh);
        EXPECT_EQ(testsupport::child<widgets::ReportList>(&window, "Listbox1")->count(), 0);
    }
    EXPECT_EQ(progressResets, 2);
}

TEST_F(Selection, DetailsFollowTheSelectedRowAndTheArchiveTest) {
    show([&] {
        testsupport::child<widgets::ReportList>(&window, "Listbox1")->selectOnly(3);
        EXPECT_EQ(platform::ys(testsupport::child<QPlainTextEdit>(&window, "Memo1")->toPlainText()),
                  "Uredba o ceni\nSlu`beni list SCG (5/1999)");
        EXPECT_FALSE(testsupport::child<QToolButton>(&window, "SpeedButton3")->isEnabled());
        testsupport::child<widgets::ReportList>(&window, "Listbox1")->selectOnly(4);
        EXPECT_EQ(platform::ys(testsupport::child<QPlainTextEdit>(&window, "Memo1")->toPlainText()),
                  "Zakon o radnim odnosima\n ()");
    });
    EXPECT_EQ(tested.back(), "Zakon o radnim odnosima");
}

TEST_F(Selection, HighlightingSelectsTheRowsWhoseTitleHoldsTheText) {
    show([&] {
        highlight("zakon o ra");
        EXPECT_EQ(selectedRows(), (std::vector<int>{0, 4}));
        EXPECT_EQ(testsupport::child<widgets::ReportList>(&window, "Listbox1")->selectedIndex(), 0);

        highlight("");
        EXPECT_EQ(selectedRows(), std::vector<int>{0});

        testsupport::child<widgets::ReportList>(&window, "Listbox1")->selectOnly(3);
        highlight("PDV");
        EXPECT_EQ(selectedRows(), std::vector<int>{1});
        EXPECT_EQ(platform::ys(testsupport::child<QPlainTextEdit>(&window, "Memo1")->toPlainText()),
                  "Pravilnik o obrascu PDV\nSlu`beni glasnik RS (12/2005)");

        scriptedUi().expectMessage(kNothingFound);
        highlight("NEMA");
        EXPECT_TRUE(selectedRows().empty());
    });
}

TEST_F(Selection, EnterInTheFieldHighlightsToo) {
    show([&] {
        testsupport::child<QLineEdit>(&window, "Edit1")->setText(QStringLiteral("UREDBA"));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(testsupport::child<QLineEdit>(&window, "Edit1"), &enter);
        EXPECT_EQ(selectedRows(), std::vector<int>{3});
    });
}

TEST_F(Selection, SortingByTheNumberComparesTheYearFirst) {
    show([&] {
        testsupport::child<widgets::ReportList>(&window, "Listbox1")->clickColumn(2);
        Texts numbers;
        for (const Row& r : testsupport::child<widgets::ReportList>(&window, "Listbox1")->rows()) {
            numbers.push_back(r.sub[1]);
        }
        // The row without a number compares equal to every other one.
        const auto at = [&](const char* n) { return std::find(numbers.begin(), numbers.end(), n); };
        EXPECT_LT(at("5/1999"), at("12/2005"));
        EXPECT_LT(at("12/2005"), at("24/2005"));
        EXPECT_LT(at("24/2005"), at("3/2005"));
        EXPECT_EQ(testsupport::child<widgets::ReportList>(&window, "Listbox1")->sortColumn(), 2);
    });
    EXPECT_EQ(testsupport::child<widgets::ReportList>(&window, "Listbox1")->sortColumn(),
              -1);  // the close removes the marker
}

TEST_F(Selection, OpeningAJumpAndMarkingGoThroughTheCaller) {
    show([&] {
        testsupport::child<widgets::ReportList>(&window, "Listbox1")->selectOnly(-1);
        testsupport::pressEnter(
            testsupport::child<widgets::ReportList>(&window, "Listbox1"));  // nothing selected
        testsupport::child<QAction>(&window, "Oznaci1")
            ->trigger();  // nothing selected: the first row
        testsupport::child<widgets::ReportList>(&window, "Listbox1")->selectOnly(2);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(testsupport::child<widgets::ReportList>(&window, "Listbox1"),
                                    &enter);
        testsupport::child<QAction>(&window, "Oznaci1")->trigger();
        testsupport::child<QToolButton>(&window, "SpeedButton3")->click();
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_EQ(opened, Texts{"Zakon o porezu na dodatu vrednost|3/2005"});
    EXPECT_EQ(marked, (Texts{"Zakon o radu", "Zakon o porezu na dodatu vrednost"}));
    EXPECT_EQ(jumped, Texts{"Zakon o porezu na dodatu vrednost"});
    EXPECT_EQ(testsupport::child<widgets::ReportList>(&window, "Listbox1")->count(), 0);
}

TEST_F(Selection, CtrlF4ClosesAndEscapeDoesNot) {
    show([&] {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &escape);
        EXPECT_TRUE(window.isVisible());
        QKeyEvent ctrlF4(QEvent::KeyPress, Qt::Key_F4, Qt::ControlModifier);
        QCoreApplication::sendEvent(testsupport::child<widgets::ReportList>(&window, "Listbox1"),
                                    &ctrlF4);
        EXPECT_FALSE(window.isVisible());
    });
    EXPECT_TRUE(window.fresh);
}

}  // namespace
