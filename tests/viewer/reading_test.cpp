// Reading aids of the document window: the search hits (highlighted when the
// opening flow hands over the search words, stepped through with F3,
// Shift+F3 and the two buttons, found again after the script switch, gone
// after the close) and the copy with a citation.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>

#include "database/datasets.h"
#include "database/filters.h"
#include "dbviews/dbrichedit.h"
#include "doc_db.h"
#include "open_doc.h"
#include "platform/textconv.h"
#include "search/hits.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"
#include "viewer/citation.h"
#include "viewer/tform3.h"

namespace {

using search::HitRule;
using testsupport::scriptedUi;

class DocumentHits : public ::testing::Test {
  protected:
    void SetUp() override {
        data.openAll();
        form = std::make_unique<TForm3>(db.session, data);
    }
    void TearDown() override { form.reset(); }

    dbviews::DBRichEdit* view() const {
        return testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1");
    }
    QToolButton* button(const char* name) const {
        return testsupport::child<QToolButton>(form.get(), name);
    }
    std::string status() const { return form->panelText(1); }
    size_t marks() const { return static_cast<size_t>(view()->extraSelections().size()); }
    std::string selected() const { return view()->selectedText(); }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(form.get(), k, mods);
    }

    void openRegulation(const char* words, const std::function<void()>& body) {
        if (words != nullptr) {
            form->setSearchHits(search::hitWords(words, HitRule::Regulation));
        }
        testsupport::openInDocumentWindow(data, *form, "Zakon o radu", std::string("12/2005"),
                                          body);
    }
    void openOpinion(const char* words, const std::function<void()>& body) {
        data.misljenja.setMasterFields("");
        data.misljenja.setFilter(
            database::filters::misljenjaByTitleAndDate("Porez na dobit", "05", "03", "2006"));
        data.misljenja.setFiltered(true);
        form->prepareOpinion();
        form->setSearchHits(search::hitWords(words, HitRule::Opinion));
        form->setWindowTitle(QStringLiteral("Porez na dobit"));
        scriptedUi().expectModal([&](QDialog&) {
            body();
            return 0;
        });
        platform::ui().showModal(*form);
    }

    testsupport::DocDatabase db;
    database::MainData data{db.session};
    std::unique_ptr<TForm3> form;
};

TEST_F(DocumentHits, FirstHitShownAndF3StepsAndWraps) {
    openRegulation("naknadu", [&] {
        QApplication::setActiveWindow(form.get());
        EXPECT_EQ(marks(), 2u);
        EXPECT_EQ(status(), "Pogodak 1 od 2");
        EXPECT_EQ(selected(), "naknadu");
        EXPECT_TRUE(button("SledeciPogodak")->isEnabled());
        EXPECT_EQ(platform::ys(button("SledeciPogodak")->toolTip()), "Slede}i pogodak");
        EXPECT_EQ(platform::ys(button("PrethodniPogodak")->toolTip()), "Prethodni pogodak");
        key(Qt::Key_F3);
        EXPECT_EQ(status(), "Pogodak 2 od 2");
        EXPECT_EQ(selected(), "NAKNADU");
        key(Qt::Key_F3);  // the last hit wraps to the first
        EXPECT_EQ(status(), "Pogodak 1 od 2");
        key(Qt::Key_F3, Qt::ShiftModifier);  // and back to the last
        EXPECT_EQ(status(), "Pogodak 2 od 2");
        button("SledeciPogodak")->click();
        EXPECT_EQ(status(), "Pogodak 1 od 2");
        button("PrethodniPogodak")->click();
        EXPECT_EQ(status(), "Pogodak 2 od 2");
    });
    // The close forgets them; the next opening without words shows none.
    openRegulation(nullptr, [&] {
        EXPECT_EQ(marks(), 0u);
        EXPECT_EQ(status(), "");
        EXPECT_FALSE(button("SledeciPogodak")->isEnabled());
        EXPECT_FALSE(button("PrethodniPogodak")->isEnabled());
        key(Qt::Key_F3);
        EXPECT_EQ(status(), "");
    });
}

TEST_F(DocumentHits, WordRuleOfTheSearch) {
    const struct {
        const char* name;
        const char* words;
        size_t count;
    } cases[] = {
        {"a word inside a longer word", "naknad", 3},        // naknadu, NAKNADU, Naknade
        {"a YUSCII letter in its small form", "{tednj", 1},  // {tednju, not [tednja
        {"a single Serbian capital stays capital", "[", 1},
        {"two words", "naknadu poslodavac", 3},
        {"a word of the title only", "radu", 1},  // ZAKON O RADU
        {"nothing", "ugovor", 0},
    };
    for (const auto& c : cases) {
        openRegulation(c.words, [&] { EXPECT_EQ(marks(), c.count) << c.name; });
    }
}

TEST_F(DocumentHits, OpinionWordsMatchTheCapitalLetterOnly) {
    // The opinion search looks for an upper-case word: a Serbian capital
    // does not find the small letter (pla}a), but finds MI[QEWE.
    openOpinion("pla]a", [&] { EXPECT_EQ(marks(), 0u); });
    openOpinion("mi[ dobit", [&] {
        EXPECT_EQ(marks(), 2u);
        EXPECT_EQ(status(), "Pogodak 1 od 2");
    });
}

