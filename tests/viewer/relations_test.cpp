// The relations window as the document window opens it: the opinions of a
// regulation, the regulations of an opinion, and choosing a listed document.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QToolButton>
#include <QTreeWidget>

#include "database/datasets.h"
#include "database/filters.h"
#include "database/opening.h"
#include "links_db.h"
#include "open_doc.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"
#include "viewer/tform3.h"
#include "viewer/trelacije.h"

namespace {

using testsupport::scriptedUi;
using Rows = std::vector<std::pair<std::string, std::string>>;

constexpr const char* kNoRelations =
    "Nema relacionih dokumenta vezanih za ovo misljenje ili propis.";

class RelationsWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        data.openAll();
        form = std::make_unique<TForm3>(db.session, data);
        relations = std::make_unique<Trelacije>(data);
        // As the program entry wires them.
        form->links.showRelations = [this](bool opinion) {
            relations->Prikazirelacije1Click(opinion);
        };
        QObject::connect(relations.get(), &Trelacije::opinionSearchRequested,
                         [this](const std::string& t) { searches.push_back("opinion: " + t); });
        QObject::connect(relations.get(), &Trelacije::regulationSearchRequested,
                         [this](const std::string& t) { searches.push_back("regulation: " + t); });
        QObject::connect(relations.get(), &Trelacije::documentFound, form.get(), &QDialog::reject);
    }
    void TearDown() override {
        relations.reset();
        form.reset();
    }

    void openRegulation(const std::string& title, const std::string& bg,
                        const std::function<void()>& body) {
        testsupport::openInDocumentWindow(data, *form, title, bg, body);
    }

    void openOpinion(const std::function<void()>& body) {
        data.misljenja.setMasterFields("");
        data.misljenja.setFilter(
            database::filters::misljenjaByTitleAndDate("Porez na dobit", "05", "03", "2006"));
        data.misljenja.setFiltered(true);
        form->prepareOpinion();
        form->setWindowTitle(QStringLiteral("Porez na dobit"));
        scriptedUi().expectModal([&](QDialog&) {
            body();
            return 0;
        });
        platform::ui().showModal(*form);
    }

    QTreeWidget* list() const {
        return testsupport::child<QTreeWidget>(relations.get(), "ListView1");
    }

    Rows rows() const {
        Rows out;
        for (int i = 0; i < list()->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list()->topLevelItem(i);
            out.emplace_back(platform::ys(item->text(0)), platform::ys(item->text(1)));
        }
        return out;
    }

    std::pair<std::string, std::string> headers() const {
        return {platform::ys(list()->headerItem()->text(0)),
                platform::ys(list()->headerItem()->text(1))};
    }

    // Clicks "Relacije"; body runs while the relations window is shown.
    void showRelations(const std::function<void()>& body) {
        scriptedUi().expectModal([&](QDialog& dialog) {
            EXPECT_EQ(&dialog, relations.get());
            body();
            return 0;
        });
        testsupport::child<QToolButton>(form.get(), "SpeedButton10")->click();
    }

    testsupport::LinksDatabase db;
    database::MainData data{db.session};
    std::unique_ptr<TForm3> form;
    std::unique_ptr<Trelacije> relations;
    std::vector<std::string> searches;
};

