// The pages "Izbor glasila", "Oblasti" and "Pretraga" of the main window on
// a copy of the demo database: the lazy gazette tree and its list, the area
// fill and the phrase search, the keyword search with its question, history
// entry and Escape, sorting, and opening a row in the document window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <algorithm>
#include <chrono>
#include <set>
#include <thread>

#include "database/schema.h"
#include "engine/table.h"
#include "mainwindow/tform1.h"
#include "pages_fixture.h"
#include "platform/textconv.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"
#include "viewer/tform3.h"
#include "widgets/icons.h"
#include "widgets/reportlist.h"

namespace {

using lists::Row;
using pagestest::captions;
using pagestest::column;
using pagestest::Texts;
using testsupport::scriptedUi;

const char* kShortText =
    "Vas tekst za pretragu je prekratak. Na ovaj nacin program ce vam izlistati gotovo celu "
    "bazu!\n\rNastaviti pretragu?";
const char* kNothingFound = "Nije pronadjen nijedan propis po ovom kriterijumu pretrage";

Texts childTexts(const QTreeWidgetItem* node) {
    Texts out;
    for (int i = 0; i < node->childCount(); ++i) {
        out.push_back(platform::ys(node->child(i)->text(0)));
    }
    return out;
}

QTreeWidgetItem* childNamed(QTreeWidgetItem* node, const std::string& text) {
    for (int i = 0; i < node->childCount(); ++i) {
        if (platform::ys(node->child(i)->text(0)) == text) {
            return node->child(i);
        }
    }
    ADD_FAILURE() << "no child " << text;
    return nullptr;
}

bool isPlaceholderOnly(const QTreeWidgetItem* node) {
    return node->childCount() == 1 && node->child(0)->text(0).isEmpty();
}

// Presses Escape on the window once pending messages have run `pumps`
// times: a posted event re-posts itself, and each round of pending
// messages delivers one of them. Each round lasts longer than the interval
// at which a fast loop lets messages run (20 ms), so that the loop lets them
// run at every row.
class EscapeAfterPumps final : public QObject {
  public:
    EscapeAfterPumps(TForm1& form, int pumps) : form_(form), left_(pumps) { post(); }

    bool event(QEvent* e) override {
        if (e->type() != kTick) {
            return QObject::event(e);
        }
        std::this_thread::sleep_for(kRound);
        if (--left_ == 0) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QCoreApplication::sendEvent(&form_, &escape);
        } else {
            post();
        }
        return true;
    }

  private:
    static constexpr std::chrono::milliseconds kRound{25};
    static constexpr QEvent::Type kTick = static_cast<QEvent::Type>(QEvent::User + 61);
    void post() { QCoreApplication::postEvent(this, new QEvent(kTick)); }

    TForm1& form_;
    int left_;
};

// The main window after its first activation, with the document window.
class Pages : public pagestest::MainWindowPages {
  protected:
    // Expects the document window with this caption and BG and closes it.
    void expectDocument(const std::string& title, const std::string& bg) {
        scriptedUi().expectModal([this, title, bg](QDialog& d) {
            EXPECT_EQ(platform::ys(d.windowTitle()), title);
            EXPECT_EQ(form->Zakoni.field(database::pos::kZakoniBg).asString(), bg);
            return 0;
        });
    }

    // A click on the tree's selected node.
    void clickSelectedNode() {
        auto* tree = testsupport::child<QTreeWidget>(form.get(), "TreeView2");
        testsupport::clickOn(tree->viewport(), tree->visualItemRect(tree->currentItem()).center());
    }

    void selectArea(int child) {
        QTreeWidgetItem* root =
            testsupport::child<QTreeWidget>(form.get(), "TreeView1")->topLevelItem(0);
        testsupport::child<QTreeWidget>(form.get(), "TreeView1")
            ->setCurrentItem(child < 0 ? root : root->child(child));
    }

    // Runs the keyword search as the button does.
    Texts search(const std::string& text, bool texts = false, int gazette = 0) {
        testsupport::child<QLineEdit>(form.get(), "Edit2")->setText(platform::qs(text));
        (texts ? testsupport::child<QRadioButton>(form.get(), "RadioButton5")
               : testsupport::child<QRadioButton>(form.get(), "RadioButton6"))
            ->setChecked(true);
        testsupport::child<QComboBox>(form.get(), "ComboBox4")->setCurrentIndex(gazette);
        testsupport::child<QAbstractButton>(form.get(), "SpeedButton1")->click();
        return captions(testsupport::child<widgets::ReportList>(form.get(), "ListBox2"));
    }
};

