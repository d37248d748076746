// The page "Tipski ugovori" on a copy of the demo database: the model list,
// generating a model with the party data, the search in the model view, the
// print, keeping a generated model as a user contract, and the user
// contracts' list, editor, deletes and stores.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <cstdlib>
#include <functional>

#include "database/schema.h"
#include "dbviews/dbedit.h"
#include "dbviews/dbgrid.h"
#include "dbviews/dbricheditor.h"
#include "engine/table.h"
#include "fonts/fonts.h"
#include "pages_fixture.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "printing/tpreviewprinter.h"
#include "richtext/reader.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"

namespace {

using testsupport::child;
using testsupport::scriptedUi;

constexpr const char* kWork = "Ugovor o radu na neodre|eno vreme";    // <ugov1> three times
constexpr const char* kLease = "Ugovor o zakupu poslovnog prostora";  // three parties
constexpr const char* kSale = "Ugovor o kupoprodaji robe";            // <UGOV1>
constexpr const char* kService = "Ugovor o delu";

const std::string kNameBlank = " " + std::string(20, '_') + " ";
const std::string kAddressBlank = " " + std::string(17, '_') + " ";
constexpr const char* kDateBlank = " ___/___/_____ ";
const QColor kNavy(0, 0, 128);

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The positions where part occurs in the document's text.
std::vector<int> positionsOf(const QTextDocument& doc, const std::string& part) {
    std::vector<int> found;
    const std::string text = platform::ys(doc.toRawText());
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        found.push_back(static_cast<int>(at));
    }
    return found;
}

QTextCharFormat formatAt(const QTextDocument& doc, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(&doc));
    cursor.setPosition(position + 1);
    return cursor.charFormat();
}

class ContractPages : public pagestest::MainWindowPages {
  protected:
    QTextEdit* modelView() { return child<QTextEdit>(form.get(), "RichEdit2"); }
    std::string modelText() { return platform::ysPlain(modelView()->toPlainText()); }
    dbviews::DBRichEditor* editor() {
        return child<dbviews::DBRichEditor>(form.get(), "DBRichEdit3");
    }
    dbviews::DBEdit* nameField() { return child<dbviews::DBEdit>(form.get(), "DBEdit1"); }
    QTabWidget* pages() { return child<QTabWidget>(form.get(), "PageControl3"); }

    void chooseModel(const std::string& name) {
        auto* box = child<QComboBox>(form.get(), "ComboBox5");
        const int index = box->findText(platform::qs(name));
        ASSERT_GE(index, 0) << name;
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }

    void type(const char* field, const QString& text) {
        testsupport::typeText(child<QLineEdit>(form.get(), field), text);
    }

    void click(const char* button) { child<QAbstractButton>(form.get(), button)->click(); }

    // The user contracts as stored: name and text of every row.
    std::vector<std::pair<std::string, std::string>> storedContracts() {
        engine::Table t(session);
        t.setDatabaseName(database::kAlias);
        t.setTableName(database::kKorisnicki);
        t.open();
        std::vector<std::pair<std::string, std::string>> rows;
        for (t.first(); !t.eof(); t.next()) {
            rows.emplace_back(t.field(database::pos::kKorisnickiNaziv).asString(),
                              t.field(database::pos::kKorisnickiTekst).asString());
        }
        return rows;
    }

    // "Preba&ci u korisni~ke ugovore" for a model as generated now.
    void keepAsUserContract() { click("SpeedButton18"); }
};

// ---------------------------------------------------------------------------
// Models page
// ---------------------------------------------------------------------------

TEST_F(ContractPages, TheModelListHoldsEveryModelAndTheFirstIsGenerated) {
    auto* box = child<QComboBox>(form.get(), "ComboBox5");
    ASSERT_EQ(box->count(), 5);
    EXPECT_EQ(platform::ys(box->itemText(0)), kService);
    EXPECT_EQ(box->currentIndex(), 0);
    // The model is generated: its placeholders have given way to blanks.
    EXPECT_EQ(modelText().find('<'), std::string::npos);
    EXPECT_NE(modelText().find("UGOVOR O DELU"), std::string::npos);
}

