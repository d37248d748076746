#include "viewer/tform3.h"
#include "open_doc.h"
#include "support/find_child.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTextCursor>
#include <QToolButton>

#include "database/datasets.h"
#include "database/filters.h"
#include "database/opening.h"
#include "dbviews/dbrichedit.h"
#include "doc_db.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "support/scripted_ui.h"
#include "viewer/doctext.h"
#include "yuscii/yuscii.h"

namespace {

using testsupport::joined;
using testsupport::scriptedUi;

constexpr const char* kNotFound =
    "Trazena rec nije pronadjena.\r\nZelite li da ponovite pretragu od pocetka teksta?";

std::string lengthText(const std::string& text) {
    return "Du`ina teksta: " + std::to_string(viewer::textLength(text)) + " karaktera";
}

// Position of the n-th (0-based) occurrence of word in yupperW(text).
size_t hit(const std::string& text, const std::string& word, int n) {
    const std::string upper = yuscii::yupperW(text);
    size_t p = upper.find(word);
    while (n-- > 0) {
        p = upper.find(word, p + word.size());
    }
    return p;
}

size_t selectionStart(const TForm3& form) {
    return static_cast<size_t>(testsupport::child<dbviews::DBRichEdit>(&form, "DBRichEdit1")
                                   ->textCursor()
                                   .selectionStart());
}

void type(QWidget* field, const std::string& text) {
    for (char c : text) {
        const QString s = platform::qs(std::string(1, c));
        QKeyEvent press(QEvent::KeyPress, s.toUpper().at(0).unicode(), Qt::NoModifier, s);
        QApplication::sendEvent(field, &press);
    }
}

class DocumentWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        data.openAll();
        form = std::make_unique<TForm3>(db.session, data);
        QObject::connect(form.get(), &TForm3::quickOpenMarked,
                         [this](const std::string& title) { marked.push_back(title); });
        QObject::connect(form.get(), &TForm3::closing, [this] { ++progressResets; });
    }
    void TearDown() override { form.reset(); }

    // Opens through the opening flow; body runs while the window is shown.
    void open(const std::string& title, const std::optional<std::string>& bg,
              const std::function<void()>& body) {
        testsupport::openInDocumentWindow(data, *form, title, bg, body);
    }

    testsupport::DocDatabase db;
    database::MainData data{db.session};
    std::unique_ptr<TForm3> form;
    std::vector<std::string> marked;
    int progressResets = 0;
};

TEST_F(DocumentWindow, OpensARegulationInLatinWithItsCommandsAndNotes) {
    EXPECT_EQ(form->panelText(2), "Status");
    open("Zakon o radu", "12/2005", [&] {
        EXPECT_TRUE(form->isVisible());
        EXPECT_TRUE(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->loaded());
        EXPECT_EQ(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->dataField(),
                  "Latinica");
        EXPECT_EQ(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->plainText(),
                  joined(testsupport::kLatinOne));
        EXPECT_EQ(
            testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->font().family(),
            QStringLiteral("YHelvetica"));
        EXPECT_EQ(form->panelText(0), lengthText(joined(testsupport::kLatinOne)));
        EXPECT_TRUE(testsupport::child<QToolButton>(form.get(), "SpeedButton8")
                        ->isEnabled());  // a picture in S2
        EXPECT_TRUE(testsupport::child<QToolButton>(form.get(), "SpeedButton9")
                        ->isEnabled());  // an older version
        EXPECT_TRUE(testsupport::child<QToolButton>(form.get(), "SpeedButton4")
                        ->isEnabled());  // 201 characters of notes
        EXPECT_EQ(form->notesStripHeight(), 60);
        EXPECT_EQ(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit2")
                      ->plainText()
                      .rfind("Napomena uz zakon o radu.", 0),
                  0u);
        EXPECT_EQ(testsupport::child<QWidget>(form.get(), "Panel6")->maximumWidth(), 1);
        EXPECT_EQ(testsupport::child<QListWidget>(form.get(), "clanovi")->count(), 0);
        EXPECT_TRUE(testsupport::child<QLineEdit>(form.get(), "Edit1")->text().isEmpty());
        EXPECT_FALSE(form->showsOpinion());
    });
}

