// The pages "^esto kori{}eni propisi", "Mi{ljenja" and "Arhiva" of the main
// window on a copy of the demo database, with the document window and the
// selection window wired as the program wires them: reopening from the
// lists, the history re-run, the newest regulations, the opinion searches
// and the opinion in the document window, the archive search and version
// lists, and the archive jumps of the other two windows.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>

#include "database/schema.h"
#include "dbviews/dbrichedit.h"
#include "engine/table.h"
#include "mainwindow/tform1.h"
#include "pages_fixture.h"
#include "platform/textconv.h"
#include "selection/tselekt.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"
#include "viewer/tform3.h"
#include "widgets/reportlist.h"

namespace {

using lists::Row;
using pagestest::captions;
using pagestest::column;
using pagestest::Texts;
using testsupport::scriptedUi;

constexpr const char* kAccounting = "Zakon o ra~unovodstvu";
constexpr const char* kAccountingAudit = "Zakon o ra~unovodstvu i reviziji";
constexpr const char* kFinance = "Ministarstvo finansija";
constexpr const char* kOpinion2004 = "Evidentiranje za PDV pre po~etka primene zakona";

std::vector<int> icons(const widgets::ReportList* list) {
    std::vector<int> out;
    for (const Row& r : list->rows()) {
        out.push_back(r.image);
    }
    return out;
}

Texts entries(const QListWidget* list) {
    Texts out;
    for (int i = 0; i < list->count(); ++i) {
        out.push_back(platform::ys(list->item(i)->text()));
    }
    return out;
}

// The row of the list with this BG.
int rowWithBg(const widgets::ReportList* list, const std::string& bg) {
    for (int i = 0; i < list->count(); ++i) {
        if (list->row(i).sub.at(0) == bg) {
            return i;
        }
    }
    ADD_FAILURE() << "no row " << bg;
    return -1;
}

// The main window after its first activation, the document window and the
// selection window.
class ListPages : public pagestest::MainWindowPages {
  protected:
    void SetUp() override {
        MainWindowPages::SetUp();
        selection = std::make_unique<Tselekt>();
        app::wireSelection(*form, *selection);
    }
    void TearDown() override {
        selection.reset();
        MainWindowPages::TearDown();
    }

    // Expects the document window; inside() sees it shown.
    void expectDocument(const std::string& title, const std::function<void()>& inside = {}) {
        scriptedUi().expectModal([title, inside](QDialog& d) {
            EXPECT_EQ(platform::ys(d.windowTitle()), title);
            if (inside) {
                inside();
            }
            return 0;
        });
    }

    std::string currentBg() { return form->Zakoni.field(database::pos::kZakoniBg).asString(); }

    void selectEntry(QListWidget* list, int row) {
        list->setCurrentRow(row);
        ASSERT_TRUE(list->item(row)->isSelected());
    }

    // The archive title search as the button runs it.
    void archiveSearch(const std::string& text) {
        testsupport::child<QLineEdit>(form.get(), "Edit7")->setText(platform::qs(text));
        testsupport::child<QAbstractButton>(form.get(), "SpeedButton22")->click();
    }

    Texts opinionSearch(const std::string& text, bool texts = false) {
        testsupport::child<QLineEdit>(form.get(), "Edit8")->setText(platform::qs(text));
        (texts ? testsupport::child<QRadioButton>(form.get(), "RadioButton3")
               : testsupport::child<QRadioButton>(form.get(), "RadioButton4"))
            ->setChecked(true);
        testsupport::child<QAbstractButton>(form.get(), "SpeedButton14")->click();
        return captions(testsupport::child<widgets::ReportList>(form.get(), "Listbox6"));
    }

    void chooseMinistry(const std::string& name) {
        const int index =
            testsupport::child<QComboBox>(form.get(), "ComboBox1")->findText(platform::qs(name));
        ASSERT_GE(index, 0) << name;
        testsupport::child<QComboBox>(form.get(), "ComboBox1")->setCurrentIndex(index);
    }