TEST_F(ContractPages, EmptyFieldsLeaveBlankLinesAndAFilledNameComesInColour) {
    chooseModel(kWork);
    // Three blank name lines of 20 underscores for <ugov1>, two for <ugov2>.
    EXPECT_EQ(occurrences(modelText(), kNameBlank), 5u);
    type("Edit9", QStringLiteral("Petar Petrovi\u0107"));
    click("SpeedButton9");
    EXPECT_EQ(occurrences(modelText(), kNameBlank), 3u);

    type("Edit5", QStringLiteral("Preduze\u0107e Sigma"));
    click("SpeedButton9");
    const std::string text = modelText();
    EXPECT_EQ(occurrences(text, kNameBlank), 0u);
    EXPECT_EQ(occurrences(text, "Preduze}e Sigma"), 3u);
    EXPECT_EQ(occurrences(text, "Petar Petrovi}"), 2u);
    // The empty date leaves its blank.
    EXPECT_EQ(occurrences(text, kDateBlank), 1u);
    const QTextDocument& doc = *modelView()->document();
    for (int at : positionsOf(doc, "Preduze}e Sigma")) {
        EXPECT_EQ(formatAt(doc, at).foreground().color(), kNavy);
    }
    // A blank keeps the placeholder's own formatting: no colour.
    for (int at : positionsOf(doc, kDateBlank)) {
        EXPECT_NE(formatAt(doc, at).foreground().color(), kNavy);
    }

    // Another colour in the settings is the colour of the next generation.
    auto* colours = child<QComboBox>(form.get(), "ColorBox1");
    EXPECT_EQ(colours->currentData().value<QColor>(), kNavy);
    colours->setCurrentIndex(colours->findText(platform::qs("Crvena")));
    click("SpeedButton9");
    for (int at : positionsOf(doc, "Preduze}e Sigma")) {
        EXPECT_EQ(formatAt(doc, at).foreground().color(), QColor(Qt::red));
    }
}

TEST_F(ContractPages, PlaceholdersInCapitalsAreReplacedToo) {
    type("Edit5", QStringLiteral("Alfa"));
    chooseModel(kSale);
    const std::string text = modelText();
    EXPECT_EQ(text.find("<UGOV1>"), std::string::npos);
    EXPECT_EQ(occurrences(text, "Alfa"), 2u);  // <UGOV1> and <ugov1>
}

TEST_F(ContractPages, GeneratingTwiceGivesTheSameText) {
    type("Edit3", QStringLiteral("Novi Sad"));
    chooseModel(kWork);
    const QString first = modelView()->toHtml();
    click("SpeedButton9");
    EXPECT_EQ(modelView()->toHtml(), first);
}

TEST_F(ContractPages, HeadingsAndTitleAreFormatted) {
    chooseModel(kWork);
    const QTextDocument& doc = *modelView()->document();
    int headings = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (platform::ys(block.text()).rfind("^lan ", 0) == 0) {
            ++headings;
            EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
            EXPECT_EQ(block.charFormat().fontWeight(), QFont::Bold);
            EXPECT_TRUE(block.previous().text().isEmpty()) << platform::ys(block.text());
        }
    }
    EXPECT_EQ(headings, 8);
    // The title block: the first two lines, bold, 12 points, centred.
    const QTextBlock title = doc.begin();
    EXPECT_EQ(platform::ys(title.text()), "UGOVOR O RADU");
    EXPECT_EQ(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(formatAt(doc, 0).fontPointSize(), 12);
    EXPECT_EQ(formatAt(doc, title.next().position()).fontPointSize(), 12);
    EXPECT_NE(formatAt(doc, title.next().next().position()).fontPointSize(), 12);
    // Every paragraph: first-line indent 9, right indent 9.
    EXPECT_EQ(title.blockFormat().textIndent(), 9);
    EXPECT_EQ(title.blockFormat().rightMargin(), 9);
}

