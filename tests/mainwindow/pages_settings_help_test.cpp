// The settings page (printer setup, proxy fields, beep box) and the help
// page's links through the shell with their error messages.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTextEdit>

#include "pages_fixture.h"
#include "platform/textconv.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"

namespace {

using testsupport::child;
using testsupport::scriptedUi;

class SettingsAndHelp : public pagestest::MainWindowPages {
  protected:
    void click(const char* button) { child<QAbstractButton>(form.get(), button)->click(); }
};

TEST_F(SettingsAndHelp, PrinterSetupNeedsADefaultPrinter) {
    scriptedUi().printerName.clear();
    scriptedUi().expectMessage("Printer nije detektovan");
    click("SpeedButton26");
    scriptedUi().printerName = "Test printer";
    scriptedUi().expectPrinterSetup(true);
    click("SpeedButton26");
    EXPECT_EQ(scriptedUi().messages().size(), 1u);
}

TEST_F(SettingsAndHelp, TheProxyPortTakesFourDigitsOnly) {
    auto* port = child<QLineEdit>(form.get(), "Edit15");
    auto* address = child<QLineEdit>(form.get(), "Edit14");
    EXPECT_FALSE(port->isEnabled());
    click("CheckBox4");
    ASSERT_TRUE(port->isEnabled());
    ASSERT_TRUE(address->isEnabled());
    testsupport::typeText(port, QStringLiteral("8a0:8"));
    EXPECT_EQ(port->text(), QStringLiteral("808"));
    testsupport::typeText(port, QStringLiteral("05"));  // the fifth digit is refused
    EXPECT_EQ(port->text(), QStringLiteral("8080"));
    testsupport::pressKey(port, Qt::Key_Backspace);
    EXPECT_EQ(port->text(), QStringLiteral("808"));
    // The address takes the keyboard mapping.
    testsupport::typeText(address, QStringLiteral("proxy.lan"));
    EXPECT_EQ(platform::ys(address->text()), "proxy.lan");
    // Unticked: the fields go off and keep their text.
    click("CheckBox4");
    EXPECT_FALSE(port->isEnabled());
    EXPECT_FALSE(child<QWidget>(form.get(), "Label13")->isEnabled());
    EXPECT_EQ(port->text(), QStringLiteral("808"));
}

TEST_F(SettingsAndHelp, TheBeepBoxStartsTicked) {
    EXPECT_TRUE(child<QCheckBox>(form.get(), "CheckBox5")->isChecked());
}

TEST_F(SettingsAndHelp, TheHelpTextIsLoaded) {
    EXPECT_FALSE(child<QTextEdit>(form.get(), "RichEdit3")->toPlainText().isEmpty());
    EXPECT_TRUE(child<QTextEdit>(form.get(), "RichEdit3")->isReadOnly());
}

TEST_F(SettingsAndHelp, LinksGoThroughTheShellWithTheirTargets) {
    for (const char* button :
         {"SpeedButton3", "SpeedButton11", "SpeedButton15", "SpeedButton12", "SpeedButton8"}) {
        click(button);
    }
    const std::string folder = (dir / "uputstvo").string();
    const std::vector<std::string> expected = {
        "|mailto:propisi@trevion-propisi.example?Subject=Treba mi propis...|",
        "|mailto:sugestije@trevion-propisi.example?Subject=Sugestija za poboljsanje Treviona...|",
        "|mailto:konsalting@trevion-propisi.example?Subject=Imam pitanje u vezi...|",
        "open|https://www.trevion-propisi.example|",
        "open|" + folder + "/uputstvo.rtf|" + folder + "/",
    };
    EXPECT_EQ(scriptedUi().shellCalls, expected);
    EXPECT_TRUE(scriptedUi().messages().empty());
}

TEST_F(SettingsAndHelp, ShellErrorsShowTheirTablesMessages) {
    const struct {
        const char* button;
        int result;
        const char* message;  // nullptr: nothing is shown
    } cases[] = {
        {"SpeedButton3", 31, "Ne postoji program koji otvara ovu datoteku!"},
        {"SpeedButton11", 0, "Nedovoljno sistemskih resursa za otvaranje Mail aplikacije"},
        {"SpeedButton15", 31, nullptr},  // the consulting question reports nothing
        {"SpeedButton12", 2, "Stranica nije pronadjena"},
        {"SpeedButton12", 11, "Vas program za pristup Internetu se nije ispravno startovao"},
        {"SpeedButton8", 2, "Uputstvo nije pronadjeno"},
        {"SpeedButton8", 5, "Zabranjen pristup datoteci"},
        {"SpeedButton8", 4, nullptr},   // a value outside the table
        {"SpeedButton3", 33, nullptr},  // success
    };
    for (const auto& c : cases) {
        scriptedUi().shellResult = c.result;
        const size_t before = scriptedUi().messages().size();
        if (c.message != nullptr) {
            scriptedUi().expectMessage(c.message);
        }
        click(c.button);
        EXPECT_EQ(scriptedUi().messages().size(), before + (c.message != nullptr ? 1 : 0))
            << c.button << " " << c.result;
    }
}

}  // namespace