TEST_F(Pages, GazetteTreeStartsWithPlaceholdersAndTheLastGazetteSelected) {
    QTreeWidget* tree = testsupport::child<QTreeWidget>(form.get(), "TreeView2");
    ASSERT_EQ(tree->topLevelItemCount(), 4);
    Texts names;
    for (int i = 0; i < 4; ++i) {
        names.push_back(platform::ys(tree->topLevelItem(i)->text(0)));
        EXPECT_TRUE(isPlaceholderOnly(tree->topLevelItem(i)));
    }
    EXPECT_EQ(names, (Texts{"Slu`beni glasnik RS", "Slu`beni list SRJ",
                            "Slu`beni glasnik RS - Me|unarodni ugovori", "Slu`beni list SCG"}));
    ASSERT_EQ(tree->selectedItems().size(), 1);
    EXPECT_EQ(tree->selectedItems().front(), tree->topLevelItem(3));
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListView1")->count(), 0);

    // A click on the selected node fills the empty list, and only then.
    clickSelectedNode();
    EXPECT_EQ(column(testsupport::child<widgets::ReportList>(form.get(), "ListView1"), 0),
              (Texts{"1/2004", "1/2004", "10/2005"}));
    testsupport::child<widgets::ReportList>(form.get(), "ListView1")
        ->setRows({Row{"X", {"1/2000"}}});
    clickSelectedNode();
    EXPECT_EQ(captions(testsupport::child<widgets::ReportList>(form.get(), "ListView1")),
              Texts{"X"});
}

TEST_F(Pages, ExpandingReadsYearsAndIssuesAndSelectingFillsTheList) {
    QTreeWidgetItem* rs = testsupport::child<QTreeWidget>(form.get(), "TreeView2")->topLevelItem(0);
    rs->setExpanded(true);
    EXPECT_EQ(childTexts(rs),
              (Texts{"2004", "2005", "2006", "2007", "2008", "2010", "2011", "2012", "2013", "2014",
                     "2016", "2017", "2018", "2019", "2020", "2021", "2022", "2023"}));
    for (int i = 0; i < rs->childCount(); ++i) {
        EXPECT_TRUE(isPlaceholderOnly(rs->child(i)));
    }
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListView1")->count(),
              0);  // expanding fills no list

    QTreeWidgetItem* y2005 = childNamed(rs, "2005");
    y2005->setExpanded(true);
    EXPECT_EQ(childTexts(y2005), (Texts{"1", "2", "10", "12", "12a"}));

    // An issue lists its own gazette's rows only (SCG has a 10/2005 too).
    testsupport::child<QTreeWidget>(form.get(), "TreeView2")
        ->setCurrentItem(childNamed(y2005, "10"));
    EXPECT_EQ(captions(testsupport::child<widgets::ReportList>(form.get(), "ListView1")),
              (Texts{"Pravilnik o obrascu 'PP PDV'", "Odluka o visini stope zatezne kamate"}));
    EXPECT_EQ(column(testsupport::child<widgets::ReportList>(form.get(), "ListView1"), 0),
              (Texts{"10/2005", "10/2005"}));
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListView1")->row(0).image,
              lists::kWithNotes);  // notes of 201 and more
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListView1")->row(1).image,
              lists::kDocument);  // notes of exactly 200

    testsupport::child<QTreeWidget>(form.get(), "TreeView2")->setCurrentItem(y2005);
    EXPECT_EQ(column(testsupport::child<widgets::ReportList>(form.get(), "ListView1"), 0),
              (Texts{"1/2005", "1/2005", "2/2005", "10/2005", "10/2005", "12/2005", "12/2005",
                     "12a/2005", "12a/2005"}));

    testsupport::child<QTreeWidget>(form.get(), "TreeView2")
        ->setCurrentItem(childNamed(rs, "2004"));
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListView1")->row(1).image,
              lists::kArchived);  // 125/2004 has a successor
}