TEST_F(ContractPages, ThirdPartyFieldsFollowTheModel) {
    auto* name3 = child<QLineEdit>(form.get(), "Edit17");
    auto* address3 = child<QLineEdit>(form.get(), "Edit18");
    chooseModel(kLease);
    ASSERT_TRUE(name3->isEnabled());
    ASSERT_TRUE(address3->isEnabled());
    EXPECT_EQ(occurrences(modelText(), kNameBlank), 7u);
    EXPECT_EQ(occurrences(modelText(), kAddressBlank), 3u);
    type("Edit17", QStringLiteral("Jemac Jovan"));
    type("Edit18", QStringLiteral("Ni\u0161, Glavna 1"));
    click("SpeedButton9");
    EXPECT_EQ(occurrences(modelText(), "Jemac Jovan"), 3u);
    EXPECT_EQ(occurrences(modelText(), "Ni{, Glavna 1"), 1u);

    // A model of two parties: the fields are off in the button face and keep
    // their text.
    chooseModel(kWork);
    EXPECT_FALSE(name3->isEnabled());
    EXPECT_FALSE(address3->isEnabled());
    EXPECT_EQ(name3->palette().color(QPalette::Disabled, QPalette::Base),
              name3->style()->standardPalette().color(QPalette::Button));
    EXPECT_EQ(platform::ys(name3->text()), "Jemac Jovan");
    EXPECT_EQ(form->ugovornipodaci.strane[2].naziv, "Jemac Jovan");
}

TEST_F(ContractPages, AValueThatReadsLikeAPlaceholderStaysAsTyped) {
    chooseModel(kWork);
    type("Edit5", QStringLiteral("<ugov1>"));
    type("Edit9", QStringLiteral("<UGOV1> i <ugov2>"));
    click("SpeedButton9");
    const std::string text = modelText();
    // Only the first name holds "<ugov1>" as typed; the second holds capitals.
    EXPECT_EQ(occurrences(text, "<ugov1>"), 3u);
    EXPECT_EQ(occurrences(text, "<UGOV1> i <ugov2>"), 2u);
}

TEST_F(ContractPages, SearchMatchesYusciiLettersOnlyAsCapitals) {
    chooseModel(kService);
    auto* word = child<QLineEdit>(form.get(), "Edit16");
    // Typed in small letters, the field holds capitals: NARU^ILAC.
    testsupport::typeText(word, QStringLiteral("naru\u010dilac"));
    ASSERT_EQ(platform::ys(word->text()), "NARU^ILAC");
    const std::vector<int> capitals = positionsOf(*modelView()->document(), "NARU^ILAC");
    ASSERT_EQ(capitals.size(), 1u);
    ASSERT_GT(occurrences(modelText(), "naru~ilac"), 0u);  // never found
    testsupport::pressEnter(word);
    QTextCursor found = modelView()->textCursor();
    EXPECT_EQ(found.selectionStart(), capitals.front());
    EXPECT_EQ(platform::ys(found.selectedText()), "NARU^ILAC");

    // Past the last occurrence: the question, and OK searches from the start.
    scriptedUi().expectConfirm(
        true, "Trazena rec nije pronadjena.\r\nZelite li da ponovite pretragu od pocetka teksta?");
    click("SpeedButton19");
    EXPECT_EQ(modelView()->textCursor().selectionStart(), capitals.front());

    // A to Z in either case: "ugovor" in the text, "UGOVOR" searched.
    word->clear();
    testsupport::typeText(word, QStringLiteral("ugovor"));
    modelView()->moveCursor(QTextCursor::Start);
    click("SpeedButton19");
    EXPECT_EQ(modelView()->textCursor().selectionStart(),
              positionsOf(*modelView()->document(), "UGOVOR").front());
    click("SpeedButton19");
    const int second = modelView()->textCursor().selectionStart();
    EXPECT_EQ(platform::ys(modelView()->textCursor().selectedText()), "Ugovor");
    EXPECT_GT(second, 0);

    // A word that does not occur asks again until the user gives up.
    word->clear();
    testsupport::typeText(word, QStringLiteral("xyzzy"));
    scriptedUi().expectConfirm(true);
    scriptedUi().expectConfirm(false);
    click("SpeedButton19");
    EXPECT_FALSE(modelView()->textCursor().hasSelection());
}

