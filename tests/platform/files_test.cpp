#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
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

TEST(Files, FailedWriteKeepsOldContent) {
    testsupport::TempProgramDir dir(false);
    ASSERT_TRUE(platform::writeFileAtomic(dir / "keep.cfg", "old"));
    // A folder where the temporary file should go makes the write fail.
    std::filesystem::create_directory(dir / "keep.cfg.tmp~");
    std::filesystem::create_directory(dir / "keep.cfg.tmp~" / "x");
    EXPECT_FALSE(platform::writeFileAtomic(dir / "keep.cfg", "new"));
    EXPECT_EQ(*platform::readFile(dir / "keep.cfg"), "old");
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

}  // namespace
