// The update window against a real FTP server: its controls before a run,
// the two clicks of its button (list, status, log, the news question, what
// reaches the main window), closing and showing it again, the proxy from its
// links, and screenshots before and after a run.
#include "update/tupdater.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "database/schema.h"
#include "fonts/fonts.h"
#include "platform/textconv.h"
#include "search/textdata.h"
#include "search/textindex.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"
#include "update/install.h"
#include "update_fixture.h"

namespace fs = std::filesystem;

namespace updatetest {
namespace {

using testsupport::child;
using testsupport::scriptedUi;
using Texts = std::vector<std::string>;

class UpdaterWindow : public ServedUpdateTest {
  protected:
    UpdaterWindow() {
        // The YUSCII faces, so that the screenshots show the real letters.
        for (const fonts::FontFace& row : fonts::fontTable()) {
            fonts::addFaceIfMissing(row, testsupport::builtProgramDir());
        }
    }

    // The window on the server at url, created as the program creates it.
    Tupdater& create(const std::string& url) {
        window_ = std::make_unique<Tupdater>(session_);
        window_->links.proxy = [this] {
            ++proxyAsked_;
            return proxy_;
        };
        QObject::connect(window_.get(), &Tupdater::newestListChanged,
                         [this](const Texts& titles) { newest_ = titles; });
        QObject::connect(window_.get(), &Tupdater::updateDateSet,
                         [this](const std::string& date) { date_ = date; });
        QObject::connect(window_.get(), &Tupdater::countsChanged, [this] { ++counts_; });
        QObject::connect(window_.get(), &Tupdater::tablesChanged, [this] { ++tablesChanged_; });
        setenv("KORVET_FTP_URL", url.c_str(), 1);
        window_->FormCreate();
        unsetenv("KORVET_FTP_URL");
        return *window_;
    }

    void click() { child<QToolButton>(window_.get(), "SpeedButton1")->click(); }

    // The rows as "name|status", and whether each has an icon.
    Texts rows() const {
        Texts out;
        auto* list = child<QTreeWidget>(window_.get(), "ListView1");
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            out.push_back(platform::ys(list->topLevelItem(i)->text(0)) + "|" +
                          platform::ys(list->topLevelItem(i)->text(1)));
        }
        return out;
    }
    std::vector<bool> icons() const {
        std::vector<bool> out;
        auto* list = child<QTreeWidget>(window_.get(), "ListView1");
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            out.push_back(!list->topLevelItem(i)->icon(0).isNull());
        }
        return out;
    }
    std::string button() const {
        return platform::ys(child<QToolButton>(window_.get(), "SpeedButton1")->text());
    }
    QColor buttonColour() const {
        return child<QToolButton>(window_.get(), "SpeedButton1")
            ->palette()
            .color(QPalette::ButtonText);
    }
    std::string status() const {
        return platform::ys(child<QLabel>(window_.get(), "StatusBar1Panel0")->text());
    }
    std::string text(const char* label) const {
        return platform::ys(child<QLabel>(window_.get(), label)->text());
    }

    // Saves the window as build/tests/screenshots/<name>.
    void screenshot(const char* name) {
        const fs::path dir = QCoreApplication::applicationDirPath().toStdString() + "/screenshots";
        fs::create_directories(dir);
        window_->show();
        QCoreApplication::processEvents();
        EXPECT_TRUE(window_->grab().save(QString::fromStdString((dir / name).string())));
        window_->hide();
    }

    std::unique_ptr<Tupdater> window_;
    Tupdater::Proxy proxy_;
    int proxyAsked_ = 0;
    Texts newest_ = {"(earlier list)"};
    std::string date_;
    int counts_ = 0;
    int tablesChanged_ = 0;
};

