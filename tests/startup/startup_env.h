#pragma once
// Shared set-up of the tests that create start-up windows: the instance lock
// lives in a private runtime folder (so a Korvet running on the machine does
// not interfere), the registry in a private folder where the engine is
// registered (the built engine library in the built program directory), and
// the fonts are added once from the built program directory, which outlives
// every test (the temporary program directories do not, and an added font is
// read from its file whenever it is drawn).
//
// A test program that must see the fonts added by its own start-up windows
// defines KORVET_STARTUP_WITHOUT_FONTS before including this header and
// registers StartupEnvironment(false) itself.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "bdeinst/installer.h"
#include "fonts/fonts.h"
#include "platform/programdir.h"
#include "platform/registry.h"
#include "support/temp_program_dir.h"

namespace testsupport {

// Registers the engine: the engine key with "DLLPATH" naming folder.
inline void registerEngine(const std::string& folder) {
    ASSERT_TRUE(platform::registry::writeString(platform::registry::Hive::LocalMachine,
                                                bdeinst::kEngineKey, bdeinst::kDllPath, folder));
}

class StartupEnvironment final : public ::testing::Environment {
  public:
    explicit StartupEnvironment(bool addFonts = true) : addFonts_(addFonts) {}

    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "korvet-runtime-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        runtimeDir_ = pattern;
        ::setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
        ::setenv("KORVET_REGISTRY_DIR", (runtimeDir_ / "registry").c_str(), 1);
        registerEngine(std::filesystem::canonical(builtProgramDir()).string());
        if (addFonts_) {
            const auto previous = platform::programDir();
            platform::setProgramDir(builtProgramDir());
            fonts::installfonts();
            platform::setProgramDir(previous);
        }
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(runtimeDir_, ec);
    }

  private:
    bool addFonts_;
    std::filesystem::path runtimeDir_;
};

#ifndef KORVET_STARTUP_WITHOUT_FONTS
// Registers the environment once per test program.
inline const bool kStartupEnvironment =
    (::testing::AddGlobalTestEnvironment(new StartupEnvironment), true);
#endif

}  // namespace testsupport