    std::unique_ptr<Tselekt> selection;
};

// ---------------------------------------------------------------------------
// Lists page
// ---------------------------------------------------------------------------

TEST_F(ListPages, RecentEntryOpensTheFirstRegulationOfItsTitleAndKeepsTheList) {
    form->liste.recent = {"Odluka o visini najni`e cene rada", kAccounting};
    form->prikaziliste();
    testsupport::doubleClickCurrent(testsupport::child<QListWidget>(
        form.get(), "ListBox5"));  // nothing selected: nothing opens

    selectEntry(testsupport::child<QListWidget>(form.get(), "ListBox5"), 0);
    std::string bg;
    expectDocument("Odluka o visini najni`e cene rada", [&] { bg = currentBg(); });
    testsupport::doubleClickCurrent(testsupport::child<QListWidget>(form.get(), "ListBox5"));
    EXPECT_EQ(bg, "12a/2005");  // the first of two issues
    EXPECT_EQ(form->liste.recent, (Texts{"Odluka o visini najni`e cene rada", kAccounting}));
}

TEST_F(ListPages, QuickOpenTitleOfAnOpinionIsDroppedWithAMessage) {
    form->liste.quick = {kOpinion2004, kAccounting};
    form->prikaziliste();
    form->sredibrze();

    selectEntry(testsupport::child<QListWidget>(form.get(), "ListBox8"), 0);
    scriptedUi().expectMessage("Za pristup misljenjima koristite deo Misljenja");
    testsupport::doubleClickCurrent(testsupport::child<QListWidget>(form.get(), "ListBox8"));
    EXPECT_EQ(form->liste.quick, Texts{kAccounting});
    EXPECT_EQ(entries(testsupport::child<QListWidget>(form.get(), "ListBox8")), Texts{kAccounting});
    // The menu: heading, separator, the one title left.
    ASSERT_EQ(testsupport::child<QMenu>(form.get(), "PopupMenu1")->actions().size(), 3);
    EXPECT_EQ(
        platform::ys(testsupport::child<QMenu>(form.get(), "PopupMenu1")->actions().at(2)->text()),
        kAccounting);

    selectEntry(testsupport::child<QListWidget>(form.get(), "ListBox8"), 0);
    std::string bg;
    expectDocument(kAccounting, [&] { bg = currentBg(); });
    testsupport::doubleClickCurrent(testsupport::child<QListWidget>(form.get(), "ListBox8"));
    EXPECT_EQ(bg, "46/1996");
    EXPECT_EQ(form->Zakoni.filter(), "");
}

TEST_F(ListPages, MenuItemOpensARegulationAndIgnoresAnOpinion) {
    form->liste.quick = {kOpinion2004, kAccounting};
    form->sredibrze();
    testsupport::child<QMenu>(form.get(), "PopupMenu1")
        ->actions()
        .at(2)
        ->trigger();  // the opinion: nothing, silently
    EXPECT_EQ(form->liste.quick.size(), 2u);

    expectDocument(kAccounting);
    testsupport::child<QMenu>(form.get(), "PopupMenu1")->actions().at(3)->trigger();
}

TEST_F(ListPages, StoredSearchRunsAgainWithItsTextAndScopeAndAddsNoEntry) {
    struct Case {
        const char* entry;
        const char* text;
        bool texts;
        Texts found;
    } cases[] = {
        {"'PDV OBRASCU' - po naslovima (nadjeno 1 propisa)",
         "PDV OBRASCU",
         false,
         {"Pravilnik o obrascu 'PP PDV'"}},
        // A quote of the text is doubled in the entry and comes back single.
        {"'''PP' - po naslovima (nadjeno 1 propisa)",
         "'PP",
         false,
         {"Pravilnik o obrascu 'PP PDV'"}},
        {"'REVIZIJI' - po naslovima i tekstovima (nadjeno 2 propisa)", "REVIZIJI", true, {}},
    };
    for (const Case& c : cases) {
        form->liste.history = {"'X' - po naslovima (nadjeno 0 propisa)", c.entry};
        form->prikaziliste();
        testsupport::child<QRadioButton>(form.get(), "RadioButton6")
            ->setChecked(!c.texts);  // the other scope than the entry's
        testsupport::child<QRadioButton>(form.get(), "RadioButton5")->setChecked(c.texts);
        selectEntry(testsupport::child<QListWidget>(form.get(), "ListBox4"), 1);
        testsupport::doubleClickCurrent(testsupport::child<QListWidget>(form.get(), "ListBox4"));

        EXPECT_EQ(platform::ys(testsupport::child<QLineEdit>(form.get(), "Edit2")->text()), c.text);
        EXPECT_EQ(testsupport::child<QRadioButton>(form.get(), "RadioButton5")->isChecked(),
                  c.texts)
            << c.entry;
        EXPECT_EQ(testsupport::child<QTabWidget>(form.get(), "PageControl1")->currentIndex(),
                  TForm1::kPretraga);
        EXPECT_EQ(form->liste.history.size(), 2u) << c.entry;
        EXPECT_FALSE(form->ponovljenaPretraga);
        if (!c.found.empty()) {
            EXPECT_EQ(captions(testsupport::child<widgets::ReportList>(form.get(), "ListBox2")),
                      c.found)
                << c.entry;
        } else {
            EXPECT_FALSE(
                testsupport::child<widgets::ReportList>(form.get(), "ListBox2")->rows().empty())
                << c.entry;
        }
    }
    // A search started by the user afterwards is remembered again.
    testsupport::child<QAbstractButton>(form.get(), "SpeedButton1")->click();
    EXPECT_EQ(form->liste.history.size(), 3u);
}

TEST_F(ListPages, ButtonsEmptyTheListsAndRemoveTheSelectedQuickTitle) {
    form->liste.recent = {"A", "B"};
    form->liste.history = {"'A' - po naslovima (nadjeno 0 propisa)"};
    form->liste.quick = {"Q1", "Q2", "Q3"};
    form->prikaziliste();
    form->sredibrze();

    testsupport::child<QAbstractButton>(form.get(), "SpeedButton21")->click();  // nothing selected
    EXPECT_EQ(form->liste.quick.size(), 3u);
    selectEntry(testsupport::child<QListWidget>(form.get(), "ListBox8"), 1);
    testsupport::child<QAbstractButton>(form.get(), "SpeedButton21")->click();
    EXPECT_EQ(form->liste.quick, (Texts{"Q1", "Q3"}));
    EXPECT_EQ(testsupport::child<QMenu>(form.get(), "PopupMenu1")->actions().size(), 4);

    testsupport::child<QAbstractButton>(form.get(), "SpeedButton24")->click();
    testsupport::child<QAbstractButton>(form.get(), "SpeedButton25")->click();
    EXPECT_TRUE(form->liste.recent.empty());
    EXPECT_TRUE(form->liste.history.empty());
    EXPECT_EQ(testsupport::child<QListWidget>(form.get(), "ListBox5")->count(), 0);
    EXPECT_EQ(testsupport::child<QListWidget>(form.get(), "ListBox4")->count(), 0);
}

TEST_F(ListPages, NewestButtonWithAnEmptyListOnlyShowsItsMessage) {
    form->liste.newest.clear();
    scriptedUi().expectMessage(
        "Ne postoji ni jedan propis u listi najnovijih.\n\r"
        "Ovu listu mozete koristit tek nakon prvog azuriranja.");
    testsupport::child<QAbstractButton>(form.get(), "SpeedButton10")->click();
    EXPECT_EQ(testsupport::child<widgets::ReportList>(selection.get(), "Listbox1")->count(), 0);
}

TEST_F(ListPages, NewestButtonFillsTheSelectionWindow) {
    form->liste.newest = {kAccounting, "Nema takvog propisa", "Pravilnik o obrascu 'PP PDV'"};
    std::vector<Row> shown;
    std::string memo;
    bool archive = false;
    scriptedUi().expectModal([&](QDialog& d) {
        EXPECT_EQ(&d, selection.get());
        shown = testsupport::child<widgets::ReportList>(selection.get(), "Listbox1")->rows();
        memo = platform::ys(
            testsupport::child<QPlainTextEdit>(selection.get(), "Memo1")->toPlainText());
        archive = testsupport::child<QToolButton>(selection.get(), "SpeedButton3")->isEnabled();
        return 0;
    });
    testsupport::child<QAbstractButton>(form.get(), "SpeedButton10")->click();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0], (Row{kAccounting, {"Slu`beni list SRJ", "46/1996"}, lists::kDocument}));
    EXPECT_EQ(shown[1], (Row{"Nema takvog propisa", {"", ""}, lists::kDocument}));
    EXPECT_EQ(shown[2].sub, (Texts{"Slu`beni glasnik RS", "10/2005"}));
    EXPECT_EQ(memo, std::string(kAccounting) + "\nSlu`beni list SRJ (46/1996)");
    EXPECT_TRUE(archive);  // the first row's regulation has a next version
    EXPECT_EQ(testsupport::child<widgets::ReportList>(selection.get(), "Listbox1")->count(),
              0);  // emptied by the close
}