TEST_F(Pages, CollapsingDropsTheChildrenKeepsTheListAndTheNextExpansionRereads) {
    QTreeWidgetItem* rs = testsupport::child<QTreeWidget>(form.get(), "TreeView2")->topLevelItem(0);
    rs->setExpanded(true);
    QTreeWidgetItem* y2005 = childNamed(rs, "2005");
    y2005->setExpanded(true);
    testsupport::child<QTreeWidget>(form.get(), "TreeView2")
        ->setCurrentItem(childNamed(y2005, "12a"));
    const Texts listed = captions(testsupport::child<widgets::ReportList>(form.get(), "ListView1"));
    ASSERT_EQ(listed.size(), 2u);

    y2005->setExpanded(false);
    EXPECT_TRUE(isPlaceholderOnly(y2005));
    EXPECT_EQ(captions(testsupport::child<widgets::ReportList>(form.get(), "ListView1")), listed);
    EXPECT_EQ(testsupport::child<QTreeWidget>(form.get(), "TreeView2")->selectedItems().front(),
              y2005);

    // A new issue stored meanwhile shows at the next expansion.
    engine::Table brojevi(session);
    brojevi.setDatabaseName(database::kAlias);
    brojevi.setTableName(database::kBrojevi);
    brojevi.open();
    brojevi.append();
    brojevi.fieldByName("ID_BROJA").setInteger(990);
    brojevi.fieldByName("ID_GLASNIKA").setInteger(1);
    brojevi.fieldByName("GODINA_stampanja").setString("2005");
    brojevi.fieldByName("BROJ").setString("7");
    brojevi.post();
    y2005->setExpanded(true);
    EXPECT_EQ(childTexts(y2005), (Texts{"1", "2", "7", "10", "12", "12a"}));
}

TEST_F(Pages, GazetteListSortsByTheClickedHeader) {
    testsupport::child<QTreeWidget>(form.get(), "TreeView2")
        ->setCurrentItem(testsupport::child<QTreeWidget>(form.get(), "TreeView2")->topLevelItem(0));
    widgets::ReportList* list = testsupport::child<widgets::ReportList>(form.get(), "ListView1");
    ASSERT_GT(list->count(), 30);

    list->clickColumn(1);
    EXPECT_EQ(list->sortColumn(), 1);
    const Texts bgs = column(list, 0);
    EXPECT_TRUE(std::is_sorted(bgs.begin(), bgs.end(), [](const auto& a, const auto& b) {
        return lists::compareYearFirst(a, b) < 0;
    }));
    EXPECT_EQ(bgs.front(), "125/2004");  // the year first, then the whole text
    const auto at = [&](const char* bg) { return std::find(bgs.begin(), bgs.end(), bg); };
    EXPECT_LT(at("12/2005"), at("2/2005"));

    list->clickColumn(0);
    EXPECT_EQ(list->sortColumn(), 0);
    const Texts titles = captions(list);
    EXPECT_TRUE(std::is_sorted(titles.begin(), titles.end(), [](const auto& a, const auto& b) {
        return lists::compareTitle(a, b) < 0;
    }));

    list->setRows(
        {Row{"A", {"1/2000"}}, Row{"B", {"5/1999"}}, Row{"C", {"3/2005"}}, Row{"D", {"12/2005"}}});
    list->clickColumn(1);
    EXPECT_EQ(captions(list), (Texts{"B", "A", "D", "C"}));
}

TEST_F(Pages, GazetteRowOpensInTheDocumentWindowAndJoinsTheRecentList) {
    QTreeWidgetItem* rs = testsupport::child<QTreeWidget>(form.get(), "TreeView2")->topLevelItem(0);
    rs->setExpanded(true);
    QTreeWidgetItem* y2005 = childNamed(rs, "2005");
    y2005->setExpanded(true);
    testsupport::child<QTreeWidget>(form.get(), "TreeView2")
        ->setCurrentItem(childNamed(y2005, "10"));

    testsupport::pressEnter(testsupport::child<widgets::ReportList>(
        form.get(), "ListView1"));  // no row selected: nothing

    testsupport::child<widgets::ReportList>(form.get(), "ListView1")->selectOnly(0);
    expectDocument("Pravilnik o obrascu 'PP PDV'", "10/2005");
    testsupport::pressEnter(testsupport::child<widgets::ReportList>(form.get(), "ListView1"));
    ASSERT_FALSE(form->liste.recent.empty());
    EXPECT_EQ(form->liste.recent.back(), "Pravilnik o obrascu 'PP PDV'");
    EXPECT_EQ(form->Zakoni.masterSource(), &form->Glavna);
}

