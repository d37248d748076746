// "Uporedi verzije" as the program wires it: from the archive page (the
// selected version and the one before it) and from the document window's
// "&Tekst" menu, on the demo database.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "app/wiring.h"
#include "database/opening.h"
#include "pages_fixture.h"
#include "platform/textconv.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"
#include "viewer/tporedjenje.h"

namespace {

using pagestest::MainWindowPages;
using testsupport::child;
using testsupport::scriptedUi;

class CompareFlow : public MainWindowPages {
  protected:
    void SetUp() override {
        MainWindowPages::SetUp();
        comparison = std::make_unique<Tporedjenje>(session);
        app::wireCompare(session, *form, *document, *comparison);
    }
    void TearDown() override {
        comparison.reset();
        MainWindowPages::TearDown();
    }
    // The comparison window is shown; its chosen pair as "older -> newer".
    void expectComparison(const std::string& pair) {
        scriptedUi().expectModal([pair](QDialog& window) {
            EXPECT_EQ(window.objectName(), QStringLiteral("Poredjenje"));
            const std::string shown =
                platform::ys(child<QComboBox>(&window, "ComboStarija")->currentText()) + " -> " +
                platform::ys(child<QComboBox>(&window, "ComboNovija")->currentText());
            EXPECT_EQ(shown, pair);
            EXPECT_GT(child<QListWidget>(&window, "ListaIzmena")->count(), 0);
            return 0;
        });
    }
    std::unique_ptr<Tporedjenje> comparison;
};

TEST_F(CompareFlow, ArchivePageComparesTheSelectedVersionWithTheOneBefore) {
    auto* button = child<QAbstractButton>(form.get(), "SpeedButtonUporedi");
    EXPECT_EQ(platform::ys(button->text()), "Uporedi verzije");
    EXPECT_EQ(platform::ys(button->toolTip()), "Prikaz razlika izme|u dve verzije propisa");
    child<QLineEdit>(form.get(), "Edit7")->setText(QStringLiteral("ZZZ"));
    child<QAbstractButton>(form.get(), "SpeedButton22")->click();
    EXPECT_FALSE(button->isEnabled());

    child<QLineEdit>(form.get(), "Edit7")->setText(platform::qs("ra~unovodstvu"));
    child<QAbstractButton>(form.get(), "SpeedButton22")->click();
    ASSERT_TRUE(button->isEnabled());
    // No version selected: the archive list's row (46/1996, the first) with
    // the one after it.
    expectComparison("46/1996  Zakon o ra~unovodstvu -> 71/2002  Zakon o ra~unovodstvu i reviziji");
    button->click();
    // A version selected: it and the one before it.
    auto* versions = child<widgets::ReportList>(form.get(), "Listbox9");
    versions->selectOnly(2);
    expectComparison(
        "71/2002  Zakon o ra~unovodstvu i reviziji -> 46/2006  Zakon o ra~unovodstvu i reviziji");
    button->click();
}

TEST_F(CompareFlow, DocumentMenuComparesTheShownRegulation) {
    scriptedUi().expectModal([&](QDialog& window) {
        EXPECT_EQ(&window, document.get());
        expectComparison("62/2013  Zakon o ra~unovodstvu -> 73/2019  Zakon o ra~unovodstvu");
        child<QAction>(document.get(), "Uporediverzije1")->trigger();
        return 0;
    });
    form->open("Zakon o ra~unovodstvu", "73/2019");
}

}  // namespace