TEST_F(ListPages, SelectionWindowOpensARowAndAddsItToTheRecentList) {
    form->liste.newest = {"Odluka o visini najni`e cene rada"};
    testsupport::child<QAbstractButton>(form.get(), "SpeedButton24")->click();
    form->selectPage(TForm1::kPretraga);
    testsupport::child<QRadioButton>(form.get(), "RadioButton5")->setChecked(true);
    std::string bg;
    scriptedUi().expectModal([&](QDialog&) {
        expectDocument("Odluka o visini najni`e cene rada", [&] { bg = currentBg(); });
        testsupport::child<widgets::ReportList>(selection.get(), "Listbox1")->selectOnly(0);
        testsupport::pressEnter(
            testsupport::child<widgets::ReportList>(selection.get(), "Listbox1"));
        // The page was refreshed: the keyword page's scope is titles again.
        EXPECT_TRUE(testsupport::child<QRadioButton>(form.get(), "RadioButton6")->isChecked());
        return 0;
    });
    testsupport::child<QAbstractButton>(form.get(), "SpeedButton10")->click();
    EXPECT_EQ(bg, "12a/2005");
    EXPECT_EQ(form->liste.recent, Texts{"Odluka o visini najni`e cene rada"});
}

// ---------------------------------------------------------------------------
// Opinions page
// ---------------------------------------------------------------------------

