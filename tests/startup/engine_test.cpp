// The engine environment at start: the installer library runs only when the
// engine is not registered, its failures show their messages, and the
// registered engine's version passes or asks.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "engine/session.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "startup/tform2.h"
#include "startup_env.h"
#include "support/find_child.h"
#include "support/installer_sandbox.h"
#include "support/scripted_ui.h"
#include "support/temp_program_dir.h"

namespace fs = std::filesystem;
namespace registry = platform::registry;

namespace {

using testsupport::fixtureDir;

// Each test has a registry of its own, empty unless the test registers the
// engine, and a log of what the installer stand-in did.
class EngineStart : public ::testing::Test {
  protected:
    // Puts an installer library (a fixture's, or the built one) beside the program.
    void deliverInstaller(const fs::path& library) { fs::copy_file(library, dir_ / "BDEinst.dll"); }

    void start() {
        form_ = std::make_unique<TForm2>(session_);
        form_->handoverPauseMs = 0;
        form_->endProgram = [this] { ++ended_; };
        form_->links.showMain = [this] { ++shownMain_; };
    }

    // Fills the bar, which runs the hand-over with its version check.
    void fillTheBar() {
        auto* timer = testsupport::child<QTimer>(form_.get(), "Timer1");
        for (int tick = 0; tick < 10 && timer->isActive(); ++tick) {
            form_->Timer1Timer();
        }
    }

    std::string installerLog() const { return sandbox_.installerLog(); }
    static std::optional<std::string> dllPath() { return testsupport::InstallerSandbox::dllPath(); }

    testsupport::TempProgramDir dir_;
    testsupport::InstallerSandbox sandbox_{dir_.path()};
    engine::Session session_;
    std::unique_ptr<TForm2> form_;  // goes before the sandbox's registry
    int ended_ = 0;
    int shownMain_ = 0;
};

TEST_F(EngineStart, WithTheKeyPresentTheInstallerIsNeverLoaded) {
    testsupport::registerEngine(fixtureDir() / "engine-5.2.0.2");
    deliverInstaller(fixtureDir() / "installer" / "BDEinst.dll");
    start();
    fillTheBar();
    EXPECT_EQ(installerLog(), "");
    EXPECT_EQ(shownMain_, 1);
    EXPECT_TRUE(testsupport::scriptedUi().shown().empty());
}

TEST_F(EngineStart, WithoutTheKeyTheInstallerRegistersTheEngineAndTheStartGoesOn) {
    deliverInstaller(testsupport::builtProgramDir() / "BDEinst.dll");
    start();
    EXPECT_EQ(dllPath(), fs::canonical(testsupport::builtProgramDir()).string());
    EXPECT_TRUE(session_.active());
    fillTheBar();
    EXPECT_EQ(shownMain_, 1);
    EXPECT_EQ(ended_, 0);
    EXPECT_TRUE(testsupport::scriptedUi().shown().empty());
}

TEST_F(EngineStart, WithoutTheInstallerTheMessageShowsAndTheProgramEnds) {
    testsupport::scriptedUi().expectMessage("BDELoadLibrary failed");
    start();
    // The session steps still ran.
    EXPECT_TRUE(session_.active());
    QCoreApplication::processEvents();
    EXPECT_EQ(ended_, 1);
    fillTheBar();
    EXPECT_EQ(shownMain_, 0);
}

TEST_F(EngineStart, AnInstallerWithoutItsEntryShowsTheMessageAndTheStartGoesOn) {
    deliverInstaller(fixtureDir() / "no-entry" / "BDEinst.dll");
    testsupport::scriptedUi().expectMessage("BDEGetDLLFunction failed");
    start();
    EXPECT_EQ(installerLog(), "load\n");
    QCoreApplication::processEvents();
    EXPECT_EQ(ended_, 0);
    fillTheBar();
    EXPECT_EQ(shownMain_, 1);
}

// The engine folder the key names, and what the hand-over does with it.
struct VersionCase {
    const char* name;
    std::string dllPath;  // relative to the fixtures; "-" for no value at all
    bool asks;
};

class EngineVersion : public EngineStart, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(EngineVersion, DeliveredVersionsPassSilentlyOthersAsk) {
    const auto& c = GetParam();
    // A folder whose name ends in a backslash, holding 5.2.0.1, beside one
    // without it holding 5.2.0.2: only one backslash removed finds 5.2.0.1.
    const fs::path twin = dir_ / "bde";
    fs::create_directories(twin);
    fs::create_directories(dir_ / "bde\\");
    fs::copy_file(fixtureDir() / "engine-5.2.0.2" / "libkorvet-engine.so",
                  twin / "libkorvet-engine.so");
    fs::copy_file(fixtureDir() / "engine-5.2.0.1" / "libkorvet-engine.so",
                  dir_ / "bde\\" / "libkorvet-engine.so");
    if (c.dllPath == "-") {
        ASSERT_TRUE(registry::Key::create(registry::Hive::LocalMachine, bdeinst::kEngineKey));
    } else if (c.dllPath.empty()) {
        testsupport::registerEngine("");
    } else {
        const fs::path base = c.dllPath.starts_with("bde") ? dir_.path() : fixtureDir();
        testsupport::registerEngine((base / c.dllPath).string());
    }
    start();
    if (c.asks) {
        testsupport::scriptedUi().expectConfirm(true, TForm2::versionQuestion("5.2.0.1"));
    }
    fillTheBar();
    EXPECT_EQ(shownMain_, 1);
    EXPECT_EQ(ended_, 0);
    EXPECT_EQ(testsupport::scriptedUi().shown().size(), c.asks ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Engines, EngineVersion,
    ::testing::Values(VersionCase{"delivered_5_2_0_2", "engine-5.2.0.2", false},
                      VersionCase{"delivered_5_1_1_1", "engine-5.1.1.1", false},
                      VersionCase{"other_5_2_0_1", "engine-5.2.0.1", true},
                      VersionCase{"one_backslash_removed", "engine-5.2.0.1\\", true},
                      VersionCase{"only_one_of_two_removed", "bde\\\\", true},
                      VersionCase{"no_stamp", "engine-none", false},
                      VersionCase{"no_folder_value", "-", false},
                      VersionCase{"empty_folder_value", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineStart, TheQuestionNamesTheVersionAndCancelEndsTheProgram) {
    testsupport::registerEngine(fixtureDir() / "engine-5.2.0.1");
    start();
    testsupport::scriptedUi().expectConfirm(false);
    fillTheBar();
    EXPECT_EQ(testsupport::scriptedUi().shown().at(0).text,
              "Verzija BDE-a na vasem sistemu (5.2.0.1) se razlikuje od verzija dosad prilozenih "
              "uz Elektronski Trevion (5.1.1.1 i 5.2.0.2)\r\nNajcesci uzrok je postojanje neke "
              "druge BDE aplikacije na Vasem sistemu pre instalacije Treviona.\r\n\r\nZelite li "
              "da nastavite sa startovanjem?");
    EXPECT_EQ(shownMain_, 0);
    EXPECT_EQ(ended_, 1);
}

}  // namespace
