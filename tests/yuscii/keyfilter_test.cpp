#include "yuscii/keyfilter.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <string>
#include <vector>

#include "platform/textconv.h"
#include "support/scripted_ui.h"

namespace {

using yuscii::KeyFilter;

// One key press (and release) as the window system delivers it.
void press(QWidget& field, const QString& text, int key = Qt::Key_unknown) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&field, &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&field, &up);
}

void commit(QWidget& field, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(&field, &event);
}

TEST(KeyFilter, TypedTextPerFilter) {
    struct Case {
        KeyFilter kind;
        QString typed;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {KeyFilter::KeyboardUpper, QStringLiteral(";"), "\x5E"},
        {KeyFilter::KeyboardUpper, QStringLiteral("["), "["},
        {KeyFilter::KeyboardUpper, QStringLiteral("a"), "a"},
        {KeyFilter::KeyboardUpper, QStringLiteral("\u0161"), "["},  // š
        {KeyFilter::KeyboardUpper, QStringLiteral("\u0447"), "^"},  // ч
        {KeyFilter::Keyboard, QStringLiteral("["), "{"},
        {KeyFilter::Keyboard, QStringLiteral("|"), "@"},
        {KeyFilter::Keyboard, QStringLiteral("\u0161"), "{"},     // š
        {KeyFilter::Keyboard, QStringLiteral("\u045A"), "w"},     // њ
        {KeyFilter::Keyboard, QStringLiteral("\u0416"), "@"},     // Ж
        {KeyFilter::Keyboard, QStringLiteral("\u20AC"), ""},      // € has no code
        {KeyFilter::Keyboard, QStringLiteral("\u00E9"), "\xE9"},  // Latin-1 stays
        {KeyFilter::Keyboard, QStringLiteral("[;x"), "{~x"},      // several at once
        {KeyFilter::Digits, QStringLiteral("a"), ""},
        {KeyFilter::Digits, QStringLiteral("7"), "7"},
        {KeyFilter::Digits, QStringLiteral("1a2"), "12"},
    };
    for (const auto& c : cases) {
        QLineEdit field;
        yuscii::installKeyFilter(&field, c.kind);
        press(field, c.typed);
        EXPECT_EQ(platform::ys(field.text()), c.bytes)
            << c.typed.toStdString() << " kind " << static_cast<int>(c.kind);
    }
}

TEST(KeyFilter, DigitsFieldIgnoresLettersAndBackspaceDeletes) {
    QLineEdit port;
    port.setMaxLength(4);
    yuscii::installKeyFilter(&port, KeyFilter::Digits);
    press(port, QStringLiteral("8"));
    press(port, QStringLiteral("x"));
    press(port, QStringLiteral("0"));
    EXPECT_EQ(platform::ys(port.text()), "80");
    press(port, QStringLiteral("\b"), Qt::Key_Backspace);
    EXPECT_EQ(platform::ys(port.text()), "8");
    // The field keeps its own length limit.
    press(port, QStringLiteral("12345"));
    EXPECT_EQ(platform::ys(port.text()), "8123");
}

TEST(KeyFilter, NavigationKeysPassUntouched) {
    QLineEdit field;
    yuscii::installKeyFilter(&field, KeyFilter::Keyboard);
    press(field, QStringLiteral("ab"));
    press(field, QString(), Qt::Key_Left);
    press(field, QStringLiteral("["), Qt::Key_BracketLeft);
    EXPECT_EQ(platform::ys(field.text()), "a{b");
    press(field, QString(), Qt::Key_Home);
    press(field, QStringLiteral("\x7f"), Qt::Key_Delete);
    EXPECT_EQ(platform::ys(field.text()), "{b");
}

TEST(KeyFilter, TextEditors) {
    QTextEdit rich;
    QPlainTextEdit plain;
    yuscii::installKeyFilter(&rich, KeyFilter::Keyboard);
    yuscii::installKeyFilter(&plain, KeyFilter::KeyboardUpper);
    press(rich, QStringLiteral("[a\u0107"));  // [ a ć
    press(plain, QStringLiteral("[a\u0107"));
    EXPECT_EQ(platform::ys(rich.toPlainText()), "{a}");
    EXPECT_EQ(platform::ys(plain.toPlainText()), "[a]");
}

TEST(KeyFilter, PastedTextKeepsItsLettersAndPassesTheFieldsFilter) {
    // The seam gives the clipboard in YUSCII: š as '{', a real semicolon as ';'.
    testsupport::scriptedUi().clipboard = "{ifra; 12\n";
    const struct {
        KeyFilter kind;
        const char* field;
    } cases[] = {
        {KeyFilter::Keyboard, "{ifra; 12"},       // no keyboard mapping of ';'
        {KeyFilter::KeyboardUpper, "[ifra; 12"},  // YUSCII capitals; A-Z is the field's
        {KeyFilter::Digits, "12"},
    };
    for (const auto& c : cases) {
        QLineEdit line;
        yuscii::installKeyFilter(&line, c.kind);
        QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
        QCoreApplication::sendEvent(&line, &paste);
        EXPECT_EQ(platform::ys(line.text()), c.field);
    }
    QTextEdit editor;
    yuscii::installKeyFilter(&editor, KeyFilter::Keyboard);
    QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::sendEvent(&editor, &paste);
    EXPECT_EQ(platform::ysPlain(editor.toPlainText()), "{ifra; 12\n");
}

TEST(KeyFilter, InputMethodCommits) {
    QLineEdit field;
    yuscii::installKeyFilter(&field, KeyFilter::Keyboard);
    commit(field, QStringLiteral("\u0161\u045A\u20AC;"));  // š њ € ;
    EXPECT_EQ(platform::ys(field.text()), "{w~");
}

TEST(KeyFilter, SecondInstallChangesTheKind) {
    QLineEdit field;
    yuscii::installKeyFilter(&field, KeyFilter::Keyboard);
    yuscii::installKeyFilter(&field, KeyFilter::Digits);
    press(field, QStringLiteral("a1["));
    EXPECT_EQ(platform::ys(field.text()), "1");
}

}  // namespace