TEST_F(ListPages, OpinionControlsStartAsTheDesignHasThem) {
    EXPECT_EQ(platform::ys(testsupport::child<QComboBox>(form.get(), "ComboBox1")->itemText(0)),
              "Sve");
    EXPECT_EQ(platform::ys(testsupport::child<QComboBox>(form.get(), "ComboBox1")->itemText(1)),
              kFinance);
    EXPECT_EQ(testsupport::child<QComboBox>(form.get(), "ComboBox1")->currentIndex(), 0);
    EXPECT_TRUE(testsupport::child<QRadioButton>(form.get(), "RadioButton4")->isChecked());
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "Listbox6")->count(), 0);
    EXPECT_TRUE(testsupport::child<QCheckBox>(form.get(), "SviDatumi")->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{
             testsupport::child<QSpinBox>(form.get(), "SpinEdit5"),
             testsupport::child<QSpinBox>(form.get(), "SpinEdit6"),
             testsupport::child<QSpinBox>(form.get(), "SpinEdit13"),
             testsupport::child<QSpinBox>(form.get(), "SpinEdit14"),
             testsupport::child<QSpinBox>(form.get(), "SpinEdit15"),
             testsupport::child<QSpinBox>(form.get(), "SpinEdit16"),
             testsupport::child<QLabel>(form.get(), "Label59"),
             testsupport::child<QAbstractButton>(form.get(), "SpeedButton13")}) {
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    }
    testsupport::child<QCheckBox>(form.get(), "SviDatumi")->click();
    EXPECT_TRUE(testsupport::child<QAbstractButton>(form.get(), "SpeedButton13")->isEnabled());
    EXPECT_TRUE(testsupport::child<QSpinBox>(form.get(), "SpinEdit16")->isEnabled());
    // The arrows change the numbers; typing does not.
    EXPECT_TRUE(testsupport::child<QSpinBox>(form.get(), "SpinEdit5")
                    ->findChild<QLineEdit*>()
                    ->isReadOnly());
    testsupport::child<QSpinBox>(form.get(), "SpinEdit5")->stepBy(1);
    EXPECT_EQ(testsupport::child<QSpinBox>(form.get(), "SpinEdit5")->value(), 2);
    testsupport::child<QSpinBox>(form.get(), "SpinEdit5")->stepBy(-1);

    struct Field {
        QSpinBox* spin;
        int min, max, value;
    };
    const int year = std::max(QDate::currentDate().year(), 2020);
    for (const Field& f :
         {Field{testsupport::child<QSpinBox>(form.get(), "SpinEdit5"), 1, 31, 1},
          Field{testsupport::child<QSpinBox>(form.get(), "SpinEdit6"), 0, 12, 1},
          Field{testsupport::child<QSpinBox>(form.get(), "SpinEdit13"), 1900, year, 1950},
          Field{testsupport::child<QSpinBox>(form.get(), "SpinEdit14"), 1, 31, 31},
          Field{testsupport::child<QSpinBox>(form.get(), "SpinEdit15"), 0, 12, 12},
          Field{testsupport::child<QSpinBox>(form.get(), "SpinEdit16"), 1900, year, year}}) {
        EXPECT_EQ(f.spin->minimum(), f.min) << f.spin->objectName().toStdString();
        EXPECT_EQ(f.spin->maximum(), f.max) << f.spin->objectName().toStdString();
        EXPECT_EQ(f.spin->value(), f.value) << f.spin->objectName().toStdString();
    }
}

