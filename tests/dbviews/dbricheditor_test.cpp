#include "dbviews/dbricheditor.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>

#include "dbviews/dbedit.h"
#include "dbviews/dbnavigator.h"
#include "engine/datasource.h"
#include "richtext/plaintext.h"
#include "richtext/reader.h"
#include "support/scripted_ui.h"
#include "views_db.h"

namespace {

using engine::State;

class DBRichEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        editor.setDataSource(&source);
        editor.setDataField("TEKST_UG");
        navigator.setDataSource(&source);
    }

    std::string storedText(const std::string& name) {
        return rtf::plainText(db.stored("Ugovori", "NAZIV_UG", name, "TEKST_UG"));
    }

    viewstest::ViewsDb db;
    std::unique_ptr<engine::Table> table = db.open("Ugovori");
    engine::DataSource source{table.get()};
    dbviews::DBRichEditor editor;
    dbviews::DBNavigator navigator;
};

TEST_F(DBRichEditorTest, FollowsTheCurrentRow) {
    EXPECT_EQ(editor.plainText(), "Tekst prvog");
    table->next();
    EXPECT_EQ(editor.plainText(), "Tekst drugog");
    table->next();  // no text stored
    EXPECT_EQ(editor.plainText(), "");
    table->close();
    EXPECT_EQ(editor.plainText(), "");
    table->open();
    EXPECT_EQ(editor.plainText(), "Tekst prvog");
}

TEST_F(DBRichEditorTest, TypedTextReachesTheFieldBeforeTheMovePostsIt) {
    editor.moveCursor(QTextCursor::End);
    viewstest::type(&editor, QStringLiteral(" i jo{"));
    EXPECT_EQ(table->state(), State::Edit);
    EXPECT_EQ(storedText("Prvi"), "Tekst prvog");
    table->next();
    EXPECT_EQ(storedText("Prvi"), "Tekst prvog i jo{");
    EXPECT_EQ(editor.plainText(), "Tekst drugog");
    table->prior();
    EXPECT_EQ(editor.plainText(), "Tekst prvog i jo{");
}

TEST_F(DBRichEditorTest, AnotherRowWithTheSameTextIsReadAnew) {
    table->next();
    table->edit();
    table->fieldByName("TEKST_UG").setString("{\\rtf1 Tekst prvog}");
    table->post();
    table->first();
    editor.moveCursor(QTextCursor::End);
    viewstest::type(&editor, QStringLiteral("!"));
    table->next();  // the edits of the first row cannot be undone here
    EXPECT_EQ(editor.plainText(), "Tekst prvog");
    EXPECT_FALSE(editor.document()->isUndoAvailable());
}

TEST_F(DBRichEditorTest, PostStoresAndKeepsTheTextShownCancelReverts) {
    editor.moveCursor(QTextCursor::End);
    viewstest::type(&editor, QStringLiteral("!"));
    const QTextDocument* shown = editor.document();
    navigator.post();
    EXPECT_EQ(table->state(), State::Browse);
    EXPECT_EQ(storedText("Prvi"), "Tekst prvog!");
    EXPECT_EQ(editor.document(), shown);  // not read again: caret and scroll stay
    EXPECT_EQ(editor.textCursor().position(), 12);

    viewstest::type(&editor, QStringLiteral("?"));
    EXPECT_TRUE(navigator.cancelButton()->isEnabled());
    navigator.cancel();
    EXPECT_EQ(editor.plainText(), "Tekst prvog!");
    EXPECT_EQ(storedText("Prvi"), "Tekst prvog!");
}