TEST_F(Pages, StartupFillLoadsTheChoicesAndTheFullResultList) {
    Texts types;
    for (int i = 0; i < testsupport::child<QComboBox>(form.get(), "ComboBox3")->count(); ++i) {
        types.push_back(
            platform::ys(testsupport::child<QComboBox>(form.get(), "ComboBox3")->itemText(i)));
    }
    EXPECT_EQ(types,
              (Texts{"Sve", "Zakone", "Uredbe", "Pravilnike", "Odluke", "Uputstva", "Naredbe"}));
    EXPECT_EQ(testsupport::child<QComboBox>(form.get(), "ComboBox3")->currentIndex(), 0);

    ASSERT_EQ(testsupport::child<QTreeWidget>(form.get(), "TreeView1")->topLevelItemCount(), 1);
    QTreeWidgetItem* root =
        testsupport::child<QTreeWidget>(form.get(), "TreeView1")->topLevelItem(0);
    EXPECT_EQ(platform::ys(root->text(0)), "Sve oblasti");
    EXPECT_EQ(root->childCount(), 11);
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(root->icon(0).cacheKey(), widgets::image(lists::kRoot).cacheKey());
    EXPECT_EQ(root->child(0)->icon(0).cacheKey(), widgets::image(lists::kDocument).cacheKey());
    EXPECT_TRUE(
        testsupport::child<QTreeWidget>(form.get(), "TreeView1")->selectedItems().isEmpty());
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListBox3")->count(), 0);

    Texts gazettes;
    for (int i = 0; i < testsupport::child<QComboBox>(form.get(), "ComboBox4")->count(); ++i) {
        gazettes.push_back(
            platform::ys(testsupport::child<QComboBox>(form.get(), "ComboBox4")->itemText(i)));
    }
    EXPECT_EQ(gazettes, (Texts{"Sva glasila", "Slu`beni glasnik RS", "Slu`beni list SRJ",
                               "Slu`beni glasnik RS - Me|unarodni ugovori", "Slu`beni list SCG"}));
    EXPECT_EQ(testsupport::child<QComboBox>(form.get(), "ComboBox4")->currentIndex(), 0);

    ASSERT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListBox2")->count(), 47);
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListBox2")->row(0),
              (Row{"Zakon o preduze}ima", {"Slu`beni list SRJ", "29/1996"}, lists::kArchived}));
    EXPECT_FALSE(form->arhivacuvaj.empty());
    EXPECT_EQ(testsupport::child<QProgressBar>(form.get(), "ProgressBar1")->value(), 0);
    EXPECT_EQ(form->panelText(0).rfind("Propisa/Mi{ljenja/Ugovora: 47/", 0), 0u)
        << form->panelText(0);
}

TEST_F(Pages, RootAreaListsEveryRegulationWithoutANewerVersion) {
    testsupport::child<QComboBox>(form.get(), "ComboBox3")->setEnabled(false);
    selectArea(-1);
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListBox3")->count(), 47 - 10);
    const std::set<std::string> superseded = {"29/1996", "46/1996", "71/2002",  "125/2004",
                                              "2/2005",  "46/2006", "114/2006", "116/2008",
                                              "62/2013", "95/2013"};
    for (const Row& r : testsupport::child<widgets::ReportList>(form.get(), "ListBox3")->rows()) {
        EXPECT_EQ(superseded.count(r.sub.at(0)), 0u) << r.caption;
        EXPECT_NE(r.image, lists::kArchived);
    }
    EXPECT_EQ(form->oblastcuvaj,
              testsupport::child<widgets::ReportList>(form.get(), "ListBox3")->rows());
    EXPECT_TRUE(testsupport::child<QComboBox>(form.get(), "ComboBox3")->isEnabled());
    EXPECT_TRUE(testsupport::child<QTabWidget>(form.get(), "PageControl1")->isEnabled());
    EXPECT_EQ(testsupport::child<QProgressBar>(form.get(), "ProgressBar1")->value(), 0);
}

