#pragma once
// A temporary program directory for one test: a copy of the built program
// directory's data (Podatci with the demo database, fonts, help texts), made
// the program directory and the current directory for the test's lifetime.
#include <filesystem>

namespace testsupport {

// The built program directory (build/bin), from the environment CTest sets.
std::filesystem::path builtProgramDir();
// The source tree (for fixtures under tests/).
std::filesystem::path sourceDir();
// The built fixture libraries (build/tests/fixtures): installer/BDEinst.dll,
// no-entry/BDEinst.dll, engine-<version>/libkorvet-engine.so, engine-none/...
std::filesystem::path fixtureDir();

class TempProgramDir {
  public:
    // withData: copy Podatci and the other data files; false gives an empty folder.
    explicit TempProgramDir(bool withData = true);
    ~TempProgramDir();
    TempProgramDir(const TempProgramDir&) = delete;
    TempProgramDir& operator=(const TempProgramDir&) = delete;

    const std::filesystem::path& path() const { return dir_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return dir_ / name; }

  private:
    std::filesystem::path dir_;
    std::filesystem::path previousCwd_;
    std::filesystem::path previousProgramDir_;
};

}  // namespace testsupport
