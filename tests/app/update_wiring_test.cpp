// The update window wired to the main window: the settings page's
// "A`uriranje" shows it; an install's newest list, date and counts reach the
// main window and its files at close, and the search index is rebuilt in the
// background afterwards; "Popravka" repairs the tables on the update
// window's utility session with the progress on the main window's bar.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "app/wiring.h"
#include "database/schema.h"
#include "mainwindow/tform1.h"
#include "platform/files.h"
#include "platform/textconv.h"
#include "search/textindex.h"
#include "settings/settings.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"
#include "update/install.h"
#include "update/tupdater.h"
#include "update_fixture.h"
#include "widgets/reportlist.h"

namespace {

using testsupport::child;
using testsupport::scriptedUi;
using Texts = std::vector<std::string>;

class UpdateWiring : public updatetest::ServedUpdateTest {
  protected:
    UpdateWiring() { settings::resetProcessValues(); }

    // The two windows as the program creates and wires them.
    void create(const std::string& url) {
        main_ = std::make_unique<TForm1>(session_);
        updater_ = std::make_unique<Tupdater>(session_);
        app::wireUpdate(*main_, *updater_);
        setenv("KORVET_FTP_URL", url.c_str(), 1);
        updater_->FormCreate();
        unsetenv("KORVET_FTP_URL");
    }

    // The keyword page's search of titles and texts; the titles found.
    Texts searchTexts(const std::string& words) {
        child<QLineEdit>(main_.get(), "Edit2")->setText(platform::qs(words));
        child<QRadioButton>(main_.get(), "RadioButton5")->setChecked(true);
        child<QAbstractButton>(main_.get(), "SpeedButton1")->click();
        Texts titles;
        for (const auto& row : child<widgets::ReportList>(main_.get(), "ListBox2")->rows()) {
            titles.push_back(row.caption);
        }
        return titles;
    }

    std::string label27() const {
        return platform::ys(child<QLabel>(main_.get(), "Label27")->text());
    }

    std::unique_ptr<TForm1> main_;
    std::unique_ptr<Tupdater> updater_;
};

TEST_F(UpdateWiring, AnInstallReachesTheMainWindowAndItsIndexIsRebuiltInTheBackground) {
    serveArchive("001.zip",
                 {table(database::kZakoni, {regulation(3, "Uredba", "Novarec uredba.")}),
                  table(database::kBrojevi, {{3LL, 2LL, std::string("2009"), std::string("3")}})});
    updatetest::FtpServer server(served_);
    create(server.url());
    main_->FormActivate();
    EXPECT_EQ(main_->panelText(1), "");  // the demo database's index is current
    main_->proveripropise();
    EXPECT_EQ(label27(), "2/1/0");

    scriptedUi().expectModal([&](QDialog& shown) {
        EXPECT_EQ(&shown, updater_.get());
        child<QToolButton>(&shown, "SpeedButton1")->click();  // the listing
        child<QToolButton>(&shown, "SpeedButton1")->click();  // fetch and install
        return 0;
    });
    child<QToolButton>(main_.get(), "SpeedButton2")->click();
    EXPECT_EQ(main_->liste.newest, Texts{"Uredba"});
    EXPECT_EQ(main_->storedSettings().lastUpdate, update::Installer::today());
    EXPECT_EQ(label27(), "3/1/0");

    // The index follows in the background; the panel shows it while it runs,
    // and a search of the texts meanwhile finds the merged text.
    EXPECT_EQ(main_->panelText(1).rfind("Indeks se obnavlja ", 0), 0U) << main_->panelText(1);
    EXPECT_EQ(searchTexts("NOVAREC"), Texts{"Uredba"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return main_->panelText(1).empty(); }, 60000));
    auto index = search::TextIndex::current(db(), search::TextTable::Regulations);
    ASSERT_NE(index, nullptr);
    auto found = index->documentsWith("novarec");
    ASSERT_TRUE(found && index->document(3));
    EXPECT_TRUE(search::hasDocument(*found, *index->document(3)));

    // The close writes them.
    main_->FormClose();
    EXPECT_EQ(platform::readLines(program() / "novo.lst"), Texts{"Uredba"});
    auto cfg = platform::readLines(program() / "trevion.cfg");
    ASSERT_TRUE(cfg && cfg->size() == 10U);
    EXPECT_EQ((*cfg)[8], update::Installer::today());
}

TEST_F(UpdateWiring, TheRepairMovesTheMainWindowsBarAndReports) {
    struct Case {
        bool dropLink;
        std::string message;
        std::vector<int> bar;
    };
    const Case cases[] = {
        {false,
         "Popravka uspesno izvrsena. Baza je u ispravnom stanju.",
         {10, 20, 30, 40, 50, 60, 70, 75, 80, 90, 100, 0}},
        // TB_link, the eighth table, is missing: the rest is skipped.
        {true, "Greska prilikom popravke baze!", {10, 20, 30, 40, 50, 60, 70, 0}},
    };
    updatetest::FtpServer server(served_);
    for (const Case& c : cases) {
        create(server.url());
        main_->FormActivate();
        if (c.dropLink) {
            db().dropTable(database::kLink);
        }
        std::vector<int> bar;
        QObject::connect(child<QProgressBar>(main_.get(), "ProgressBar1"),
                         &QProgressBar::valueChanged, [&](int value) { bar.push_back(value); });
        scriptedUi().expectMessage(c.message);
        child<QToolButton>(main_.get(), "SpeedButton27")->click();
        EXPECT_EQ(bar, c.bar) << c.message;
        EXPECT_EQ(scriptedUi().pending(), 0U);
    }
}

TEST_F(UpdateWiring, TheUpdateWindowTakesTheProxyOfTheSettings) {
    ASSERT_TRUE(platform::writeLinesAtomic(
        program() / "trevion.cfg",
        {"1", "2", settings::kProxyOn, "127.0.0.1", "1", "10", "16", "14", "01/01/2020", ""}));
    serve("001.zip");
    updatetest::FtpServer server(served_);
    create(server.url());
    main_->FormActivate();
    scriptedUi().expectModal([&](QDialog& shown) {
        child<QToolButton>(&shown, "SpeedButton1")->click();
        // Nothing listens on the proxy's port: nothing is listed.
        EXPECT_EQ(platform::ys(child<QToolButton>(&shown, "SpeedButton1")->text()), "&A`uriraj");
        return 0;
    });
    child<QToolButton>(main_.get(), "SpeedButton2")->click();
    EXPECT_EQ(log().at(3), " diskonektovanje...");
}

}  // namespace