TEST_F(DocumentWindow, CommandsAndNotesStripFollowTheRegulation) {
    struct Case {
        const char* title;
        const char* bg;
        std::string text;
        bool notes;  // "&Dodatne informacije" and the strip
        bool pictures;
        bool archive;
    } cases[] = {
        {"Zakon o radu", "12/2005", joined(testsupport::kLatinOne), true, true, true},
        // Notes of exactly 200 characters; a title with an apostrophe.
        {"Zakon o 'porezu'", "12a/2005", joined(testsupport::kLatinTwo), false, false, false},
        // The same title in another issue; the archive test goes by the title.
        {"Zakon o radu", "5/1999", joined(testsupport::kLatinThree), false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.title) + " " + c.bg);
        open(c.title, c.bg, [&] {
            EXPECT_EQ(
                testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->plainText(),
                c.text);
            EXPECT_EQ(testsupport::child<QToolButton>(form.get(), "SpeedButton4")->isEnabled(),
                      c.notes);
            EXPECT_EQ(form->notesStripHeight(), c.notes ? 60 : 0);
            EXPECT_EQ(testsupport::child<QToolButton>(form.get(), "SpeedButton8")->isEnabled(),
                      c.pictures);
            EXPECT_EQ(testsupport::child<QToolButton>(form.get(), "SpeedButton9")->isEnabled(),
                      c.archive);
        });
    }
}

TEST_F(DocumentWindow, ArticleListBuildsTogglesAndJumps) {
    const std::string text = joined(testsupport::kLatinOne);
    open("Zakon o radu", "12/2005", [&] {
        testsupport::child<QToolButton>(form.get(), "SpeedButton2")->click();
        ASSERT_EQ(testsupport::child<QListWidget>(form.get(), "clanovi")->count(), 3);
        EXPECT_EQ(
            platform::ys(testsupport::child<QListWidget>(form.get(), "clanovi")->item(0)->text()),
            "^lan 1.");
        EXPECT_EQ(
            platform::ys(testsupport::child<QListWidget>(form.get(), "clanovi")->item(1)->text()),
            "^lan 2.");
        EXPECT_EQ(
            platform::ys(testsupport::child<QListWidget>(form.get(), "clanovi")->item(2)->text()),
            "^lan 10. Predmet");
        EXPECT_EQ(testsupport::child<QWidget>(form.get(), "Panel6")->maximumWidth(), 110);
        EXPECT_FALSE(
            testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->hasSelection());

        testsupport::child<QToolButton>(form.get(), "SpeedButton2")->click();
        EXPECT_EQ(testsupport::child<QWidget>(form.get(), "Panel6")->maximumWidth(), 1);
        testsupport::child<QToolButton>(form.get(), "SpeedButton2")->click();
        EXPECT_EQ(testsupport::child<QWidget>(form.get(), "Panel6")->maximumWidth(), 110);
        EXPECT_EQ(testsupport::child<QListWidget>(form.get(), "clanovi")->count(), 3);

        testsupport::child<QListWidget>(form.get(), "clanovi")->setCurrentRow(1);
        testsupport::doubleClickCurrent(testsupport::child<QListWidget>(form.get(), "clanovi"));
        EXPECT_EQ(selectionStart(*form), text.find("^lan 2."));
        EXPECT_EQ(
            testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->selectedText(),
            "^lan 2.");

        // No entry selected: nothing happens.
        testsupport::child<QListWidget>(form.get(), "clanovi")->clearSelection();
        testsupport::doubleClickCurrent(testsupport::child<QListWidget>(form.get(), "clanovi"));
        EXPECT_EQ(
            testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->selectedText(),
            "^lan 2.");
    });
}

TEST_F(DocumentWindow, EqualHeadingsAreKeptAndJumpToTheFirst) {
    const std::string text = joined(testsupport::kLatinTwo);
    open("Zakon o 'porezu'", "12a/2005", [&] {
        testsupport::child<QToolButton>(form.get(), "SpeedButton2")->click();
        ASSERT_EQ(testsupport::child<QListWidget>(form.get(), "clanovi")->count(), 2);
        testsupport::child<QListWidget>(form.get(), "clanovi")->setCurrentRow(1);
        testsupport::doubleClickCurrent(testsupport::child<QListWidget>(form.get(), "clanovi"));
        EXPECT_EQ(selectionStart(*form), text.find("^lan 3."));
    });
}

TEST_F(DocumentWindow, TextWithoutHeadingsOpensAnEmptyPanel) {
    open("Zakon o radu", "5/1999", [&] {
        testsupport::child<QToolButton>(form.get(), "SpeedButton2")->click();
        EXPECT_EQ(testsupport::child<QListWidget>(form.get(), "clanovi")->count(), 0);
        EXPECT_EQ(testsupport::child<QWidget>(form.get(), "Panel6")->maximumWidth(), 110);
        testsupport::doubleClickCurrent(
            testsupport::child<QListWidget>(form.get(), "clanovi"));  // nothing to jump to
    });
}