TEST_F(ListPages, DateNumbersKeepTheFromNumberNotAboveTheToNumber) {
    testsupport::child<QSpinBox>(form.get(), "SpinEdit16")->setValue(2005);
    testsupport::child<QSpinBox>(form.get(), "SpinEdit13")->setValue(2010);
    EXPECT_EQ(testsupport::child<QSpinBox>(form.get(), "SpinEdit13")->value(), 2005);
    testsupport::child<QSpinBox>(form.get(), "SpinEdit13")->setValue(2000);
    testsupport::child<QSpinBox>(form.get(), "SpinEdit16")->setValue(1990);
    EXPECT_EQ(testsupport::child<QSpinBox>(form.get(), "SpinEdit16")->value(), 2000);
    testsupport::child<QSpinBox>(form.get(), "SpinEdit14")->setValue(10);
    testsupport::child<QSpinBox>(form.get(), "SpinEdit5")->setValue(20);
    EXPECT_EQ(testsupport::child<QSpinBox>(form.get(), "SpinEdit5")->value(), 10);
    testsupport::child<QSpinBox>(form.get(), "SpinEdit6")->setValue(6);
    testsupport::child<QSpinBox>(form.get(), "SpinEdit15")->setValue(3);
    EXPECT_EQ(testsupport::child<QSpinBox>(form.get(), "SpinEdit15")->value(), 6);
}

TEST_F(ListPages, DateSearchByComponentAndTheYearsAfter2020) {
    testsupport::child<QCheckBox>(form.get(), "SviDatumi")->click();
    testsupport::child<QSpinBox>(form.get(), "SpinEdit13")->setValue(2021);
    testsupport::child<QAbstractButton>(form.get(), "SpeedButton13")->click();
    // Opinions published after 2020 are found now (2021 and 2023).
    EXPECT_EQ(column(testsupport::child<widgets::ReportList>(form.get(), "Listbox6"), 0),
              (Texts{"08/06/2023", "17/03/2021"}));

    // The 5th to the 5th of any month of 2004 to 2006.
    testsupport::child<QSpinBox>(form.get(), "SpinEdit13")->setValue(2004);
    testsupport::child<QSpinBox>(form.get(), "SpinEdit16")->setValue(2006);
    testsupport::child<QSpinBox>(form.get(), "SpinEdit14")->setValue(5);
    testsupport::child<QSpinBox>(form.get(), "SpinEdit5")->setValue(5);
    testsupport::child<QAbstractButton>(form.get(), "SpeedButton13")->click();
    EXPECT_EQ(column(testsupport::child<widgets::ReportList>(form.get(), "Listbox6"), 0),
              (Texts{"05/11/2004", "05/03/2006"}));

    // A keyword search afterwards lists opinions of every date.
    EXPECT_EQ(opinionSearch("").size(), 20u);
    EXPECT_TRUE(form->liste.history.empty());
}

