// Pelmat's window: its look, and the one button that runs the installer
// library from the program's folder and ends the program.
#include "reinstaller/tform1.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>

#include "bdeinst/installer.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "support/find_child.h"
#include "support/installer_sandbox.h"
#include "support/scripted_ui.h"
#include "support/temp_program_dir.h"

namespace fs = std::filesystem;
namespace registry = platform::registry;

namespace {

class Pelmat : public ::testing::Test {
  protected:
    Pelmat() { fs::create_directories(folder_); }

    std::unique_ptr<reinstaller::TForm1> open() {
        auto form = std::make_unique<reinstaller::TForm1>(folder_);
        form->endProgram = [this] { ++ended_; };
        form->show();
        return form;
    }
    void deliver(const fs::path& library) { fs::copy_file(library, folder_ / "BDEinst.dll"); }
    std::string installerLog() const { return sandbox_.installerLog(); }

    testsupport::TempProgramDir dir_{false};
    testsupport::InstallerSandbox sandbox_{dir_.path()};
    fs::path folder_ = dir_ / "program";
    int ended_ = 0;
};

TEST_F(Pelmat, OneWindowWithItsPanelAndOneButton) {
    auto form = open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("BDE Re/Instalator"));
    EXPECT_EQ(form->size(), QSize(380, 153));
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    auto* panel = testsupport::child<QWidget>(form.get(), "Panel1");
    EXPECT_EQ(panel->height(), 41);
    EXPECT_EQ(panel->width(), 380);
    EXPECT_EQ(panel->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(testsupport::child<QLabel>(form.get(), "Image1")->pixmap().size(), QSize(589, 39));
    auto* button = testsupport::child<QPushButton>(form.get(), "Button1");
    EXPECT_EQ(button->text(), QStringLiteral("Re/Instaliraj BDE"));
    EXPECT_TRUE(button->isDefault());
    EXPECT_EQ(ended_, 0);
}

TEST_F(Pelmat, WithoutTheLibraryTheClickShowsTheFailureAndTheProgramEnds) {
    auto form = open();
    testsupport::scriptedUi().expectMessage("BDELoadLibrary failed");
    testsupport::clickOn(testsupport::child<QPushButton>(form.get(), "Button1"));
    EXPECT_EQ(testsupport::scriptedUi().messages(),
              std::vector<std::string>{"BDELoadLibrary failed"});
    EXPECT_EQ(ended_, 1);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Pelmat, WithTheLibraryOneClickCallsTheEntryOnceAndTheProgramEnds) {
    deliver(testsupport::fixtureDir() / "installer" / "BDEinst.dll");
    auto form = open();
    testsupport::scriptedUi().expectMessage("BDE Re/Instalacija zavrsena");
    testsupport::clickOn(testsupport::child<QPushButton>(form.get(), "Button1"));
    EXPECT_EQ(installerLog(), "load\ncall\n");
    EXPECT_EQ(ended_, 1);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(Pelmat, EnterPressesTheButton) {
    deliver(testsupport::fixtureDir() / "installer" / "BDEinst.dll");
    auto form = open();
    testsupport::scriptedUi().expectMessage("BDE Re/Instalacija zavrsena");
    testsupport::pressEnter(testsupport::child<QPushButton>(form.get(), "Button1"));
    EXPECT_EQ(installerLog(), "load\ncall\n");
    EXPECT_EQ(ended_, 1);
}

TEST_F(Pelmat, ALibraryWithoutItsEntryShowsThatFailureAndTheProgramEnds) {
    deliver(testsupport::fixtureDir() / "no-entry" / "BDEinst.dll");
    auto form = open();
    testsupport::scriptedUi().expectMessage("BDEGetDLLFunction failed");
    testsupport::clickOn(testsupport::child<QPushButton>(form.get(), "Button1"));
    EXPECT_EQ(installerLog(), "load\n");
    EXPECT_EQ(ended_, 1);
}

TEST_F(Pelmat, TheDeliveredLibraryRegistersTheEngineAgain) {
    // A registration left from before stays until the library rewrites it.
    ASSERT_TRUE(registry::writeString(registry::Hive::LocalMachine, bdeinst::kEngineKey,
                                      bdeinst::kDllPath, "/old/engine"));
    deliver(testsupport::builtProgramDir() / "BDEinst.dll");
    auto form = open();
    testsupport::scriptedUi().expectMessage("BDE Re/Instalacija zavrsena");
    testsupport::clickOn(testsupport::child<QPushButton>(form.get(), "Button1"));
    EXPECT_EQ(
        registry::readString(registry::Hive::LocalMachine, bdeinst::kEngineKey, bdeinst::kDllPath),
        fs::canonical(testsupport::builtProgramDir()).string());
}

}  // namespace
