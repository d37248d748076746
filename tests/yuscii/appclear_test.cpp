#include "yuscii/appclear.h"

#include <gtest/gtest.h>

#include <QApplicationStateChangeEvent>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

#include "platform/textconv.h"
#include "platform/ui.h"

#include "support/scripted_ui.h"

namespace {

TEST(Appclear, OwnTextBecomesPlainLatinAndStaysOurs) {
    auto& ui = testsupport::scriptedUi();
    ui.setClipboardText("Zakon o ra~unovodstvu: x X w { | 1/2005");
    yuscii::appclear();
    EXPECT_EQ(ui.clipboard, "Zakon o racunovodstvu: dz DZ nj s dj 1/2005");
    EXPECT_TRUE(ui.clipboardOwned);
    // A second deactivation changes nothing.
    yuscii::appclear();
    EXPECT_EQ(ui.clipboard, "Zakon o racunovodstvu: dz DZ nj s dj 1/2005");
}

TEST(Appclear, TextFromAnotherProgramIsLeftAlone) {
    auto& ui = testsupport::scriptedUi();
    ui.clipboard = "wax {json: [1]}";
    ui.clipboardOwned = false;
    yuscii::appclear();
    EXPECT_EQ(ui.clipboard, "wax {json: [1]}");
    EXPECT_FALSE(ui.clipboardOwned);
}

TEST(Appclear, RunsOnDeactivationAndOnMinimise) {
    auto& ui = testsupport::scriptedUi();
    QCoreApplication* app = QCoreApplication::instance();
    yuscii::appclearOnDeactivation(app);

    ui.setClipboardText("w");
    QApplicationStateChangeEvent active(Qt::ApplicationActive);
    QCoreApplication::sendEvent(app, &active);
    EXPECT_EQ(ui.clipboard, "w");
    QApplicationStateChangeEvent inactive(Qt::ApplicationInactive);
    QCoreApplication::sendEvent(app, &inactive);
    EXPECT_EQ(ui.clipboard, "nj");

    QWidget window;
    yuscii::appclearOnMinimise(&window);
    ui.setClipboardText("q");
    window.setWindowState(Qt::WindowMaximized);
    EXPECT_EQ(ui.clipboard, "q");
    window.setWindowState(Qt::WindowMinimized);
    EXPECT_EQ(ui.clipboard, "lj");
}

}  // namespace

namespace {

TEST(OutgoingText, TheSelectionGetsTheRealLettersOfTheViewsScript) {
    const struct {
        const char* shown;
        yuscii::Script script;
        QString outside;
    } cases[] = {
        {"^lan 12. Wegova {ifra", yuscii::Script::Latin, QStringLiteral("Član 12. Njegova šifra")},
        {"^lan 1.", yuscii::Script::Cyrillic, QStringLiteral("Члан 1.")},
        {"Wx ~", yuscii::Script::Interface, QStringLiteral("Wx č")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(yuscii::outsideLetters(platform::qs(c.shown), c.script), c.outside) << c.shown;
    }
}

// A text view's own copy puts the characters it shows on the clipboard; they
// are replaced by the text as stored, which is ours and leaves as plain
// Latin at the next deactivation.
TEST(OutgoingText, AViewsOwnCopyLeavesTheClipboardAsStoredText) {
    auto& ui = testsupport::scriptedUi();
    ui.clipboard.clear();
    ui.clipboardOwned = false;
    yuscii::plainOutgoingText(QCoreApplication::instance(), "YHelvetica", "CHelvetica");
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(platform::qs("^lan 12."));
    QCoreApplication::processEvents();
    EXPECT_EQ(ui.clipboard, "^lan 12.");
    EXPECT_TRUE(ui.clipboardOwned);
    // Plain text copied without our letters is left alone.
    ui.clipboard.clear();
    ui.clipboardOwned = false;
    clipboard->setText(QStringLiteral("plain"));
    QCoreApplication::processEvents();
    EXPECT_EQ(ui.clipboard, "");
}

// Text this program puts on the clipboard holds no private-use character.
TEST(OutgoingText, TheProgramsClipboardTextIsTheStoredBytes) {
    platform::setUi(nullptr);  // the real one, on Qt's clipboard
    platform::ui().setClipboardText("^lan {ifra");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("^lan {ifra"));
    EXPECT_EQ(platform::ui().clipboardText(), "^lan {ifra");
    EXPECT_TRUE(platform::ui().ownsClipboardText());
    platform::setUi(&testsupport::scriptedUi());
}

}  // namespace