TEST_F(DocumentWindow, SearchStepsThroughThreeHitsThenAsksToWrap) {
    const std::string text = joined(testsupport::kLatinOne);
    open("Zakon o radu", "12/2005", [&] {
        testsupport::child<QLineEdit>(form.get(), "Edit1")->setText(QStringLiteral("NAKNAD"));
        for (int n = 0; n < 3; ++n) {
            testsupport::child<QToolButton>(form.get(), "SpeedButton1")->click();
            EXPECT_EQ(selectionStart(*form), hit(text, "NAKNAD", n)) << "hit " << n;
            EXPECT_EQ(
                yuscii::yupperW(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")
                                    ->selectedText()),
                "NAKNAD");
        }
        EXPECT_EQ(form->focusWidget(), testsupport::child<QLineEdit>(form.get(), "Edit1"));

        scriptedUi().expectConfirm(true, kNotFound);
        testsupport::child<QToolButton>(form.get(), "SpeedButton1")->click();
        EXPECT_EQ(selectionStart(*form), hit(text, "NAKNAD", 0));

        testsupport::child<QToolButton>(form.get(), "SpeedButton1")->click();
        testsupport::child<QToolButton>(form.get(), "SpeedButton1")->click();
        scriptedUi().expectConfirm(false, kNotFound);
        testsupport::child<QToolButton>(form.get(), "SpeedButton1")->click();
        EXPECT_EQ(selectionStart(*form), hit(text, "NAKNAD", 2));

        // A word that does not occur asks again after OK.
        testsupport::child<QLineEdit>(form.get(), "Edit1")->setText(QStringLiteral("NEMA"));
        scriptedUi().expectConfirm(true, kNotFound);
        scriptedUi().expectConfirm(false, kNotFound);
        testsupport::child<QToolButton>(form.get(), "SpeedButton1")->click();
    });
}

TEST_F(DocumentWindow, TypedSmallLettersBecomeCapitalsAndFindEitherCase) {
    const std::string text = joined(testsupport::kLatinOne);
    open("Zakon o radu", "12/2005", [&] {
        type(testsupport::child<QLineEdit>(form.get(), "Edit1"),
             "[tednj");  // the key of the letter s with caron, then letters
        EXPECT_EQ(platform::ys(testsupport::child<QLineEdit>(form.get(), "Edit1")->text()),
                  "[TEDNJ");
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(testsupport::child<QLineEdit>(form.get(), "Edit1"),
                                &enter);  // Enter runs the search
        EXPECT_EQ(
            testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->selectedText(),
            "{tednj");
        testsupport::child<QToolButton>(form.get(), "SpeedButton1")->click();
        EXPECT_EQ(
            testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->selectedText(),
            "[tednj");
        EXPECT_EQ(selectionStart(*form), text.find("[tednj"));
    });
}

TEST_F(DocumentWindow, ScriptSwitchChangesFontsAndTextOnly) {
    const std::string latin = joined(testsupport::kLatinOne);
    const std::string cyrillic = joined(testsupport::kCyrillicOne);
    open("Zakon o radu", "12/2005", [&] {
        testsupport::child<QToolButton>(form.get(), "SpeedButton2")->click();
        testsupport::child<QLineEdit>(form.get(), "Edit1")->setText(QStringLiteral("NAKNAD"));
        testsupport::child<QToolButton>(form.get(), "SpeedButton1")->click();
        testsupport::child<QToolButton>(form.get(), "SpeedButton1")->click();

        testsupport::child<QToolButton>(form.get(), "SpeedButton5")->click();
        EXPECT_EQ(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->dataField(),
                  "Cirilica");
        EXPECT_EQ(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->plainText(),
                  cyrillic);
        EXPECT_EQ(form->panelText(0), lengthText(cyrillic));
        EXPECT_EQ(
            testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->font().family(),
            QStringLiteral("CHelvetica"));
        EXPECT_EQ(testsupport::child<QListWidget>(form.get(), "clanovi")->font().family(),
                  QStringLiteral("CHelvetica"));
        EXPECT_EQ(testsupport::child<QLineEdit>(form.get(), "Edit1")->font().family(),
                  QStringLiteral("CHelvetica"));
        EXPECT_EQ(testsupport::child<QListWidget>(form.get(), "clanovi")->count(), 3);
        EXPECT_EQ(form->notesStripHeight(), 60);
        EXPECT_EQ(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit2")
                      ->plainText()
                      .rfind("Napomena uz zakon o radu.", 0),
                  0u);

        testsupport::child<QToolButton>(form.get(), "SpeedButton1")
            ->click();  // starts at the beginning of the new text
        EXPECT_EQ(selectionStart(*form), hit(cyrillic, "NAKNAD", 0));

        testsupport::child<QToolButton>(form.get(), "SpeedButton5")->click();
        EXPECT_EQ(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->dataField(),
                  "Latinica");
        EXPECT_EQ(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->plainText(),
                  latin);
        EXPECT_EQ(testsupport::child<QLineEdit>(form.get(), "Edit1")->font().family(),
                  QStringLiteral("YHelvetica"));
    });
}