TEST_F(Pages, AreaAndTypeSelectTheListedRegulations) {
    struct Case {
        int child;  // -1: the root
        int type;
        Texts bgs;
    } cases[] = {
        {1,
         0,
         {"84/2004", "1/2005", "1/2005", "10/2005", "10/2014", "2/2023", "2/2023"}},  // Porezi
        {1, 3, {"1/2005", "10/2005", "10/2014"}},  // Porezi, Pravilnike
        {-1, 6, {"1/2004", "2/2020"}},             // every area, Naredbe
        {4, 0, {"12a/2018", "91/2019"}},           // Javne nabavke: 116/2008 has a newer version
    };
    for (const Case& c : cases) {
        testsupport::child<QComboBox>(form.get(), "ComboBox3")->setCurrentIndex(c.type);
        selectArea(c.child);
        Q_EMIT testsupport::child<QComboBox>(form.get(), "ComboBox3")
            ->activated(testsupport::child<QComboBox>(form.get(), "ComboBox3")
                            ->currentIndex());  // the same fill again for the chosen type
        EXPECT_EQ(column(testsupport::child<widgets::ReportList>(form.get(), "ListBox3"), 0), c.bgs)
            << c.child << " " << c.type;
    }
}

TEST_F(Pages, AreaWithoutRegulationsSaysSoAndEmptiesTheSavedCopy) {
    selectArea(-1);
    ASSERT_FALSE(form->oblastcuvaj.empty());
    testsupport::child<QComboBox>(form.get(), "ComboBox3")->setCurrentIndex(2);  // Uredbe
    scriptedUi().expectMessage(kNothingFound);
    selectArea(10);  // international treaties are all laws
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListBox3")->count(), 0);
    EXPECT_TRUE(form->oblastcuvaj.empty());
    EXPECT_TRUE(testsupport::child<QTabWidget>(form.get(), "PageControl1")->isEnabled());

    // A type change with no area selected does nothing.
    testsupport::child<QTreeWidget>(form.get(), "TreeView1")->clearSelection();
    testsupport::child<widgets::ReportList>(form.get(), "ListBox3")
        ->setRows({Row{"X", {"1/2000"}}});
    testsupport::child<QComboBox>(form.get(), "ComboBox3")->setCurrentIndex(0);
    Q_EMIT testsupport::child<QComboBox>(form.get(), "ComboBox3")
        ->activated(testsupport::child<QComboBox>(form.get(), "ComboBox3")->currentIndex());
    EXPECT_EQ(captions(testsupport::child<widgets::ReportList>(form.get(), "ListBox3")),
              Texts{"X"});
}

TEST_F(Pages, PhraseSearchAlwaysFiltersTheSavedCopy) {
    selectArea(-1);
    const size_t all = form->oblastcuvaj.size();
    const auto phrase = [&](const char* text) {
        testsupport::child<QLineEdit>(form.get(), "Edit11")->setText(platform::qs(text));
        testsupport::child<QAbstractButton>(form.get(), "SpeedButton17")->click();
        return captions(testsupport::child<widgets::ReportList>(form.get(), "ListBox3"));
    };
    EXPECT_EQ(phrase("ZAKON O RA^UN"), Texts{"Zakon o ra~unovodstvu"});
    EXPECT_EQ(phrase("O RADU"), (Texts{"Zakon o radu",
                                       "Uputstvo o primeni propisa o radu van prostorija "
                                       "poslodavca"}));
    EXPECT_TRUE(phrase("RADU O").empty());   // spaces and order count
    EXPECT_EQ(phrase("ZAKON").size(), 14u);  // a shorter phrase brings rows back
    EXPECT_EQ(phrase("").size(), all);
    EXPECT_EQ(form->oblastcuvaj.size(), all);
    EXPECT_TRUE(testsupport::child<QTabWidget>(form.get(), "PageControl1")->isEnabled());
}

TEST_F(Pages, EscapeStopsTheAreaFillWithTheRowsSoFar) {
    EscapeAfterPumps escape(*form, 6);
    selectArea(-1);
    const int found = testsupport::child<widgets::ReportList>(form.get(), "ListBox3")->count();
    EXPECT_GT(found, 0);
    EXPECT_LT(found, 37);
    EXPECT_EQ(form->oblastcuvaj,
              testsupport::child<widgets::ReportList>(form.get(), "ListBox3")->rows());
    EXPECT_FALSE(form->takeStopRequest());  // the loop took it
}