TEST_F(UpdaterWindow, BeforeARunItShowsItsCaptionsAndTheIdleButton) {
    local("1.zip");
    FtpServer server(served_);
    Tupdater& w = create(server.url());
    EXPECT_EQ(platform::ys(w.windowTitle()), "Azuriranje");
    EXPECT_EQ(w.size(), QSize(655, 432));
    EXPECT_EQ(text("Label1"), "A`uriranje baze podataka programa Trevion");
    EXPECT_TRUE(child<QLabel>(&w, "Label1")->font().bold());
    EXPECT_EQ(text("Label4"), "Trenutna verzija programa:");
    EXPECT_EQ(text("Label3"), "Izmene koje mogu biti preuzete sa interneta:");
    EXPECT_EQ(platform::ys(child<QLabel>(&w, "Label2")->accessibleName()),
              "Kliknite na &A`uriraj za po~etak");
    auto* list = child<QTreeWidget>(&w, "ListView1");
    EXPECT_EQ(platform::ys(list->headerItem()->text(0)), "Redni broj izmene");
    EXPECT_EQ(platform::ys(list->headerItem()->text(1)), "Status");
    EXPECT_EQ(list->columnWidth(0), 250);
    EXPECT_EQ(list->columnWidth(1), 100);
    EXPECT_EQ(button(), "&A`uriraj");
    EXPECT_EQ(buttonColour(), QColor(Qt::black));
    EXPECT_EQ(platform::ys(child<QToolButton>(&w, "SpeedButton4")->text()), "&Zatvori");
    EXPECT_EQ(child<QProgressBar>(&w, "ProgressBar1")->maximum(), 100);
    EXPECT_EQ(status(), "");
    // The creation renamed the old local name and asked for the proxy once.
    EXPECT_TRUE(fs::exists(program() / "updates" / "001.zip"));
    EXPECT_EQ(proxyAsked_, 1);
    screenshot("updater-before.png");
}

TEST_F(UpdaterWindow, TwoClicksListFetchInstallAndOfferTheNews) {
    serveArchive("001.zip",
                 {table(database::kZakoni, {regulation(3, "Uredba", "Novarec uredba.")})});
    serve("002.txt", "Nove vesti");
    serve("003.dat", "Jos vesti");
    FtpServer server(served_);
    Tupdater& w = create(server.url());

    // The listing, while the window shows; closing only hides it.
    scriptedUi().expectModal([&](QDialog&) {
        click();
        child<QToolButton>(&w, "SpeedButton4")->click();
        EXPECT_FALSE(w.isVisible());
        return 0;
    });
    platform::ui().showModal(w);
    EXPECT_EQ(rows(), (Texts{"001.zip|Spremno", "002.txt|Spremno", "003.dat|Spremno"}));
    EXPECT_EQ(icons(), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(button(), "&Po~ni");
    EXPECT_EQ(buttonColour(), QColor(Qt::red));
    EXPECT_TRUE(child<QToolButton>(&w, "SpeedButton1")->isEnabled());
    EXPECT_EQ(status(), "Konekcija otvorena");
    screenshot("updater-ready.png");

    // Shown again, the window is still ready: the click fetches. The first
    // news file is read, the second is not.
    scriptedUi().expectModal([&](QDialog&) {
        click();
        return 0;
    });
    scriptedUi().expectConfirm(true, "Zelite li sada da procitate vesti iz datoteke 002.txt?");
    scriptedUi().expectMessage("Nove vesti");
    scriptedUi().expectConfirm(false, "Zelite li sada da procitate vesti iz datoteke 003.dat?");
    platform::ui().showModal(w);
    EXPECT_EQ(rows(), (Texts{"001.zip|preuzeto", "002.txt|preuzeto", "003.dat|preuzeto"}));
    EXPECT_EQ(button(), "&A`uriraj");
    EXPECT_EQ(buttonColour(), QColor(Qt::black));
    EXPECT_EQ(status(), "");
    const Texts lines = log();
    ASSERT_GE(lines.size(), 4U);
    EXPECT_EQ(lines.front(), " LOG fajl otvoren");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), " instalacija izmena..."), 1);
    EXPECT_EQ(lines.back(), " LOG fajl zatvoren");

    // What reaches the main window.
    EXPECT_EQ(newest_, Texts{"Uredba"});
    EXPECT_EQ(date_, update::Installer::today());
    EXPECT_EQ(counts_, 1);
    EXPECT_EQ(tablesChanged_, 1);
    // The plain texts follow the merge; the index waits for the rebuild in
    // the background and meanwhile is not used.
    EXPECT_TRUE(search::textCopyUsable(db(), search::TextTable::Regulations));
    const auto texts = search::textCopy(db(), search::TextTable::Regulations).textsOf(3);
    ASSERT_EQ(texts.size(), 1U);
    EXPECT_NE(texts[0].value_or("").find("Novarec uredba."), std::string::npos);
    EXPECT_EQ(search::TextIndex::current(db(), search::TextTable::Regulations), nullptr);
    screenshot("updater-after.png");

    // The next listing finds nothing new and installs nothing.
    scriptedUi().expectMessage("Nema novijih datoteka za preuzimanje sa interneta!");
    click();
    EXPECT_EQ(button(), "&A`uriraj");
    EXPECT_EQ(tablesChanged_, 1);
}

