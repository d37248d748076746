// The program from start to end: the windows in their order, the hand-over
// and the close in-process, and real Korvet processes for the single
// instance and for the files left beside the program.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <QCoreApplication>
#include <QDialog>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>
#include <thread>

#include "../startup/startup_env.h"
#include "app/windows.h"
#include "engine/session.h"
#include "mainwindow/tform1.h"
#include "platform/files.h"
#include "settings/settings.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"
#include "support/temp_program_dir.h"

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

const char* kListFiles[] = {"pretrage.ini", "cesti.ini", "brzi.ini", "novo.lst"};

void expectSavedFiles(const testsupport::TempProgramDir& dir) {
    auto cfg = platform::readLines(dir / "trevion.cfg");
    ASSERT_TRUE(cfg);
    EXPECT_EQ(cfg->size(), 10u);
    EXPECT_EQ(*platform::readFile(dir / "trevion.cfg"), platform::joinCrLf(*cfg));
    for (const char* name : kListFiles) {
        EXPECT_TRUE(fs::is_regular_file(dir / name)) << name;
    }
}

TEST(Program, WindowsAreCreatedOnceAndTheMainWindowsCloseEndsTheProgram) {
    settings::resetProcessValues();
    testsupport::TempProgramDir dir;
    engine::Session session;
    auto windows = app::createWindows(session);
    ASSERT_FALSE(windows->form2->terminated());
    const std::vector<std::pair<QWidget*, const char*>> created = {
        {windows->form2.get(), "Form2"},         {windows->form1.get(), "Form1"},
        {windows->form3.get(), "Form3"},         {windows->selekt.get(), "selekt"},
        {windows->form5.get(), "Form5"},         {windows->updater.get(), "updater"},
        {windows->dokumenti.get(), "dokumenti"}, {windows->relacije.get(), "relacije"}};
    for (const auto& [window, name] : created) {
        ASSERT_NE(window, nullptr) << name;
        EXPECT_EQ(window->objectName().toStdString(), name);
    }

    int ended = 0;
    windows->form2->endProgram = [&] { ++ended; };
    windows->form2->handoverPauseMs = 0;
    testsupport::scriptedUi().expectModal([&](QDialog& dialog) {
        QCoreApplication::processEvents();
        EXPECT_FALSE(windows->form1->firstActivation);
        EXPECT_FALSE(windows->form2->isVisible());
        dialog.close();
        return 0;
    });
    while (testsupport::child<QTimer>(windows->form2.get(), "Timer1")->isActive()) {
        windows->form2->Timer1Timer();
    }
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(windows->form1->isVisible());
    expectSavedFiles(dir);
}

TEST(Program, ASecondStartCreatesNoOtherWindow) {
    testsupport::TempProgramDir dir;
    engine::Session first;
    auto running = app::createWindows(first);
    engine::Session second;
    testsupport::scriptedUi().expectMessage(TForm2::kAlreadyRunning);
    auto refused = app::createWindows(second);
    EXPECT_TRUE(refused->form2->terminated());
    EXPECT_EQ(refused->form1, nullptr);
    EXPECT_NE(running->form1, nullptr);
}

// A real Korvet in its own program directory: a copy of the built one with
// the executable beside the data, and a private runtime folder for the lock.
class RealProgram : public ::testing::Test {
  protected:
    RealProgram() {
        fs::copy_file(testsupport::builtProgramDir() / "Korvet", dir_ / "Korvet");
        fs::create_directory(dir_ / "runtime");
        fs::permissions(dir_ / "runtime", fs::perms::owner_all);
    }

    ~RealProgram() override {
        for (auto& p : processes_) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
    }