TEST_F(ListPages, MinistryChoiceEmptiesTheFieldKeepsTheListAndRestrictsBothSearches) {
    EXPECT_EQ(opinionSearch("PDV").size(), 3u);
    testsupport::child<QLineEdit>(form.get(), "Edit8")->setText(QStringLiteral("ZARADE"));
    chooseMinistry("Ministarstvo privrede");
    EXPECT_TRUE(testsupport::child<QLineEdit>(form.get(), "Edit8")->text().isEmpty());
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "Listbox6")->count(), 3);

    EXPECT_EQ(opinionSearch("").size(), 3u);  // opinions 11, 14, 20
    testsupport::child<QAbstractButton>(form.get(), "SpeedButton13")
        ->click();  // "Sve" checked: every date
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "Listbox6")->count(), 3);

    chooseMinistry("Sve");
    EXPECT_EQ(opinionSearch("").size(), 20u);
}

TEST_F(ListPages, ShortKeywordAsksFirstAndCancelChangesNothing) {
    opinionSearch("PDV");
    scriptedUi().expectConfirm(
        false, std::string("Vas tekst za pretragu je prekratak. Na ovaj nacin program ce vam "
                           "izlistati gotovo celu bazu!\n\rNastaviti pretragu?"));
    EXPECT_EQ(opinionSearch("PD").size(), 3u);
    scriptedUi().expectConfirm(true);
    EXPECT_EQ(opinionSearch("PD").size(), 3u);
}

TEST_F(ListPages, SortingByDatePutsTheEarlierDateFirst) {
    opinionSearch("");
    testsupport::child<widgets::ReportList>(form.get(), "Listbox6")->clickColumn(1);
    const Texts dates = column(testsupport::child<widgets::ReportList>(form.get(), "Listbox6"), 0);
    const auto at = [&](const char* d) { return std::find(dates.begin(), dates.end(), d); };
    EXPECT_LT(at("05/11/2004"), at("01/02/2005"));
    EXPECT_EQ(dates.front(), "05/11/2004");
    EXPECT_EQ(dates.back(), "08/06/2023");
}

TEST_F(ListPages, OpinionShowsInTheDocumentWindowInOpinionMode) {
    opinionSearch("PDV");
    // A ministry chosen after the search: the listed opinion still opens.
    chooseMinistry("Ministarstvo privrede");
    const int row = [&] {
        const Texts titles =
            captions(testsupport::child<widgets::ReportList>(form.get(), "Listbox6"));
        return static_cast<int>(std::find(titles.begin(), titles.end(), kOpinion2004) -
                                titles.begin());
    }();
    testsupport::child<widgets::ReportList>(form.get(), "Listbox6")->selectOnly(row);
    std::string shownTitle;
    std::string text;
    scriptedUi().expectModal([&](QDialog& d) {
        EXPECT_EQ(platform::ys(d.windowTitle()), kOpinion2004);
        EXPECT_TRUE(document->showsOpinion());
        EXPECT_FALSE(testsupport::child<QToolButton>(document.get(), "SpeedButton8")->isEnabled());
        EXPECT_FALSE(testsupport::child<QToolButton>(document.get(), "SpeedButton4")->isEnabled());
        EXPECT_EQ(testsupport::child<QWidget>(document.get(), "Panel6")->width(), 1);
        shownTitle = form->misljenja.field(database::pos::kMisljenjaNaziv).asString();
        text = testsupport::child<dbviews::DBRichEdit>(document.get(), "DBRichEdit1")->plainText();
        return 0;
    });
    testsupport::pressEnter(testsupport::child<widgets::ReportList>(form.get(), "Listbox6"));
    EXPECT_EQ(shownTitle, kOpinion2004);
    EXPECT_FALSE(text.empty());
    EXPECT_FALSE(document->showsOpinion());
    // The ministry restriction stands again.
    EXPECT_EQ(opinionSearch("").size(), 3u);
}

