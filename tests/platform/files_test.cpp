#include <gtest/gtest.h>

#include <filesystem>

#include <csignal>
#include <cstdlib>

#include "platform/files.h"
#include "platform/programdir.h"
#include "support/child_process.h"
#include "support/temp_program_dir.h"

namespace {

TEST(Files, LinesEndInCrLfAndReadBackWhateverTheEnding) {
    testsupport::TempProgramDir dir(false);
    ASSERT_TRUE(platform::writeLinesAtomic(dir / "a.ini", {"one", "", "three"}));
    EXPECT_EQ(*platform::readFile(dir / "a.ini"), "one\r\n\r\nthree\r\n");
    EXPECT_EQ(*platform::readLines(dir / "a.ini"), (std::vector<std::string>{"one", "", "three"}));

    ASSERT_TRUE(platform::writeFileAtomic(dir / "b.ini", "x\ny\rz"));
    EXPECT_EQ(*platform::readLines(dir / "b.ini"), (std::vector<std::string>{"x", "y", "z"}));
}

TEST(Files, EmptyListGivesEmptyFileAndMissingFileNoLines) {
    testsupport::TempProgramDir dir(false);
    ASSERT_TRUE(platform::writeLinesAtomic(dir / "e.ini", {}));
    EXPECT_EQ(std::filesystem::file_size(dir / "e.ini"), 0u);
    EXPECT_TRUE(platform::readLines(dir / "e.ini")->empty());
    EXPECT_FALSE(platform::readLines(dir / "missing.ini").has_value());
}

TEST(Files, AFolderIsNoFileToRead) {
    testsupport::TempProgramDir dir(false);
    std::filesystem::create_directory(dir / "cesti.ini");
    EXPECT_FALSE(platform::readFile(dir / "cesti.ini").has_value());
    EXPECT_FALSE(platform::readLines(dir / "cesti.ini").has_value());
}

// Files in a folder besides the target: leftovers of a save.
std::vector<std::string> othersBeside(const std::filesystem::path& dir, const std::string& target) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        if (entry.path().filename() != target) {
            names.push_back(entry.path().filename().string());
        }
    }
    return names;
}

// A save in a child process under limits; its exit code is the result.
testsupport::ChildOutcome saveInChild(const testsupport::ChildLimits& limits,
                                      const std::filesystem::path& path, const std::string& bytes) {
    return testsupport::runInChild(
        limits, [&](std::string&) { return platform::writeFileAtomic(path, bytes) ? 0 : 1; });
}

class SaveTest : public ::testing::Test {
  protected:
    SaveTest() {
        // Saves that write in place keep their journal here.
        ::setenv("XDG_STATE_HOME", (dir_ / "state").c_str(), 1);
        std::filesystem::create_directory(dir_ / "folder");
    }
    ~SaveTest() override {
        ::unsetenv("XDG_STATE_HOME");
        std::filesystem::permissions(dir_ / "folder", std::filesystem::perms::owner_all);
    }
    void readOnlyFolder() {
        std::filesystem::permissions(dir_ / "folder", std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::owner_exec);
    }

    testsupport::TempProgramDir dir_{false};
    const std::filesystem::path file_ = dir_ / "folder" / "trevion.cfg";
    const std::string old_ = std::string(3000, 'o');
    const std::string new_ = std::string(9000, 'n');
};

TEST_F(SaveTest, AFailedWriteKeepsTheOldContentAndLeavesNothing) {
    ASSERT_TRUE(platform::writeFileAtomic(file_, old_));
    for (bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only folder" : "writable folder");
        if (readOnly) {
            readOnlyFolder();
        }
        // The disk is full: the new content does not fit.
        const auto outcome =
            saveInChild({.fileSizeLimit = 5000, .ordinaryUser = true}, file_, new_);
        EXPECT_EQ(outcome.exitCode, 1);
        EXPECT_TRUE(*platform::readFile(file_) == old_);
        EXPECT_TRUE(othersBeside(dir_ / "folder", "trevion.cfg").empty());
    }
}