TEST_F(ContractPages, PrintShowsThePreviewOfTheGeneratedText) {
    auto* printer = form->findChild<printing::TPreviewPrinter*>(QStringLiteral("PreviewPrinter1"));
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(printer->TextOptions.PageNumAlign, printing::TAlignment::taRightJustify);

    scriptedUi().printerName.clear();
    scriptedUi().expectMessage("Printer nije detektovan");
    click("SpeedButton28");

    scriptedUi().printerName = "Test printer";
    scriptedUi().expectPrinterSetup(false);
    click("SpeedButton28");

    scriptedUi().expectPrinterSetup(true);
    int pages = 0;
    scriptedUi().expectModal([&](QDialog&) {
        pages = printer->PageCount();
        return 0;
    });
    click("SpeedButton28");
    EXPECT_GE(pages, 1);
}

// ---------------------------------------------------------------------------
// User contracts
// ---------------------------------------------------------------------------

TEST_F(ContractPages, KeepingTheSameModelTwiceAsksForAnotherName) {
    chooseModel(kWork);
    type("Edit5", QStringLiteral("Sigma"));
    click("SpeedButton9");
    const size_t before = storedContracts().size();
    keepAsUserContract();
    EXPECT_EQ(pages()->currentIndex(), 1);
    auto rows = storedContracts();
    ASSERT_EQ(rows.size(), before + 1);
    EXPECT_EQ(rows.back().first, std::string("Korisnicki ") + kWork);

    const std::string date =
        QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")).toStdString();
    const std::string suggestion = std::string("Korisnicki ") + kWork + " (" + date + ")";
    pages()->setCurrentIndex(0);
    scriptedUi().expectInput(suggestion + " drugi");
    keepAsUserContract();
    const testsupport::Shown& box = scriptedUi().shown().back();
    EXPECT_EQ(box.caption, "Ugovor sa ovim imenom postoji u bazi!");
    EXPECT_EQ(box.text, "Predlazemo da koristite naziv slican ovom:\r\n" + suggestion);
    EXPECT_EQ(box.initial, suggestion);

    pages()->setCurrentIndex(0);
    scriptedUi().expectInput(std::nullopt);
    keepAsUserContract();
    rows = storedContracts();
    ASSERT_EQ(rows.size(), before + 3);
    EXPECT_EQ(rows[before + 1].first, suggestion + " drugi");
    EXPECT_EQ(rows[before + 2].first, std::string("Korisnicki ") + kWork);
    // The list shows them all again.
    EXPECT_EQ(child<dbviews::DBGrid>(form.get(), "DBGrid13")->model()->rowCount(),
              static_cast<int>(before + 3));
}

TEST_F(ContractPages, AKeptContractHasNoColoursAndItsHeadingsCentredWithABlankLineAbove) {
    chooseModel(kWork);
    type("Edit5", QStringLiteral("Sigma"));
    click("SpeedButton9");
    keepAsUserContract();
    EXPECT_TRUE(editor()->isEnabled());
    EXPECT_TRUE(nameField()->isEnabled());
    EXPECT_EQ(platform::ys(nameField()->text()), std::string("Korisnicki ") + kWork);

    const std::string stored = storedContracts().back().second;
    ASSERT_EQ(stored.rfind("{\\rtf", 0), 0u);
    auto doc = richtext::read(stored);
    const std::string text = platform::ysPlain(doc->toPlainText());
    EXPECT_EQ(occurrences(text, "Sigma"), 3u);
    for (int at : positionsOf(*doc, "Sigma")) {
        EXPECT_NE(formatAt(*doc, at).foreground().color(), kNavy);
    }
    int headings = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (platform::ys(block.text()).rfind("^lan ", 0) == 0) {
            ++headings;
            EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
            EXPECT_EQ(formatAt(*doc, block.position()).fontWeight(), QFont::Bold);
            // One empty line above, not two.
            EXPECT_TRUE(block.previous().text().isEmpty());
            EXPECT_FALSE(block.previous().previous().text().isEmpty());
        }
    }
    EXPECT_EQ(headings, 8);
    EXPECT_EQ(editor()->font().family(), QStringLiteral("YHelvetica"));
}

