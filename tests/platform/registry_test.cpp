#include "platform/registry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/temp_program_dir.h"

namespace {

namespace registry = platform::registry;
using registry::Hive;
using registry::Key;

class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override { setenv("KORVET_REGISTRY_DIR", dir_.path().c_str(), 1); }
    void TearDown() override { unsetenv("KORVET_REGISTRY_DIR"); }
    testsupport::TempProgramDir dir_{false};
};

TEST_F(RegistryTest, HivesLiveInTheFolderTheEnvironmentNames) {
    EXPECT_EQ(registry::hiveDir(Hive::LocalMachine), dir_ / "machine");
    EXPECT_EQ(registry::hiveDir(Hive::CurrentUser), dir_ / "user");
}

TEST_F(RegistryTest, ValuesReadBackWhateverTheCaseOfTheNames) {
    const std::string path = "SOFTWARE\\Borland\\Database Engine";
    ASSERT_TRUE(registry::writeString(Hive::LocalMachine, path, "DLLPATH", "C:\\bde\\"));
    EXPECT_EQ(
        registry::readString(Hive::LocalMachine, "software\\borland\\database engine", "dllpath"),
        "C:\\bde\\");
    EXPECT_FALSE(registry::readString(Hive::CurrentUser, path, "DLLPATH"));
    EXPECT_FALSE(registry::readString(Hive::LocalMachine, path, "CONFIGFILE01"));
    EXPECT_FALSE(Key::open(Hive::LocalMachine, "SOFTWARE\\Other"));
    EXPECT_FALSE(Key::open(Hive::LocalMachine, ""));

    // A write under another case keeps one value.
    ASSERT_TRUE(registry::writeString(Hive::LocalMachine, path, "dllpath", "D:\\"));
    auto key = Key::open(Hive::LocalMachine, path);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->valueNames(), std::vector<std::string>{"DLLPATH"});
    EXPECT_EQ(key->read("DLLPATH"), "D:\\");
    auto parent = Key::open(Hive::LocalMachine, "SOFTWARE\\Borland");
    ASSERT_TRUE(parent);
    EXPECT_EQ(parent->subKeys(), std::vector<std::string>{"Database Engine"});
}

TEST_F(RegistryTest, AwkwardNamesAndValuesSurviveTheFile) {
    const std::string path = "Software\\../..\\.values\\Trevion/x";
    const std::string value = "two\nlines = and \\ backslash\r";
    ASSERT_TRUE(registry::writeString(Hive::CurrentUser, path, "a=b", value));
    ASSERT_TRUE(registry::writeString(Hive::CurrentUser, path, "{`~}", "YUSCII"));
    EXPECT_EQ(registry::readString(Hive::CurrentUser, path, "a=b"), value);
    EXPECT_EQ(registry::readString(Hive::CurrentUser, path, "{`~}"), "YUSCII");
    // Everything stays inside the hive.
    EXPECT_FALSE(std::filesystem::exists(dir_ / "Trevion"));
    EXPECT_TRUE(registry::deleteKey(Hive::CurrentUser, "Software"));
    EXPECT_FALSE(registry::readString(Hive::CurrentUser, path, "a=b"));
}

TEST_F(RegistryTest, DamagedValueFileLosesOnlyItsBadLines) {
    ASSERT_TRUE(registry::writeString(Hive::CurrentUser, "K", "good", "1"));
    {
        std::ofstream out(dir_ / "user" / "K" / ".values", std::ios::app | std::ios::binary);
        out << "no equals sign\n=no name\n\xFF\xFE=\x01\n";
    }
    auto key = Key::open(Hive::CurrentUser, "K");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->read("good"), "1");
    EXPECT_EQ(key->read("\xFF\xFE"), "\x01");
    EXPECT_TRUE(key->remove("good"));
    EXPECT_FALSE(Key::open(Hive::CurrentUser, "K")->read("good"));
}

}  // namespace
