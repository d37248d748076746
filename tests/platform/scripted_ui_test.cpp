#include <gtest/gtest.h>

#include <QDialog>

#include "platform/ui.h"
#include "support/scripted_ui.h"

namespace {

TEST(ScriptedUi, AnswersFromTheQueueAndRecordsTexts) {
    auto& ui = testsupport::scriptedUi();
    ui.expectConfirm(false, "Nastaviti?");
    ui.expectMessage();
    ui.expectInput(std::string("novo ime"));
    EXPECT_FALSE(platform::ui().confirm("Nastaviti?"));
    platform::ui().message("Gotovo");
    EXPECT_EQ(platform::ui().input("Naslov", "Ime:", "staro"),
              std::optional<std::string>("novo ime"));
    ASSERT_EQ(ui.shown().size(), 3u);
    EXPECT_EQ(ui.messages(), std::vector<std::string>{"Gotovo"});
    EXPECT_EQ(ui.shown()[2].caption, "Naslov");
}

TEST(ScriptedUi, ModalHandlerSeesTheWindowShown) {
    auto& ui = testsupport::scriptedUi();
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Prozor"));
    bool wasVisible = false;
    ui.expectModal([&](QDialog& d) {
        wasVisible = d.isVisible();
        return 7;
    });
    EXPECT_EQ(platform::ui().showModal(dialog), 7);
    EXPECT_TRUE(wasVisible);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(ui.shown().back().text, "Prozor");
}

TEST(ScriptedUi, ClipboardKnowsWhoPutTheText) {
    auto& ui = testsupport::scriptedUi();
    ui.clipboard = "from elsewhere";
    EXPECT_FALSE(platform::ui().ownsClipboardText());
    platform::ui().setClipboardText("ours");
    EXPECT_TRUE(platform::ui().ownsClipboardText());
    EXPECT_EQ(platform::ui().clipboardText(), "ours");
}

}  // namespace