TEST_F(DocumentHits, ScriptSwitchFindsTheWordsInTheCyrillicText) {
    openRegulation("naknadu }irilici", [&] {
        EXPECT_EQ(marks(), 2u);
        button("SpeedButton5")->click();
        EXPECT_EQ(view()->dataField(), "Cirilica");
        EXPECT_EQ(marks(), 3u);  // naknadu twice, }irilici (not the capital ]IRILICI)
        EXPECT_EQ(status(), "Pogodak 1 od 3");
        EXPECT_EQ(selected(), "naknadu");
        button("SpeedButton5")->click();
        EXPECT_EQ(marks(), 2u);
    });
}

TEST(Citation, LinesAsLawyersWriteThem) {
    using I = std::vector<viewer::Issue>;
    const struct {
        const char* name;
        const char* article;
        I issues;
        const char* line;
    } cases[] = {
        {"one issue", "~lan 12.", I{{"Slu`beni glasnik RS", "24/2005"}},
         "Zakon o radu, ~lan 12. (\"Slu`beni glasnik RS\", br. 24/2005)"},
        {"two issues of one gazette", "~lan 3.",
         I{{"Slu`beni glasnik RS", "24/2005"}, {"Slu`beni glasnik RS", "61/2005"}},
         "Zakon o radu, ~lan 3. (\"Slu`beni glasnik RS\", br. 24/2005 i 61/2005)"},
        {"three issues", "",
         I{{"Sl. glasnik RS", "24/2005"},
           {"Sl. glasnik RS", "61/2005"},
           {"Sl. glasnik RS", "54/2009"}},
         "Zakon o radu (\"Sl. glasnik RS\", br. 24/2005, 61/2005 i 54/2009)"},
        {"two gazettes", "~lan 1.", I{{"Sl. list SRJ", "5/1999"}, {"Sl. glasnik RS", "12/2005"}},
         "Zakon o radu, ~lan 1. (\"Sl. list SRJ\", br. 5/1999 i \"Sl. glasnik RS\", br. 12/2005)"},
        {"no issue known", "~lan 1.", I{}, "Zakon o radu, ~lan 1."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(viewer::regulationCitation("Zakon o radu", c.article, c.issues), c.line)
            << c.name;
    }
    EXPECT_EQ(
        viewer::opinionCitation("Porez na dobit", "Ministarstvo finansija", "10", "05/03/2006"),
        "Porez na dobit (Ministarstvo finansija, br. 10 od 05/03/2006)");
}

TEST(Citation, ArticleOfAPosition) {
    const std::string text = "ZAKON\n^lan 1.\nPrvi.\n^lan 12. Predmet\nDrugi.\n^lanak 3";
    const struct {
        size_t at;
        const char* article;
    } cases[] = {
        {0, ""}, {6, "~lan 1."}, {15, "~lan 1."}, {21, "~lan 12."}, {text.size(), "~lan 12."}};
    for (const auto& c : cases) {
        EXPECT_EQ(viewer::articleAt(text, c.at), c.article) << c.at;
    }
}

TEST_F(DocumentHits, CopyWithCitationOfARegulationAndAnOpinion) {
    auto& ui = scriptedUi();
    ui.clipboard = "old";
    openRegulation("naknadu", [&] {
        QApplication::setActiveWindow(form.get());
        key(Qt::Key_F3);  // NAKNADU, under ^lan 2.
        testsupport::child<QAction>(form.get(), "Kopirajsacitatom1")->trigger();
        // Published in 12/2005; its earlier version of the same title in 5/1999.
        EXPECT_EQ(ui.clipboard,
                  "NAKNADU\nZakon o radu, ~lan 2. (\"Sl. list SRJ\", br. 5/1999 i \"Sl. glasnik "
                  "RS\", br. 12/2005)");
        EXPECT_TRUE(ui.clipboardOwned);
        ui.clipboard.clear();
        key(Qt::Key_F3);  // naknadu, under ^lan 1., with Ctrl+Shift+C
        key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(ui.clipboard.substr(0, ui.clipboard.find('(')),
                  "naknadu\nZakon o radu, ~lan 1. ");
        // Nothing selected: the copy's own message, the clipboard untouched.
        view()->moveCursor(QTextCursor::Start);
        ui.clipboard = "old";
        ui.expectMessage("Prvo obelezite tekst koji zelite da iskopirate");
        testsupport::child<QAction>(form.get(), "Kopirajsacitatom1")->trigger();
        EXPECT_EQ(ui.clipboard, "old");
    });
    openOpinion("dobit", [&] {
        testsupport::child<QAction>(form.get(), "Kopirajsacitatom1")->trigger();
        EXPECT_EQ(ui.clipboard,
                  "dobit\nPorez na dobit (Ministarstvo finansija, br. 10 od 05/03/2006)");
    });
}

}  // namespace
