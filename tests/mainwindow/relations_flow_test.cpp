// Choosing a document in the relations window lands on the main window's
// page with the search for its title already run, and closes the document
// window; wired as the program entry wires it.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>

#include "pages_fixture.h"
#include "platform/textconv.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"
#include "viewer/trelacije.h"
#include "widgets/reportlist.h"
#include "yuscii/yuscii.h"

namespace {

using pagestest::captions;
using pagestest::Texts;
using testsupport::scriptedUi;

constexpr const char* kOpinion = "Obra~un zarade za rad na dan dr`avnog praznika";
constexpr const char* kRegulation = "Zakon o radu";

class RelationsFlow : public pagestest::MainWindowPages {
  protected:
    void SetUp() override {
        MainWindowPages::SetUp();
        relations = std::make_unique<Trelacije>(*form);
        app::wireRelations(*form, *document, *relations);
    }
    void TearDown() override {
        relations.reset();
        MainWindowPages::TearDown();
    }

    QTreeWidget* list() const {
        return testsupport::child<QTreeWidget>(relations.get(), "ListView1");
    }
    QTreeWidgetItem* row(const std::string& title) const {
        for (int i = 0; i < list()->topLevelItemCount(); ++i) {
            if (platform::ys(list()->topLevelItem(i)->text(0)) == title) {
                return list()->topLevelItem(i);
            }
        }
        return nullptr;
    }
    int page() const {
        return testsupport::child<QTabWidget>(form.get(), "PageControl1")->currentIndex();
    }

    std::unique_ptr<Trelacije> relations;
};

TEST_F(RelationsFlow, AnOpinionOfARegulationIsSearchedOnTheOpinionsPage) {
    bool documentOpen = true;
    scriptedUi().expectModal([&](QDialog&) {
        scriptedUi().expectModal([&](QDialog&) {
            QTreeWidgetItem* item = row(kOpinion);
            EXPECT_NE(item, nullptr);
            if (item != nullptr) {
                list()->setCurrentItem(item);
                Q_EMIT list()->itemDoubleClicked(item, 0);
            }
            return 0;
        });
        testsupport::child<QToolButton>(document.get(), "SpeedButton10")->click();
        documentOpen = document->isVisible();
        return 0;
    });
    form->open(kRegulation, std::string("12/2005"));
    EXPECT_FALSE(documentOpen);
    EXPECT_EQ(page(), TForm1::kMisljenja);
    EXPECT_EQ(platform::ys(testsupport::child<QLineEdit>(form.get(), "Edit8")->text()),
              yuscii::yupperW(kOpinion));
    const Texts found = captions(testsupport::child<widgets::ReportList>(form.get(), "Listbox6"));
    EXPECT_NE(std::find(found.begin(), found.end(), kOpinion), found.end());
}

TEST_F(RelationsFlow, ARegulationOfAnOpinionIsSearchedByKeyword) {
    // Open the opinion from the opinions page.
    testsupport::child<QLineEdit>(form.get(), "Edit8")->setText(QStringLiteral("DR`AVNOG"));
    testsupport::child<QAbstractButton>(form.get(), "SpeedButton14")->click();
    auto* opinions = testsupport::child<widgets::ReportList>(form.get(), "Listbox6");
    const Texts titles = captions(opinions);
    const auto at = std::find(titles.begin(), titles.end(), kOpinion);
    ASSERT_NE(at, titles.end());
    opinions->selectOnly(static_cast<int>(at - titles.begin()));

    bool documentOpen = true;
    scriptedUi().expectModal([&](QDialog&) {
        EXPECT_TRUE(document->showsOpinion());
        scriptedUi().expectModal([&](QDialog&) {
            QTreeWidgetItem* item = row(kRegulation);
            EXPECT_NE(item, nullptr);
            list()->setCurrentItem(item);
            testsupport::child<QToolButton>(relations.get(), "SpeedButton1")->click();
            return 0;
        });
        testsupport::child<QToolButton>(document.get(), "SpeedButton10")->click();
        documentOpen = document->isVisible();
        return 0;
    });
    testsupport::pressEnter(opinions);
    EXPECT_FALSE(documentOpen);
    EXPECT_EQ(page(), TForm1::kPretraga);
    EXPECT_EQ(platform::ys(testsupport::child<QLineEdit>(form.get(), "Edit2")->text()),
              yuscii::yupperW(kRegulation));
    const Texts found = captions(testsupport::child<widgets::ReportList>(form.get(), "ListBox2"));
    EXPECT_NE(std::find(found.begin(), found.end(), kRegulation), found.end());
}

}  // namespace