    // Started from another folder: the program finds its files by itself.
    // fileSizeLimit: bytes any file may grow to (RLIMIT_FSIZE); negative: none.
    QProcess& start(const std::string& logName, const QStringList& extra = {},
                    long long fileSizeLimit = -1) {
        auto process = std::make_unique<QProcess>();
        if (fileSizeLimit >= 0) {
            process->setChildProcessModifier([fileSizeLimit] {
                const rlimit size{static_cast<rlim_t>(fileSizeLimit),
                                  static_cast<rlim_t>(fileSizeLimit)};
                ::setrlimit(RLIMIT_FSIZE, &size);
            });
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"),
                   QString::fromStdString((dir_ / "runtime").string()));
        env.insert(QStringLiteral("KORVET_UI_LOG"),
                   QString::fromStdString((dir_ / logName).string()));
        for (const QString& pair : extra) {
            env.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
        }
        process->setProcessEnvironment(env);
        process->setWorkingDirectory(QString::fromStdString(fs::temp_directory_path().string()));
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QString::fromStdString((dir_ / "Korvet").string()), {});
        EXPECT_TRUE(process->waitForStarted(10000));
        processes_.push_back(std::move(process));
        return *processes_.back();
    }

    std::string log(const std::string& name) const {
        return platform::readFile(dir_ / name).value_or("");
    }

    // Waits until the log holds the text (the process keeps running).
    bool waitForLog(const std::string& name, const std::string& text, QProcess& process) {
        for (int i = 0; i < 300; ++i) {
            if (log(name).find(text) != std::string::npos) {
                return true;
            }
            if (process.state() == QProcess::NotRunning) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    testsupport::TempProgramDir dir_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};

TEST_F(RealProgram, ASecondInstanceShowsTheMessageAndEndsWhileTheFirstRuns) {
    QProcess& first = start("first.log");
    ASSERT_TRUE(waitForLog("first.log", "modal: Elektronski Trevion", first))
        << "the first instance never reached its main window";

    QProcess& second = start("second.log");
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(log("second.log"), std::string("message: ") + TForm2::kAlreadyRunning + "\n");
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    EXPECT_TRUE(first.waitForFinished(10000));
}

TEST_F(RealProgram, ClosingTheMainWindowEndsTheProcessAndLeavesTheFiles) {
    QProcess& korvet = start("run.log", {QStringLiteral("KORVET_AUTOCLOSE=1")});
    ASSERT_TRUE(korvet.waitForFinished(30000));
    EXPECT_EQ(korvet.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(korvet.exitCode(), 0);
    EXPECT_EQ(log("run.log"), "modal: Elektronski Trevion\n");
    expectSavedFiles(dir_);
    // A start after a killed instance is not blocked by its lock.
    QProcess& killed = start("killed.log");
    ASSERT_TRUE(waitForLog("killed.log", "modal:", killed));
    killed.kill();
    ASSERT_TRUE(killed.waitForFinished(10000));
    QProcess& next = start("next.log", {QStringLiteral("KORVET_AUTOCLOSE=1")});
    ASSERT_TRUE(next.waitForFinished(30000));
    EXPECT_EQ(log("next.log"), "modal: Elektronski Trevion\n");
}

// No file may grow (a full disk): the saves at the close fail, but the program
// ends normally instead of being killed by the file-size signal, and the files
// beside it keep their old content.
TEST_F(RealProgram, AFileSizeLimitFailsTheSavesWithoutKillingTheProgram) {
    const auto before = platform::readFile(dir_ / "trevion.cfg");
    QProcess& korvet = start("limited.log", {QStringLiteral("KORVET_AUTOCLOSE=1")}, 0);
    ASSERT_TRUE(korvet.waitForFinished(30000));
    EXPECT_EQ(korvet.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(korvet.exitCode(), 0);
    EXPECT_EQ(platform::readFile(dir_ / "trevion.cfg"), before);
}

// A message shown while the windows are being created: its box is shown for
// real, stands where the user sees it, and once it is answered the main
// window comes up and its close ends the process.
TEST_F(RealProgram, AStartUpMessageIsSeenAndTheCloseStillEndsTheProcess) {
    const std::vector<std::pair<const char*, std::function<void(const fs::path&)>>> cases = {
        {"a settings file holding x",
         [](const fs::path& cfg) { std::ofstream(cfg, std::ios::binary) << "x\r\n"; }},
        {"a folder named like the settings file",
         [](const fs::path& cfg) { fs::create_directory(cfg); }},
    };
    int run = 0;
    for (const auto& [name, prepare] : cases) {
        SCOPED_TRACE(name);
        fs::remove_all(dir_ / "trevion.cfg");
        prepare(dir_ / "trevion.cfg");
        const std::string logName = "boxes" + std::to_string(run++) + ".log";
        QProcess& korvet = start(
            logName, {QStringLiteral("KORVET_AUTOCLOSE=1"), QStringLiteral("KORVET_REAL_BOXES=1")});
        ASSERT_TRUE(korvet.waitForFinished(30000)) << log(logName);
        EXPECT_EQ(korvet.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(korvet.exitCode(), 0);
        const std::string lines = log(logName);
        const std::string shown = std::string("message: ") + settings::kCfgError + "\n";
        ASSERT_EQ(lines.rfind(shown, 0), 0u) << lines;
        const std::string placed =
            lines.substr(shown.size(), lines.find('\n', shown.size()) + 1 - shown.size());
        EXPECT_TRUE(placed == "box: on top\n" || placed.rfind("box over: ", 0) == 0) << placed;
        EXPECT_NE(lines.find("modal: Elektronski Trevion\n"), std::string::npos) << lines;
    }
}

// A database that opens but is damaged inside (random bytes over a few of
// its pages): the user is told what happened and what to do, once, whether
// the damage shows while opening the tables or while filling the pages, and
// the close still ends the program.
TEST_F(RealProgram, ADatabaseDamagedInsideIsReportedOnce) {
    const fs::path database = dir_ / "Podatci" / engine::kDatabaseFileName;
    const auto whole = platform::readFile(database);
    ASSERT_TRUE(whole);
    const size_t pages = whole->size() / 4096;
    // From the schema's neighbourhood to the last third of the file.
    for (const size_t first : {pages / 6, pages * 2 / 3}) {
        SCOPED_TRACE(first);
        std::string damaged = *whole;
        std::mt19937 random(static_cast<unsigned>(first));
        for (size_t i = first * 4096; i < (first + 6) * 4096 && i < damaged.size(); ++i) {
            damaged[i] = static_cast<char>(random());
        }
        ASSERT_TRUE(platform::writeFileAtomic(database, damaged));
        const std::string logName = "damaged" + std::to_string(first) + ".log";
        QProcess& korvet = start(logName, {QStringLiteral("KORVET_AUTOCLOSE=1")});
        ASSERT_TRUE(korvet.waitForFinished(30000)) << log(logName);
        EXPECT_EQ(korvet.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(korvet.exitCode(), 0);
        const std::string shown = std::string("message: ") + TForm1::kDatabaseDamaged + "\n";
        const std::string lines = log(logName);
        EXPECT_NE(lines.find(shown), std::string::npos) << lines;
        EXPECT_EQ(lines.find(shown), lines.rfind(shown)) << lines;
        EXPECT_NE(platform::readFile(dir_ / "korvet.log").value_or("").find("malformed"),
                  std::string::npos);
    }
}

}  // namespace
