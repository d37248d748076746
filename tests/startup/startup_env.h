#pragma once
// Shared set-up of the tests that create start-up windows: the instance lock
// lives in a private runtime folder (so a Korvet running on the machine does
// not interfere), and the fonts are added once from the built program
// directory, which outlives every test (the temporary program directories
// do not, and an added font is read from its file whenever it is drawn).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "fonts/fonts.h"
#include "platform/programdir.h"
#include "support/temp_program_dir.h"

namespace testsupport {

class StartupEnvironment final : public ::testing::Environment {
  public:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "korvet-runtime-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        runtimeDir_ = pattern;
        ::setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
        const auto previous = platform::programDir();
        platform::setProgramDir(builtProgramDir());
        fonts::installfonts();
        platform::setProgramDir(previous);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(runtimeDir_, ec);
    }

  private:
    std::filesystem::path runtimeDir_;
};

// Registers the environment once per test program.
inline const bool kStartupEnvironment =
    (::testing::AddGlobalTestEnvironment(new StartupEnvironment), true);

}  // namespace testsupport