TEST_F(ContractPages, DeleteRemovesTheCurrentContractWithoutAQuestion) {
    chooseModel(kWork);
    keepAsUserContract();
    pages()->setCurrentIndex(0);
    chooseModel(kService);
    keepAsUserContract();
    const size_t before = storedContracts().size();
    click("SpeedButton4");  // no dialog is expected
    auto rows = storedContracts();
    ASSERT_EQ(rows.size(), before - 1);
    EXPECT_EQ(std::count_if(
                  rows.begin(), rows.end(),
                  [](const auto& r) { return r.first == std::string("Korisnicki ") + kService; }),
              0);
    EXPECT_TRUE(nameField()->isEnabled());

    while (!storedContracts().empty()) {
        click("SpeedButton4");
    }
    // With no user contract the delete only turns the editor and the name off.
    click("SpeedButton4");
    EXPECT_FALSE(editor()->isEnabled());
    EXPECT_FALSE(nameField()->isEnabled());
    EXPECT_TRUE(storedContracts().empty());
    // Printing without a contract does nothing.
    click("SpeedButton16");
}

TEST_F(ContractPages, ThePageShowsTheEditorOnlyWhenContractsExist) {
    for (size_t i = storedContracts().size(); i > 0; --i) {
        pages()->setCurrentIndex(1);
        click("SpeedButton4");
    }
    pages()->setCurrentIndex(0);
    pages()->setCurrentIndex(1);
    EXPECT_FALSE(editor()->isEnabled());
    EXPECT_FALSE(nameField()->isEnabled());
    pages()->setCurrentIndex(0);
    keepAsUserContract();
    EXPECT_TRUE(editor()->isEnabled());
}

TEST_F(ContractPages, DeleteByModelNameAsksAndRefillsTheModels) {
    auto* hidden = child<QAbstractButton>(form.get(), "SpeedButton29");
    EXPECT_EQ(hidden->shortcut(), QKeySequence(QStringLiteral("Alt+B")));
    EXPECT_FALSE(hidden->isEnabled());
    chooseModel(kSale);
    pages()->setCurrentIndex(1);
    EXPECT_TRUE(hidden->isEnabled());

    scriptedUi().expectMessage("Ne postoji nijedan korisnicki menjan ugovor");
    hidden->click();
    // The model list was filled anew: the first model is chosen.
    EXPECT_EQ(platform::ys(child<QComboBox>(form.get(), "ComboBox5")->currentText()), kService);

    // A user contract named like the model.
    pages()->setCurrentIndex(0);
    keepAsUserContract();
    nameField()->selectAll();
    testsupport::typeText(nameField(), QStringLiteral("ugovor o delu"));
    const size_t before = storedContracts().size();
    scriptedUi().expectConfirm(
        false, std::string("Jeste li sigurni da zelite da obrisete ugovor:\r\n") + kService);
    hidden->click();
    EXPECT_EQ(storedContracts().size(), before);
    scriptedUi().expectConfirm(true);
    hidden->click();
    EXPECT_EQ(storedContracts().size(), before - 1);
}

