#include "support/temp_program_dir.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/programdir.h"

namespace fs = std::filesystem;

namespace testsupport {

fs::path builtProgramDir() {
    const char* dir = std::getenv("KORVET_PROGRAM_DIR");
    return dir ? fs::path(dir) : platform::executableDir() / ".." / "bin";
}

fs::path sourceDir() {
    const char* dir = std::getenv("KORVET_SOURCE_DIR");
    return dir ? fs::path(dir) : fs::current_path();
}

fs::path fixtureDir() {
    return builtProgramDir().parent_path() / "tests" / "fixtures";
}

namespace {

// Files a run of Korvet in the program folder leaves there: the user's
// settings, lists and logs, never part of a test's starting state.
bool userFile(const std::string& name) {
    for (const char* own : {"trevion.cfg", "brzi.ini", "cesti.ini", "pretrage.ini", "novo.lst",
                            "log.txt", "korvet.log"}) {
        if (name == own) {
            return true;
        }
    }
    return false;
}

// The demo data as the build made it (build/demo), which a run of Korvet in
// the program folder cannot have changed; the program folder's own otherwise.
fs::path pristine(const fs::path& built, const std::string& name) {
    const fs::path demo = built.parent_path() / "demo" / name;
    std::error_code ec;
    return fs::is_directory(demo, ec) ? demo : built / name;
}

}  // namespace

TempProgramDir::TempProgramDir(bool withData) {
    std::string pattern = (fs::temp_directory_path() / "korvet-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    dir_ = pattern;
    if (withData) {
        fs::path built = builtProgramDir();
        for (const auto& entry : fs::directory_iterator(built)) {
            const auto name = entry.path().filename().string();
            if (entry.is_directory()) {
                if (name == "Podatci" || name == "uputstvo") {
                    fs::copy(pristine(built, name), dir_ / name, fs::copy_options::recursive);
                }
                continue;
            }
            if (userFile(name)) {
                continue;
            }
            auto perms = entry.status().permissions();
            bool executable = (perms & fs::perms::owner_exec) != fs::perms::none;
            if (!executable) {
                fs::copy_file(entry.path(), dir_ / name);
            }
        }
    }
    previousCwd_ = fs::current_path();
    previousProgramDir_ = platform::programDir();
    platform::setProgramDir(dir_);
    fs::current_path(dir_);
}

TempProgramDir::~TempProgramDir() {
    std::error_code ec;
    fs::current_path(previousCwd_, ec);
    platform::setProgramDir(previousProgramDir_);
    fs::remove_all(dir_, ec);
}

}  // namespace testsupport