TEST_F(DocumentWindow, LaterActivationsOnlyRefresh) {
    open("Zakon o radu", "12/2005", [&] {
        testsupport::child<QToolButton>(form.get(), "SpeedButton2")->click();
        testsupport::child<QLineEdit>(form.get(), "Edit1")->setText(QStringLiteral("NAKNAD"));
        testsupport::child<QToolButton>(form.get(), "SpeedButton1")->click();
        testsupport::child<QToolButton>(form.get(), "SpeedButton5")->click();
        form->FormActivate();  // as after a message box
        EXPECT_EQ(platform::ys(testsupport::child<QLineEdit>(form.get(), "Edit1")->text()),
                  "NAKNAD");
        EXPECT_EQ(testsupport::child<QListWidget>(form.get(), "clanovi")->count(), 3);
        EXPECT_EQ(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->dataField(),
                  "Cirilica");
    });
}

TEST_F(DocumentWindow, CloseLeavesTheDefaultsAndReopeningStartsInLatin) {
    open("Zakon o radu", "12/2005", [&] {
        testsupport::child<QToolButton>(form.get(), "SpeedButton5")->click();
        testsupport::child<QToolButton>(form.get(), "SpeedButton2")->click();
        testsupport::child<QLineEdit>(form.get(), "Edit1")->setText(QStringLiteral("NAKNAD"));
    });
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(form->lastShownTitle.empty());
    EXPECT_EQ(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->dataSource(),
              &data.DataSource2);
    EXPECT_EQ(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->dataField(),
              "Latinica");
    EXPECT_EQ(testsupport::child<QListWidget>(form.get(), "clanovi")->count(), 0);
    EXPECT_EQ(testsupport::child<QWidget>(form.get(), "Panel6")->maximumWidth(), 1);
    EXPECT_FALSE(testsupport::child<QToolButton>(form.get(), "SpeedButton8")->isEnabled());
    EXPECT_EQ(testsupport::child<QLineEdit>(form.get(), "Edit1")->font().family(),
              QStringLiteral("YHelvetica"));
    EXPECT_EQ(data.Zakoni.filter(), "");
    EXPECT_EQ(progressResets, 1);

    open("Zakon o radu", "12/2005", [&] {
        EXPECT_EQ(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->dataField(),
                  "Latinica");
        EXPECT_EQ(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->plainText(),
                  joined(testsupport::kLatinOne));
        EXPECT_TRUE(testsupport::child<QLineEdit>(form.get(), "Edit1")->text().isEmpty());
        EXPECT_EQ(testsupport::child<QWidget>(form.get(), "Panel6")->maximumWidth(), 1);
        EXPECT_TRUE(testsupport::child<QToolButton>(form.get(), "SpeedButton8")->isEnabled());
    });
}

TEST_F(DocumentWindow, CloseCommandsCloseTheWindow) {
    for (QAction* action : {testsupport::child<QAction>(form.get(), "Zatvori1"),
                            testsupport::child<QAction>(form.get(), "Zatvori2")}) {
        bool shown = false;
        open("Zakon o radu", "12/2005", [&] {
            action->trigger();
            shown = form->isVisible();
        });
        EXPECT_FALSE(shown);
        EXPECT_TRUE(form->lastShownTitle.empty());
    }
    open("Zakon o radu", "12/2005",
         [&] { testsupport::child<QToolButton>(form.get(), "SpeedButton3")->click(); });
    EXPECT_FALSE(form->isVisible());
}