TEST_F(ContractPages, LeavingThePageStoresTheEdit) {
    keepAsUserContract();
    auto& table = form->KorisnickiUgovori;
    editor()->moveCursor(QTextCursor::End);
    testsupport::typeText(editor(), QStringLiteral(" Dodatak"));
    ASSERT_NE(table.state(), engine::State::Browse);
    pages()->setCurrentIndex(0);
    EXPECT_EQ(table.state(), engine::State::Browse);
    EXPECT_NE(richtext::read(storedContracts().back().second)
                  ->toPlainText()
                  .indexOf(QStringLiteral("Dodatak")),
              -1);

    pages()->setCurrentIndex(1);
    testsupport::typeText(editor(), QStringLiteral("Uvod "));
    child<QTabWidget>(form.get(), "PageControl1")->setCurrentIndex(TForm1::kPodesavanja);
    EXPECT_EQ(table.state(), engine::State::Browse);
    EXPECT_NE(richtext::read(storedContracts().back().second)
                  ->toPlainText()
                  .indexOf(QStringLiteral("Uvod ")),
              -1);
}

TEST_F(ContractPages, PastedSerbianLettersAreStoredAsYusciiLetters) {
    keepAsUserContract();
    QGuiApplication::clipboard()->setText(QString::fromUtf16(u"\u0160ifra \u010Dlana"));
    platform::setUi(nullptr);  // the program's own clipboard; the next test restores
    editor()->moveCursor(QTextCursor::End);
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::sendEvent(editor(), &paste);
    pages()->setCurrentIndex(0);
    const std::string text =
        platform::ysPlain(richtext::read(storedContracts().back().second)->toPlainText());
    EXPECT_NE(text.find("[ifra ~lana"), std::string::npos);
    EXPECT_EQ(text.find('\x8a'), std::string::npos);
}

TEST_F(ContractPages, AnEditKeptWhenTheProgramClosesAtOnce) {
    keepAsUserContract();
    testsupport::typeText(nameField(), QStringLiteral(" izmenjen"));
    editor()->moveCursor(QTextCursor::End);
    testsupport::typeText(editor(), QStringLiteral(" Poslednja re\u010d"));
    form->show();
    form->close();
    document.reset();
    form.reset();
    session.close();

    engine::Session again;
    startup::openDatabase(again, dir.path());
    TForm1 restarted(again);
    restarted.FormActivate();
    auto* pageControl = child<QTabWidget>(&restarted, "PageControl3");
    pageControl->setCurrentIndex(1);
    auto& table = restarted.KorisnickiUgovori;
    table.last();
    EXPECT_EQ(platform::ys(child<dbviews::DBEdit>(&restarted, "DBEdit1")->text()),
              std::string("Korisnicki ") + kService + " izmenjen");
    EXPECT_NE(child<dbviews::DBRichEditor>(&restarted, "DBRichEdit3")
                  ->toPlainText()
                  .indexOf(QStringLiteral("Poslednja re") + platform::qchar('~')),
              -1);
}

}  // namespace

namespace {

// Screenshots of the contract, settings and help pages, for looking at them:
// run with KORVET_SHOTS=<folder>; skipped otherwise.
TEST_F(ContractPages, Screenshots) {
    const char* folder = std::getenv("KORVET_SHOTS");
    if (folder == nullptr) {
        GTEST_SKIP() << "KORVET_SHOTS not set";
    }
    fonts::installfonts();
    form->setWindowState(Qt::WindowNoState);
    form->resize(1200, 760);
    form->show();
    const auto save = [&](const char* name) {
        QApplication::processEvents();
        form->grab().save(QString::fromLatin1(folder) + QLatin1Char('/') + QLatin1String(name));
    };
    form->selectPage(TForm1::kUgovori);
    chooseModel(kLease);
    type("Edit3", QStringLiteral("Beograd"));
    type("Edit4", QStringLiteral("10/12/2026"));
    type("Edit5", QStringLiteral("Preduze\u0107e Sigma d.o.o."));
    type("Edit6", QStringLiteral("Beograd, Njego\u0161eva 5"));
    type("Edit9", QStringLiteral("\u0110or\u0111e Petrovi\u0107"));
    click("SpeedButton9");
    save("contracts-models.png");
    keepAsUserContract();
    save("contracts-user.png");
    form->selectPage(TForm1::kPodesavanja);
    save("settings.png");
    form->selectPage(TForm1::kPomoc);
    save("help.png");
}

}  // namespace
