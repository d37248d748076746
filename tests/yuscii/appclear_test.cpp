#include "yuscii/appclear.h"

#include <gtest/gtest.h>

#include <QApplicationStateChangeEvent>
#include <QCoreApplication>
#include <QWidget>

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