TEST_F(DBRichEditorTest, FormatSurvivesTheRoundTripThroughTheField) {
    QTextCursor cursor(editor.document());
    cursor.beginEditBlock();
    cursor.setPosition(6);
    cursor.setPosition(11, QTextCursor::KeepAnchor);  // "prvog"
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontPointSize(12);
    cursor.mergeCharFormat(bold);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setTextIndent(9);
    cursor.mergeBlockFormat(centred);
    cursor.endEditBlock();
    EXPECT_EQ(table->state(), State::Edit);
    navigator.post();

    auto doc = richtext::read(db.stored("Ugovori", "NAZIV_UG", "Prvi", "TEKST_UG"));
    EXPECT_EQ(doc->toPlainText(), QStringLiteral("Tekst prvog"));
    const QTextBlock block = doc->firstBlock();
    EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(block.blockFormat().textIndent(), 9);
    QTextCursor read(doc.get());
    read.setPosition(8);  // inside "prvog"
    EXPECT_EQ(read.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(read.charFormat().fontPointSize(), 12);
    read.setPosition(3);  // inside "Tekst"
    EXPECT_NE(read.charFormat().fontWeight(), QFont::Bold);

    table->next();  // and back: the editor shows the stored format
    table->prior();
    QTextCursor shown(editor.document());
    shown.setPosition(8);
    EXPECT_EQ(shown.charFormat().fontWeight(), QFont::Bold);
}

TEST_F(DBRichEditorTest, ANewRowTakesPlainTextFormattedInTheEditor) {
    // As when a generated contract is kept: append, set the fields, format, post.
    dbviews::DBEdit name;
    name.setDataSource(&source);
    name.setDataField("NAZIV_UG");
    table->append();
    table->fieldByName("NAZIV_UG").setString("Novi");
    table->fieldByName("TEKST_UG").setString("Naslov\nTekst");
    EXPECT_EQ(editor.plainText(), "Naslov\nTekst");
    EXPECT_EQ(name.value(), "Novi");
    QTextCursor cursor(editor.document());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(bold);
    navigator.post();
    EXPECT_EQ(storedText("Novi"), "Naslov\nTekst");
    auto doc = richtext::read(db.stored("Ugovori", "NAZIV_UG", "Novi", "TEKST_UG"));
    QTextCursor read(doc.get());
    read.setPosition(2);
    EXPECT_EQ(read.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(name.value(), "Novi");
}

TEST_F(DBRichEditorTest, ReadOnlyWhenAskedOrWhenTheFieldCannotTakeTheText) {
    auto readOnlyTable = db.open("Ugovori", true);
    engine::DataSource readOnlySource(readOnlyTable.get());
    struct Case {
        const char* what;
        engine::DataSource* source;
        const char* field;
        bool option;
        const char* shown;
    } cases[] = {
        {"read-only option", &source, "TEKST_UG", true, "Tekst prvog"},
        {"read-only table", &readOnlySource, "TEKST_UG", false, "Tekst prvog"},
        {"text field, shown plain", &source, "NAZIV_UG", false, "Prvi"},
        {"no such field", &source, "NEMA", false, ""},
        {"writable memo", &source, "TEKST_UG", false, "Tekst prvog"},
    };
    for (const Case& c : cases) {
        editor.setDataSource(c.source);
        editor.setDataField(c.field);
        editor.setReadOnly(c.option);
        const bool writable = std::string(c.what) == "writable memo";
        EXPECT_EQ(editor.plainText(), c.shown) << c.what;
        EXPECT_EQ(editor.isReadOnly(), !writable) << c.what;
        editor.moveCursor(QTextCursor::End);
        viewstest::type(&editor, QStringLiteral("Q"));
        EXPECT_EQ(table->state(), writable ? State::Edit : State::Browse) << c.what;
    }
}

TEST_F(DBRichEditorTest, ClipboardKeysGoThroughTheSeam) {
    auto& ui = testsupport::scriptedUi();
    QTextCursor cursor(editor.document());
    cursor.setPosition(0);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
    viewstest::press(&editor, QKeySequence::Copy);
    EXPECT_EQ(ui.clipboard, "Tekst");
    EXPECT_EQ(table->state(), State::Browse);

    ui.clipboard = "Ugovor";
    viewstest::press(&editor, QKeySequence::Paste);  // replaces the selection
    EXPECT_EQ(editor.plainText(), "Ugovor prvog");
    EXPECT_EQ(table->state(), State::Edit);

    cursor = editor.textCursor();
    cursor.setPosition(6, QTextCursor::KeepAnchor);
    cursor.setPosition(0, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
    viewstest::press(&editor, QKeySequence::Cut);
    EXPECT_EQ(ui.clipboard, "Ugovor");
    EXPECT_EQ(editor.plainText(), " prvog");
    navigator.post();
    EXPECT_EQ(storedText("Prvi"), " prvog");
}

}  // namespace