TEST_F(SaveTest, ASaveKeepsTheFilesPermissions) {
    ASSERT_TRUE(platform::writeFileAtomic(file_, old_));
    std::filesystem::permissions(file_, std::filesystem::perms::owner_read |
                                            std::filesystem::perms::owner_write |
                                            std::filesystem::perms::group_read);
    ASSERT_TRUE(platform::writeFileAtomic(file_, new_));
    EXPECT_EQ(std::filesystem::status(file_).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
}

TEST_F(SaveTest, AReadOnlyFolderWithAWritableFileStillSaves) {
    ASSERT_TRUE(platform::writeFileAtomic(file_, new_));
    readOnlyFolder();
    const auto outcome = saveInChild({.ordinaryUser = true}, file_, old_);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.report;
    EXPECT_TRUE(*platform::readFile(file_) == old_);
    EXPECT_TRUE(othersBeside(dir_ / "folder", "trevion.cfg").empty());
    // A file that is read-only too cannot be saved, and stays.
    std::filesystem::permissions(file_, std::filesystem::perms::owner_read);
    EXPECT_EQ(saveInChild({.ordinaryUser = true}, file_, new_).exitCode, 1);
    EXPECT_TRUE(*platform::readFile(file_) == old_);
}

TEST_F(SaveTest, TheNextStartClearsUpASaveCutShortByACrash) {
    ASSERT_TRUE(platform::writeFileAtomic(file_, old_));
    for (bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only folder" : "writable folder");
        if (readOnly) {
            readOnlyFolder();
        }
        // The process dies in the middle of writing the new content.
        const auto outcome = saveInChild(
            {.fileSizeLimit = 5000, .dieAtFileSizeLimit = true, .ordinaryUser = true}, file_, new_);
        EXPECT_EQ(outcome.signal, SIGXFSZ);
        // The start of the program.
        platform::setProgramDir(dir_ / "folder");
        EXPECT_TRUE(*platform::readFile(file_) == old_);
        EXPECT_TRUE(othersBeside(dir_ / "folder", "trevion.cfg").empty());
    }
    platform::setProgramDir(dir_.path());
}

TEST_F(SaveTest, ACrashWhileTheJournalIsWrittenLeavesTheFileAsItWas) {
    ASSERT_TRUE(platform::writeFileAtomic(file_, old_));
    readOnlyFolder();
    // The process dies with the old content half copied to the journal.
    const auto outcome = saveInChild(
        {.fileSizeLimit = 2000, .dieAtFileSizeLimit = true, .ordinaryUser = true}, file_, new_);
    EXPECT_EQ(outcome.signal, SIGXFSZ);
    platform::setProgramDir(dir_ / "folder");
    EXPECT_TRUE(*platform::readFile(file_) == old_);
    EXPECT_TRUE(std::filesystem::is_empty(dir_ / "state" / "korvet" / "saves"));
    platform::setProgramDir(dir_.path());
}

TEST(Files, MakeWritableClearsReadOnly) {
    testsupport::TempProgramDir dir(false);
    ASSERT_TRUE(platform::writeFileAtomic(dir / "ro.ini", "x"));
    std::filesystem::permissions(dir / "ro.ini", std::filesystem::perms::owner_read);
    EXPECT_TRUE(platform::makeWritable(dir / "ro.ini"));
    auto perms = std::filesystem::status(dir / "ro.ini").permissions();
    EXPECT_NE(perms & std::filesystem::perms::owner_write, std::filesystem::perms::none);
    EXPECT_TRUE(platform::makeWritable(dir / "absent.ini"));
}

TEST(Files, PrintableEscapesControlBytesOnly) {
    struct Case {
        std::string in;
        std::string out;
    };
    const Case cases[] = {
        {"Podatci/zakoni.sqlite", "Podatci/zakoni.sqlite"},
        {"Pre&tra`i \\ {umama", "Pre&tra`i \\ {umama"},
        {"a\nb\tc", "a\\x0ab\\x09c"},
        {"\x1b[2J\x7f", "\\x1b[2J\\x7f"},
        {"\xc4\x8clan", "\xc4\x8clan"},  // UTF-8 stays
        {"\xc2\x9b"
         "31m",
         "\\xc2\\x9b31m"},  // the C1 control CSI
        {std::string("a\0b", 3), "a\\x00b"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::printable(c.in), c.out);
    }
}

}  // namespace
