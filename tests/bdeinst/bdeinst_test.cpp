// The installer call both programs make, and the installer library
// registering the engine it was built with.
#include "bdeinst/installer.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "engine/version.h"
#include "platform/files.h"
#include "platform/fileversion.h"
#include "platform/registry.h"
#include "support/installer_sandbox.h"
#include "support/temp_program_dir.h"

namespace fs = std::filesystem;
namespace registry = platform::registry;

namespace {

class Installer : public ::testing::Test {
  protected:
    std::string installerLog() const { return sandbox_.installerLog(); }
    static std::optional<std::string> dllPath() { return testsupport::InstallerSandbox::dllPath(); }

    testsupport::TempProgramDir dir_{false};
    testsupport::InstallerSandbox sandbox_{dir_.path()};
};

TEST_F(Installer, TheCallLoadsTheLibraryCallsItsEntryAndTellsWhatFailed) {
    fs::create_directories(dir_ / "text");
    ASSERT_TRUE(platform::writeFileAtomic(dir_ / "text" / "BDEinst.dll", "no library"));
    struct Case {
        fs::path folder;
        bdeinst::Outcome outcome;
        const char* log;
        const char* message;
    };
    const Case cases[] = {
        {dir_ / "missing", bdeinst::Outcome::LoadFailed, "", "BDELoadLibrary failed"},
        {dir_ / "text", bdeinst::Outcome::LoadFailed, "", "BDELoadLibrary failed"},
        {testsupport::fixtureDir() / "no-entry", bdeinst::Outcome::EntryMissing, "load\n",
         "BDEGetDLLFunction failed"},
        {testsupport::fixtureDir() / "installer", bdeinst::Outcome::Called, "load\ncall\n",
         nullptr},
    };
    for (const auto& c : cases) {
        sandbox_.clearLog();
        const auto outcome = bdeinst::runInstaller(c.folder);
        EXPECT_EQ(outcome, c.outcome) << c.folder;
        EXPECT_EQ(installerLog(), c.log) << c.folder;
        const char* message = bdeinst::failureMessage(outcome);
        EXPECT_EQ(message == nullptr ? std::string("none") : message,
                  c.message == nullptr ? std::string("none") : c.message);
    }
}

TEST_F(Installer, TheLibraryRegistersTheEngineTheLoaderTookBesideIt) {
    EXPECT_FALSE(dllPath());
    ASSERT_EQ(bdeinst::runInstaller(testsupport::builtProgramDir()), bdeinst::Outcome::Called);
    const auto registered = dllPath();
    ASSERT_TRUE(registered);
    EXPECT_EQ(*registered, fs::canonical(testsupport::builtProgramDir()).string());
    EXPECT_EQ(platform::fileVersion(fs::path(*registered) / engine::kLibraryFile), "5.2.0.2");
    // A second run leaves one key with the same folder.
    ASSERT_EQ(bdeinst::runInstaller(testsupport::builtProgramDir()), bdeinst::Outcome::Called);
    EXPECT_EQ(dllPath(), registered);
}

TEST_F(Installer, AKeyThatCannotBeWrittenFailsTheEntry) {
    ASSERT_TRUE(platform::writeFileAtomic(dir_ / "registry", "a file, not a folder"));
    void* library = ::dlopen((testsupport::builtProgramDir() / bdeinst::kLibraryFile).c_str(),
                             RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << ::dlerror();
    auto entry = reinterpret_cast<long (*)()>(::dlsym(library, bdeinst::kEntry));
    ASSERT_NE(entry, nullptr);
    EXPECT_NE(entry(), 0);
    ::dlclose(library);
    EXPECT_FALSE(dllPath());
}

}  // namespace
