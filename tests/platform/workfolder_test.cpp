// The folder Korvet works in: a writable program folder in place, an
// installed one through the per-user folder made from it.
#include "platform/workfolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/files.h"
#include "support/child_process.h"
#include "support/temp_program_dir.h"

namespace fs = std::filesystem;

namespace {

// An installed program folder with its data, and a home for the user.
class WorkFolder : public ::testing::Test {
  protected:
    WorkFolder() {
        fs::create_directories(installed_ / "Podatci");
        EXPECT_TRUE(platform::writeFileAtomic(installed_ / "Podatci" / "zakoni.sqlite", "data"));
        EXPECT_TRUE(platform::writeFileAtomic(installed_ / "dostava.rtf", "{\\rtf1 help}"));
        EXPECT_TRUE(platform::writeFileAtomic(installed_ / "BDEinst.dll", "library"));
        fs::create_directories(installed_ / "uputstvo");
        ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
        ::setenv("HOME", (root_ / "home").c_str(), 1);
    }
    ~WorkFolder() override {
        ::unsetenv("XDG_DATA_HOME");
        if (home_) {
            ::setenv("HOME", home_->c_str(), 1);
        }
    }

    void mark() {
        ASSERT_TRUE(platform::writeFileAtomic(installed_ / platform::kInstalledMark, ""));
    }

    testsupport::TempProgramDir root_{false};
    fs::path installed_ = root_ / "lib" / "korvet";
    fs::path user_ = root_ / "data" / "korvet";
    std::optional<std::string> home_ =
        std::getenv("HOME") ? std::optional<std::string>(std::getenv("HOME")) : std::nullopt;
};

TEST_F(WorkFolder, AWritableProgramFolderIsWorkedInInPlace) {
    EXPECT_FALSE(platform::isInstalledFolder(installed_));
    EXPECT_EQ(platform::workFolder(installed_), installed_);
    EXPECT_FALSE(fs::exists(user_));
}

TEST_F(WorkFolder, AnInstalledFolderGivesAUserFolderWithItsOwnDatabase) {
    mark();
    // The installed files are read-only; the user's copy is not.
    fs::permissions(installed_ / "Podatci" / "zakoni.sqlite", fs::perms::owner_read);
    ASSERT_EQ(platform::workFolder(installed_), user_);

    EXPECT_TRUE(fs::is_directory(user_ / "Podatci"));
    EXPECT_FALSE(fs::is_symlink(user_ / "Podatci"));
    EXPECT_EQ(platform::readFile(user_ / "Podatci" / "zakoni.sqlite"), "data");
    EXPECT_NE(
        fs::status(user_ / "Podatci" / "zakoni.sqlite").permissions() & fs::perms::owner_write,
        fs::perms::none);
    for (const char* name : {"dostava.rtf", "BDEinst.dll", "uputstvo"}) {
        EXPECT_TRUE(fs::is_symlink(user_ / name)) << name;
        EXPECT_EQ(fs::read_symlink(user_ / name), installed_ / name) << name;
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(user_ / platform::kInstalledMark)));
}

TEST_F(WorkFolder, ALaterStartKeepsTheUsersFilesAndFollowsTheInstallation) {
    mark();
    ASSERT_EQ(platform::workFolder(installed_), user_);
    ASSERT_TRUE(platform::writeFileAtomic(user_ / "Podatci" / "zakoni.sqlite", "updated"));
    ASSERT_TRUE(platform::writeFileAtomic(user_ / "trevion.cfg", "settings"));
    // The installation changes: a new help text, one removed.
    fs::remove(installed_ / "dostava.rtf");
    ASSERT_TRUE(platform::writeFileAtomic(installed_ / "novo.rtf", "new"));

    ASSERT_EQ(platform::workFolder(installed_), user_);
    EXPECT_EQ(platform::readFile(user_ / "Podatci" / "zakoni.sqlite"), "updated");
    EXPECT_EQ(platform::readFile(user_ / "trevion.cfg"), "settings");
    EXPECT_TRUE(fs::is_symlink(user_ / "novo.rtf"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(user_ / "dostava.rtf")));
}

TEST_F(WorkFolder, ACopyCutShortIsMadeAgain) {
    mark();
    fs::create_directories(user_ / "Podatci.part");
    ASSERT_TRUE(platform::writeFileAtomic(user_ / "Podatci.part" / "zakoni.sqlite", "da"));
    ASSERT_EQ(platform::workFolder(installed_), user_);
    EXPECT_EQ(platform::readFile(user_ / "Podatci" / "zakoni.sqlite"), "data");
    EXPECT_FALSE(fs::exists(user_ / "Podatci.part"));
}

TEST_F(WorkFolder, WithoutAUserFolderTheProgramStaysInItsOwn) {
    mark();
    ASSERT_TRUE(platform::writeFileAtomic(root_ / "data", "a file where the folder would be"));
    EXPECT_EQ(platform::workFolder(installed_), installed_);
}

TEST_F(WorkFolder, AFolderTheUserCannotWriteIsInstalled) {
    fs::permissions(installed_,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const auto outcome = testsupport::runInChild({.ordinaryUser = true}, [&](std::string& report) {
        const auto folder = platform::workFolder(installed_);
        report = folder.string();
        return folder == user_ && fs::is_directory(user_ / "Podatci") ? 0 : 1;
    });
    fs::permissions(installed_, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.report;
}

TEST(UserFolder, FollowsTheDataHomeOrTheHome) {
    const char* home = std::getenv("HOME");
    const std::string saved = home ? home : "";
    ::setenv("HOME", "/home/ana", 1);
    ::setenv("XDG_DATA_HOME", "/data/ana", 1);
    EXPECT_EQ(platform::userFolder(), fs::path("/data/ana/korvet"));
    ::setenv("XDG_DATA_HOME", "relative/data", 1);  // not absolute: ignored
    EXPECT_EQ(platform::userFolder(), fs::path("/home/ana/.local/share/korvet"));
    ::unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(platform::userFolder(), fs::path("/home/ana/.local/share/korvet"));
    ::unsetenv("HOME");
    EXPECT_EQ(platform::userFolder(), std::nullopt);
    ::setenv("HOME", saved.c_str(), 1);
}

}  // namespace