TEST_F(Pages, AreaRowOpensUnlessItsCaptionIsEmpty) {
    testsupport::child<widgets::ReportList>(form.get(), "ListBox3")->setRows({Row{"", {"1/2000"}}});
    testsupport::child<widgets::ReportList>(form.get(), "ListBox3")->selectOnly(0);
    testsupport::pressEnter(
        testsupport::child<widgets::ReportList>(form.get(), "ListBox3"));  // nothing

    testsupport::child<QComboBox>(form.get(), "ComboBox3")->setCurrentIndex(0);
    selectArea(1);
    testsupport::child<widgets::ReportList>(form.get(), "ListBox3")->selectOnly(0);
    expectDocument("Zakon o porezu na dodatu vrednost", "84/2004");
    testsupport::pressEnter(testsupport::child<widgets::ReportList>(form.get(), "ListBox3"));
    EXPECT_EQ(form->liste.recent.back(), "Zakon o porezu na dodatu vrednost");
}

TEST_F(Pages, KeywordSearchListsTheMatchingRowsAndRemembersTheSearch) {
    testsupport::child<QTabWidget>(form.get(), "PageControl1")->setCurrentIndex(TForm1::kPretraga);
    struct Case {
        const char* text;
        int gazette;
        Texts titles;         // empty: every row
        const char* history;  // nullptr: no entry
    } cases[] = {
        {"PDV",
         0,
         {"Pravilnik o obliku, sadr`ini i na~inu vo|enja evidencije o PDV",
          "Pravilnik o obrascu 'PP PDV'"},
         "'PDV' - po naslovima (nadjeno 2 propisa)"},
        {"ZAKON RADU", 0, {"Zakon o radu"}, "'ZAKON RADU' - po naslovima (nadjeno 1 propisa)"},
        {"RADU ZAKON", 0, {"Zakon o radu"}, "'RADU ZAKON' - po naslovima (nadjeno 1 propisa)"},
        // A capital Serbian letter finds the small one of a title.
        {"ZAKON RA^UNOVODSTVU I",
         0,
         {"Zakon o ra~unovodstvu i reviziji", "Zakon o ra~unovodstvu i reviziji"},
         "'ZAKON RA^UNOVODSTVU I' - po naslovima (nadjeno 2 propisa)"},
        // Only the chosen gazette's rows, however well other titles match.
        {"ZAKON",
         2,
         {"Zakon o preduze}ima", "Zakon o ra~unovodstvu", "Carinski zakon",
          "Zakon o ra~unovodstvu i reviziji"},
         "'ZAKON' - po naslovima (nadjeno 4 propisa)"},
        {"   ", 0, {}, "'   ' - po naslovima (nadjeno 47 propisa)"},
        {"", 0, {}, nullptr},
    };
    for (const Case& c : cases) {
        const Texts before = form->liste.history;
        const Texts found = search(c.text, false, c.gazette);
        if (c.titles.empty()) {
            EXPECT_EQ(found.size(), 47u) << c.text;
        } else {
            EXPECT_EQ(found, c.titles) << c.text;
        }
        Texts expected = before;
        if (c.history != nullptr) {
            expected.push_back(c.history);
        }
        EXPECT_EQ(form->liste.history, expected) << c.text;
        EXPECT_EQ(testsupport::child<QProgressBar>(form.get(), "ProgressBar1")->value(), 0);
        EXPECT_TRUE(testsupport::child<QTabWidget>(form.get(), "PageControl1")->isEnabled());
    }
    // Every row with its own gazette's name.
    const Row& last =
        testsupport::child<widgets::ReportList>(form.get(), "ListBox2")->rows().back();
    EXPECT_EQ(last.caption,
              "Zakon o potvr|ivanju Sporazuma o uzajamnoj pomo}i u carinskim pitanjima izme|u "
              "Republike Srbije i Republike Italije");
    EXPECT_EQ(last.sub, (Texts{"Slu`beni glasnik RS - Me|unarodni ugovori", "1/2016"}));

    // The progress bar counts word tests: rows in scope times words.
    search("ZAKON RADU", false, 2);
    EXPECT_EQ(testsupport::child<QProgressBar>(form.get(), "ProgressBar1")->maximum(), 5 * 2);
    search("PDV");
    EXPECT_EQ(testsupport::child<QProgressBar>(form.get(), "ProgressBar1")->maximum(), 47);
}