// ---------------------------------------------------------------------------
// Archive page
// ---------------------------------------------------------------------------

TEST_F(ListPages, FiveLinkedVersionsShowTwoStepsEachWay) {
    archiveSearch("ra~unovodstvu");
    EXPECT_EQ(column(testsupport::child<widgets::ReportList>(form.get(), "ListBox7"), 0),
              (Texts{"46/1996", "71/2002", "46/2006", "62/2013", "73/2019"}));
    // The first row is selected at once, with its versions.
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListBox7")->selectedIndex(), 0);
    EXPECT_EQ(column(testsupport::child<widgets::ReportList>(form.get(), "Listbox9"), 0),
              (Texts{"46/1996", "71/2002", "46/2006"}));

    struct Case {
        const char* bg;
        Texts versions;
    } cases[] = {
        {"73/2019", {"46/2006", "62/2013", "73/2019"}},
        {"46/2006", {"46/1996", "71/2002", "46/2006", "62/2013", "73/2019"}},
        {"46/1996", {"46/1996", "71/2002", "46/2006"}},
    };
    for (const Case& c : cases) {
        testsupport::child<widgets::ReportList>(form.get(), "ListBox7")
            ->selectOnly(
                rowWithBg(testsupport::child<widgets::ReportList>(form.get(), "ListBox7"), c.bg));
        EXPECT_EQ(column(testsupport::child<widgets::ReportList>(form.get(), "Listbox9"), 0),
                  c.versions)
            << c.bg;
    }
    testsupport::child<widgets::ReportList>(form.get(), "ListBox7")
        ->selectOnly(
            rowWithBg(testsupport::child<widgets::ReportList>(form.get(), "ListBox7"), "46/2006"));
    EXPECT_EQ(captions(testsupport::child<widgets::ReportList>(form.get(), "Listbox9")),
              (Texts{kAccounting, kAccountingAudit, kAccountingAudit, kAccounting, kAccounting}));
    EXPECT_EQ(icons(testsupport::child<widgets::ReportList>(form.get(), "Listbox9")),
              (std::vector<int>{3, 3, 3, 3, 0}));
    EXPECT_EQ(icons(testsupport::child<widgets::ReportList>(form.get(), "ListBox7")),
              (std::vector<int>{3, 3, 3, 3, 0}));
}

TEST_F(ListPages, EmptySearchAfterANarrowingOneShowsTheFullListAgain) {
    const std::vector<Row> full = form->arhivacuvaj;
    ASSERT_EQ(full.size(), 15u);
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListBox7")->rows(), full);

    archiveSearch("privrednim");
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListBox7")->count(), 2);
    archiveSearch("nema takvog naslova");
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListBox7")->count(),
              0);  // both lists empty, no message
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "Listbox9")->count(), 0);
    // An area list filled in between leaves the saved copy alone.
    testsupport::child<QTreeWidget>(form.get(), "TreeView1")
        ->setCurrentItem(
            testsupport::child<QTreeWidget>(form.get(), "TreeView1")->topLevelItem(0)->child(0));
    ASSERT_GT(testsupport::child<widgets::ReportList>(form.get(), "ListBox3")->count(), 0);
    archiveSearch("");
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListBox7")->rows(), full);
    EXPECT_EQ(form->arhivacuvaj, full);
}