TEST_F(DocumentWindow, OpinionOpensWithoutAttachmentsNotesOrArchive) {
    data.misljenja.setMasterFields("");
    data.misljenja.setFilter(
        database::filters::misljenjaByTitleAndDate("Porez na dobit", "05", "03", "2006"));
    data.misljenja.setFiltered(true);
    form->prepareOpinion();
    form->setWindowTitle(QStringLiteral("Porez na dobit"));
    scriptedUi().expectModal([&](QDialog&) {
        EXPECT_TRUE(form->showsOpinion());
        EXPECT_EQ(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->plainText(),
                  joined(testsupport::kOpinionText));
        EXPECT_FALSE(testsupport::child<QToolButton>(form.get(), "SpeedButton8")->isEnabled());
        EXPECT_FALSE(testsupport::child<QToolButton>(form.get(), "SpeedButton4")->isEnabled());
        EXPECT_FALSE(testsupport::child<QToolButton>(form.get(), "SpeedButton9")->isEnabled());
        EXPECT_EQ(form->notesStripHeight(), 0);
        EXPECT_EQ(testsupport::child<QWidget>(form.get(), "Panel6")->maximumWidth(), 1);
        testsupport::child<QToolButton>(form.get(), "SpeedButton5")->click();
        EXPECT_EQ(testsupport::child<dbviews::DBRichEdit>(form.get(), "DBRichEdit1")->dataField(),
                  "Cirilica");
        return 0;
    });
    platform::ui().showModal(*form);
    EXPECT_FALSE(form->showsOpinion());
}

TEST_F(DocumentWindow, CopyGoesThroughTheClipboardSeam) {
    auto& ui = scriptedUi();
    ui.clipboard = "old";
    open("Zakon o radu", "12/2005", [&] {
        ui.expectMessage("Prvo obelezite tekst koji zelite da iskopirate");
        testsupport::child<QToolButton>(form.get(), "SpeedButton7")->click();
        testsupport::child<QAction>(form.get(), "Kopiraj1")
            ->trigger();  // no check, nothing selected: nothing copied
        EXPECT_EQ(ui.clipboard, "old");

        testsupport::child<QLineEdit>(form.get(), "Edit1")->setText(QStringLiteral("NAKNAD"));
        testsupport::child<QToolButton>(form.get(), "SpeedButton1")->click();
        testsupport::child<QAction>(form.get(), "Kopiraj1")->trigger();  // Ctrl+C
        EXPECT_EQ(ui.clipboard, "naknad");
        EXPECT_TRUE(ui.clipboardOwned);

        testsupport::child<QLineEdit>(form.get(), "Edit1")->setText(QStringLiteral("^LAN 10"));
        testsupport::child<QToolButton>(form.get(), "SpeedButton1")->click();
        testsupport::child<QToolButton>(form.get(), "SpeedButton7")->click();
        EXPECT_EQ(ui.clipboard, "^lan 10");
        ui.clipboard.clear();
        testsupport::child<QAction>(form.get(), "Kopirajtekst1")->trigger();
        EXPECT_EQ(ui.clipboard, "^lan 10");
    });
}

TEST_F(DocumentWindow, OznaciMarksTheCaption) {
    open("Zakon o 'porezu'", "12a/2005",
         [&] { testsupport::child<QAction>(form.get(), "Oznacizabrzootvaranje1")->trigger(); });
    EXPECT_EQ(marked, std::vector<std::string>{"Zakon o 'porezu'"});
}

TEST_F(DocumentWindow, HintShowsInPanelTwo) {
    form->showHint("Kopira izabrani tekst");
    EXPECT_EQ(form->panelText(2), "Kopira izabrani tekst");
}

TEST_F(DocumentWindow, HintPanelTakesTheRestOfTheBarAndTheArticleButtonReadsRight) {
    open("Zakon o radu", "12/2005", [&] {
        form->resize(900, 600);
        QApplication::processEvents();
        auto* bar = testsupport::child<QWidget>(form.get(), "StatusBar1");
        auto* hint = testsupport::child<QLabel>(form.get(), "StatusBar1Panel2");
        EXPECT_GE(hint->width(), bar->width() - 200 - 100 - 40);
        EXPECT_EQ(testsupport::child<QLabel>(form.get(), "StatusBar1Panel0")->width(), 200);
        EXPECT_EQ(platform::ys(testsupport::child<QToolButton>(form.get(), "SpeedButton2")->text()),
                  "Lista ~lanova");
    });
}

TEST_F(DocumentWindow, EscapeDoesNotClose) {
    open("Zakon o radu", "12/2005", [&] {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &escape);
        EXPECT_TRUE(form->isVisible());
    });
}

TEST_F(DocumentWindow, MinimisingMinimisesTheWholeApplication) {
    QWidget mainWindow;
    mainWindow.show();
    auto& ui = scriptedUi();
    ui.clipboard = "wax";
    ui.clipboardOwned = true;
    open("Zakon o radu", "12/2005", [&] {
        form->setWindowState(Qt::WindowMinimized);
        EXPECT_TRUE(mainWindow.isMinimized());
        EXPECT_EQ(ui.clipboard, "njadz");
        form->setWindowState(Qt::WindowMaximized);
    });
}

}  // namespace