TEST_F(Pages, ShortTextAsksFirstAndCancelChangesNothing) {
    search("PDV");
    const Texts rows = captions(testsupport::child<widgets::ReportList>(form.get(), "ListBox2"));
    const Texts history = form->liste.history;

    scriptedUi().expectConfirm(false, kShortText);
    search("PD");
    EXPECT_EQ(scriptedUi().shown().back().icon, platform::Icon::Question);
    EXPECT_EQ(captions(testsupport::child<widgets::ReportList>(form.get(), "ListBox2")), rows);
    EXPECT_EQ(form->liste.history, history);

    scriptedUi().expectConfirm(true, kShortText);
    EXPECT_EQ(search("PD"), rows);
    EXPECT_EQ(form->liste.history.back(), "'PD' - po naslovima (nadjeno 2 propisa)");
}

TEST_F(Pages, TextSearchFindsWordsOfTheTextsOnly) {
    EXPECT_TRUE(search("ORTA^KO").empty());
    EXPECT_EQ(form->liste.history.back(), "'ORTA^KO' - po naslovima (nadjeno 0 propisa)");
    EXPECT_EQ(search("ORTA^KO", true),
              (Texts{"Zakon o preduze}ima", "Zakon o privrednim dru{tvima"}));
    EXPECT_EQ(form->liste.history.back(),
              "'ORTA^KO' - po naslovima i tekstovima (nadjeno 2 propisa)");
}

TEST_F(Pages, ReRunAddsNoHistoryAndEverySearchClearsTheFlag) {
    const Texts history = form->liste.history;
    form->ponovljenaPretraga = true;
    search("PDV");
    EXPECT_EQ(form->liste.history, history);
    EXPECT_FALSE(form->ponovljenaPretraga);

    // A cancelled re-run does not keep the next search out of the history.
    form->ponovljenaPretraga = true;
    scriptedUi().expectConfirm(false, kShortText);
    search("PD");
    EXPECT_FALSE(form->ponovljenaPretraga);
    search("PDV");
    EXPECT_EQ(form->liste.history.size(), history.size() + 1);
}

TEST_F(Pages, EscapeStopsTheKeywordSearchWithTheRowsSoFar) {
    EscapeAfterPumps escape(*form, 6);
    const size_t found = search("   ").size();
    EXPECT_GT(found, 0u);
    EXPECT_LT(found, 47u);
    EXPECT_EQ(form->liste.history.back(),
              "'   ' - po naslovima (nadjeno " + std::to_string(found) + " propisa)");
    EXPECT_FALSE(form->takeStopRequest());
    EXPECT_TRUE(testsupport::child<QTabWidget>(form.get(), "PageControl1")->isEnabled());

    // An Escape while no loop runs stops the next search at its first row.
    form->FormKeyDown(27);
    EXPECT_TRUE(search("ZAKON").empty());
    EXPECT_EQ(form->liste.history.back(), "'ZAKON' - po naslovima (nadjeno 0 propisa)");
}

TEST_F(Pages, KeywordResultOpensByItsOwnIssue) {
    ASSERT_EQ(search("ODLUKA O VISINI NAJNI@E").size(), 2u);
    testsupport::pressEnter(testsupport::child<widgets::ReportList>(
        form.get(), "ListBox2"));  // no row selected: nothing
    testsupport::child<widgets::ReportList>(form.get(), "ListBox2")->selectOnly(1);
    expectDocument("Odluka o visini najni`e cene rada", "2/2006");
    testsupport::pressEnter(testsupport::child<widgets::ReportList>(form.get(), "ListBox2"));
    EXPECT_EQ(form->liste.recent.back(), "Odluka o visini najni`e cene rada");
    EXPECT_EQ(testsupport::child<widgets::ReportList>(form.get(), "ListBox2")->count(),
              2);  // opening keeps the results
}

}  // namespace