TEST_F(ListPages, ArchiveRowsOpenWithoutTouchingTheRecentList) {
    form->liste.recent.clear();
    archiveSearch("ra~unovodstvu");
    testsupport::child<widgets::ReportList>(form.get(), "ListBox7")
        ->selectOnly(
            rowWithBg(testsupport::child<widgets::ReportList>(form.get(), "ListBox7"), "62/2013"));
    std::string bg;
    expectDocument(kAccounting, [&] { bg = currentBg(); });
    testsupport::pressEnter(testsupport::child<widgets::ReportList>(form.get(), "ListBox7"));
    EXPECT_EQ(bg, "62/2013");

    testsupport::child<widgets::ReportList>(form.get(), "Listbox9")
        ->selectOnly(
            rowWithBg(testsupport::child<widgets::ReportList>(form.get(), "Listbox9"), "46/2006"));
    expectDocument(kAccountingAudit, [&] { bg = currentBg(); });
    testsupport::pressEnter(testsupport::child<widgets::ReportList>(form.get(), "Listbox9"));
    EXPECT_EQ(bg, "46/2006");
    EXPECT_TRUE(form->liste.recent.empty());
}

TEST_F(ListPages, DocumentWindowArchiveButtonLandsOnTheArchivePage) {
    bool enabled = false;
    expectDocument(kAccounting, [&] {
        enabled = testsupport::child<QToolButton>(document.get(), "SpeedButton9")->isEnabled();
        testsupport::child<QToolButton>(document.get(), "SpeedButton9")->click();
        EXPECT_FALSE(document->isVisible());
    });
    form->open(kAccounting, std::string("73/2019"));
    EXPECT_TRUE(enabled);
    EXPECT_EQ(testsupport::child<QTabWidget>(form.get(), "PageControl1")->currentIndex(),
              TForm1::kArhiva);
    EXPECT_EQ(platform::ys(testsupport::child<QLineEdit>(form.get(), "Edit7")->text()),
              "ZAKON O RA^UNOVODSTVU");
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListBox7")->count(), 5);
    EXPECT_EQ(column(testsupport::child<widgets::ReportList>(form.get(), "Listbox9"), 0),
              (Texts{"46/1996", "71/2002", "46/2006"}));
    EXPECT_EQ(form->Zakoni.masterSource(), &form->Glavna);

    // A regulation without versions leaves the button disabled.
    expectDocument("Pravilnik o obrascu 'PP PDV'", [&] {
        enabled = testsupport::child<QToolButton>(document.get(), "SpeedButton9")->isEnabled();
    });
    form->open("Pravilnik o obrascu 'PP PDV'", std::string("10/2005"));
    EXPECT_FALSE(enabled);
}

TEST_F(ListPages, SelectionWindowArchiveButtonClosesItAndSearches) {
    form->liste.newest = {"Pravilnik o obrascu 'PP PDV'", "Zakon o privrednim dru{tvima"};
    scriptedUi().expectModal([&](QDialog&) {
        EXPECT_FALSE(testsupport::child<QToolButton>(selection.get(), "SpeedButton3")
                         ->isEnabled());  // the first row has no versions
        testsupport::child<widgets::ReportList>(selection.get(), "Listbox1")->selectOnly(1);
        EXPECT_TRUE(testsupport::child<QToolButton>(selection.get(), "SpeedButton3")->isEnabled());
        testsupport::child<QToolButton>(selection.get(), "SpeedButton3")->click();
        EXPECT_FALSE(selection->isVisible());
        return 0;
    });
    testsupport::child<QAbstractButton>(form.get(), "SpeedButton10")->click();
    EXPECT_EQ(testsupport::child<QTabWidget>(form.get(), "PageControl1")->currentIndex(),
              TForm1::kArhiva);
    EXPECT_EQ(column(testsupport::child<widgets::ReportList>(form.get(), "ListBox7"), 0),
              (Texts{"125/2004", "36/2011"}));
    EXPECT_EQ(column(testsupport::child<widgets::ReportList>(form.get(), "Listbox9"), 0),
              (Texts{"29/1996", "125/2004", "36/2011"}));
    EXPECT_TRUE(selection->fresh);
}

}  // namespace