TEST_F(UpdaterWindow, AltAClicksTheUpdateButton) {
    serve("001.zip");
    FtpServer server(served_);
    Tupdater& w = create(server.url());
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_A, Qt::AltModifier);
    // The key clicks the button as a press of it would, a moment later.
    EXPECT_TRUE(QTest::qWaitFor([&] { return button() == "&Po~ni"; }, 5000));
    EXPECT_EQ(rows(), Texts{"001.zip|Spremno"});
    w.hide();
}

TEST_F(UpdaterWindow, ADroppedDownloadEndsTheRunWithTheRowsAsTheyStood) {
    serveArchive("001.zip",
                 {table(database::kZakoni, {regulation(3, "Uredba", "Novarec uredba.")})});
    serve("002.zip", std::string(400000, 'x'));
    serve("003.txt", "Vesti");
    FtpServer server(served_, "002.zip");
    create(server.url());
    click();
    click();
    // The first archive is installed; the run ends at the second, the third
    // is not touched. The button is ready for a new listing.
    EXPECT_EQ(rows(), (Texts{"001.zip|preuzeto", "002.zip|preuzima se...", "003.txt|Spremno"}));
    EXPECT_EQ(button(), "&A`uriraj");
    EXPECT_EQ(buttonColour(), QColor(Qt::black));
    EXPECT_TRUE(child<QToolButton>(window_.get(), "SpeedButton1")->isEnabled());
    EXPECT_EQ(status(), "");
    EXPECT_EQ(tablesChanged_, 1);
    EXPECT_EQ(newest_, Texts{"Uredba"});
    EXPECT_FALSE(fs::exists(program() / "updates" / "002.zip"));
    const Texts lines = log();
    ASSERT_GE(lines.size(), 3U);
    EXPECT_EQ(lines[lines.size() - 3], " ftp dc...");
}

TEST_F(UpdaterWindow, TheProxyOfTheSettingsPageCarriesTheConnection) {
    serve("001.zip");
    FtpServer server(served_);
    // Nothing listens on the proxy's port: the listing fails quietly.
    proxy_ = {true, "127.0.0.1", "1", "1"};
    create(server.url());
    click();
    EXPECT_EQ(rows(), Texts{});
    EXPECT_EQ(button(), "&A`uriraj");
    EXPECT_EQ(status(), "Konekcija neuspe{na!");
    EXPECT_EQ(log().at(3), " diskonektovanje...");
    // A proxy box left unticked leaves the connection direct.
    proxy_.use = false;
    create(server.url());
    click();
    EXPECT_EQ(rows(), Texts{"001.zip|Spremno"});
}

}  // namespace
}  // namespace updatetest
