// The search words reach the document window from the keyword searches, the
// opinions search and a stored search run again, and from nowhere else; the
// hit context strips under the keyword search results.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTreeWidget>

#include "pages_fixture.h"
#include "platform/textconv.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"

namespace {

using testsupport::scriptedUi;

class ReadingFlow : public pagestest::MainWindowPages {
  protected:
    template <typename T>
    T* get(const char* name) const {
        return testsupport::child<T>(form.get(), name);
    }

    void search(const char* text, bool texts) {
        get<QLineEdit>("Edit2")->setText(platform::qs(text));
        get<QRadioButton>(texts ? "RadioButton5" : "RadioButton6")->setChecked(true);
        get<QAbstractButton>("SpeedButton1")->click();
    }
    void searchOpinions(const char* text) {
        get<QLineEdit>("Edit8")->setText(platform::qs(text));
        get<QRadioButton>("RadioButton3")->setChecked(true);
        get<QAbstractButton>("SpeedButton14")->click();
    }
    std::string strip(const char* name) const { return platform::ys(get<QLabel>(name)->text()); }

    // Opens the selected row of a list with Enter; the document window's
    // hit status while it shows.
    std::string openedStatus(const char* list) {
        std::string status = "not shown";
        scriptedUi().expectModal([&](QDialog&) {
            status = document->panelText(1);
            return 0;
        });
        testsupport::pressEnter(get<QWidget>(list));
        return status;
    }
};

TEST_F(ReadingFlow, KeywordSearchHandsItsWordsToTheDocument) {
    search("zarad", true);
    auto* list = get<widgets::ReportList>("ListBox2");
    ASSERT_GT(list->count(), 0);
    EXPECT_EQ(strip("KontekstPretrage"), "");
    list->selectOnly(0);
    EXPECT_NE(strip("KontekstPretrage").find("<b>zarad"), std::string::npos)
        << strip("KontekstPretrage");
    EXPECT_EQ(openedStatus("ListBox2").rfind("Pogodak 1 od ", 0), 0u);

    // Titles only: no context, the words still reach the document.
    search("zakon o radu", false);
    ASSERT_GT(list->count(), 0);
    list->selectOnly(0);
    EXPECT_EQ(strip("KontekstPretrage"), "");
    EXPECT_EQ(openedStatus("ListBox2").rfind("Pogodak 1 od ", 0), 0u);

    // An opening from the gazette tree shows no hits.
    auto* tree = get<QTreeWidget>("TreeView2");
    testsupport::clickOn(tree->viewport(), tree->visualItemRect(tree->currentItem()).center());
    auto* gazetteList = get<widgets::ReportList>("ListView1");
    ASSERT_GT(gazetteList->count(), 0);
    gazetteList->selectOnly(0);
    EXPECT_EQ(openedStatus("ListView1"), "");
}

TEST_F(ReadingFlow, StoredSearchRunAgainHandsItsWords) {
    form->liste.history = {"'ZARAD' - po naslovima i tekstovima (nadjeno 5 propisa)"};
    form->prikaziliste();
    auto* stored = get<QListWidget>("ListBox4");
    stored->setCurrentRow(0);
    testsupport::doubleClickCurrent(stored);
    auto* list = get<widgets::ReportList>("ListBox2");
    ASSERT_GT(list->count(), 0);
    list->selectOnly(0);
    EXPECT_NE(strip("KontekstPretrage").find("<b>"), std::string::npos);
    EXPECT_EQ(openedStatus("ListBox2").rfind("Pogodak 1 od ", 0), 0u);
}

TEST_F(ReadingFlow, OpinionSearchHandsItsWordsAndADateSearchNone) {
    searchOpinions("pdv");
    auto* list = get<widgets::ReportList>("Listbox6");
    ASSERT_GT(list->count(), 0);
    list->selectOnly(0);
    EXPECT_NE(strip("KontekstMisljenja").find("<b>PDV</b>"), std::string::npos)
        << strip("KontekstMisljenja");
    EXPECT_EQ(openedStatus("Listbox6").rfind("Pogodak 1 od ", 0), 0u);

    get<QAbstractButton>("SviDatumi")->click();  // the date controls on
    get<QAbstractButton>("SpeedButton13")->click();
    ASSERT_GT(list->count(), 0);
    list->selectOnly(0);
    EXPECT_EQ(strip("KontekstMisljenja"), "");
    EXPECT_EQ(openedStatus("Listbox6"), "");
}

}  // namespace