TEST_F(RelationsWindow, RegulationListsItsOpinionsInLinkOrderWhateverTheOpinionsPageShows) {
    const Rows expected = {{"Porez na dobit", "05/03/2006"},
                           {"Zarade zaposlenih", "07/11/2007"},
                           // Position 99 lies past the end: the last opinion.
                           {"Porez na imovinu", "01/02/2008"}};
    // The second time the opinions page has searched one year only.
    for (bool filtered : {false, true}) {
        SCOPED_TRACE(filtered);
        if (filtered) {
            data.misljenja.setFilter(
                database::filters::misljenjaByDateRange(1, 1, 2007, 31, 12, 2007));
            data.misljenja.setFiltered(true);
        }
        openRegulation("Zakon o radu", "12/2005", [&] {
            showRelations([&] {
                EXPECT_EQ(relations->windowTitle(), QStringLiteral("Relacije"));
                EXPECT_EQ(headers(), std::make_pair(std::string("Naziv slu`benog mi{ljenja"),
                                                    std::string("Datum")));
                EXPECT_EQ(rows(), expected);
                EXPECT_EQ(list()->columnWidth(0), 530);
                EXPECT_EQ(list()->columnWidth(1), 133);
            });
            EXPECT_TRUE(form->isVisible());
        });
        if (filtered) {
            EXPECT_TRUE(data.misljenja.filtered());
            data.misljenja.first();
            EXPECT_EQ(data.misljenja.recordCount(), 1);
        }
    }
}

TEST_F(RelationsWindow, OpinionListsItsRegulationsAndAMissingOneEmpty) {
    openOpinion([&] {
        scriptedUi().expectModal([&](QDialog&) {
            EXPECT_EQ(headers(),
                      std::make_pair(std::string("Naziv propisa"), std::string("Broj/godina")));
            EXPECT_EQ(rows(),
                      (Rows{{"Zakon o radu", "12/2005"}, {"Zakon o porezu", "3/2006"}, {"", ""}}));
            return 0;
        });
        testsupport::child<QAction>(form.get(), "Prikazirelacije1")->trigger();
    });
}

TEST_F(RelationsWindow, ADocumentWithoutLinksShowsOnlyTheMessage) {
    openRegulation("Zakon o prilozima", "7/2007", [&] {
        scriptedUi().expectMessage(kNoRelations);
        testsupport::child<QToolButton>(form.get(), "SpeedButton10")->click();
        EXPECT_TRUE(form->isVisible());
        EXPECT_FALSE(relations->isVisible());
    });
}

// A double click where the row is drawn, as a user gives it.
void doubleClick(QTreeWidget* list, QTreeWidgetItem* item) {
    const QPoint at = item != nullptr ? list->visualItemRect(item).center()
                                      : QPoint(10, list->viewport()->height() - 5);
    QWidget* view = list->viewport();
    testsupport::sendMouse(view, QEvent::MouseButtonPress, at);
    testsupport::sendMouse(view, QEvent::MouseButtonRelease, at);
    testsupport::sendMouse(view, QEvent::MouseButtonDblClick, at);
    testsupport::sendMouse(view, QEvent::MouseButtonRelease, at);
}

TEST_F(RelationsWindow, ChoosingARowRunsTheSearchAndClosesBothWindows) {
    struct Case {
        bool opinion;
        bool byButton;
        int row;
        const char* search;
    } cases[] = {
        {false, false, 1, "opinion: Zarade zaposlenih"},
        {true, true, 1, "regulation: Zakon o porezu"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.search);
        searches.clear();
        bool documentOpen = true;
        auto body = [&] {
            showRelations([&] {
                auto* button = testsupport::child<QToolButton>(relations.get(), "SpeedButton1");
                // Nothing chosen: the button asks, a double click on no row
                // does nothing.
                list()->clearSelection();
                scriptedUi().expectMessage("Morate izabrati dokument sa liste!");
                button->click();
                doubleClick(list(), nullptr);
                EXPECT_TRUE(searches.empty());
                EXPECT_TRUE(relations->isVisible());

                QTreeWidgetItem* item = list()->topLevelItem(c.row);
                if (c.byButton) {
                    list()->setCurrentItem(item);
                    button->click();
                } else {
                    doubleClick(list(), item);
                }
                EXPECT_FALSE(relations->isVisible());
            });
            documentOpen = form->isVisible();
        };
        if (c.opinion) {
            openOpinion(body);
        } else {
            openRegulation("Zakon o radu", "12/2005", body);
        }
        EXPECT_EQ(searches, std::vector<std::string>{c.search});
        EXPECT_FALSE(documentOpen);
    }
}

}  // namespace
