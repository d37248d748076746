#include "platform/programdir.h"

#include "platform/files.h"

#include <optional>
#include <system_error>

namespace platform {
namespace {
std::optional<std::filesystem::path>& storedDir() {
    static std::optional<std::filesystem::path> dir;
    return dir;
}
}  // namespace

std::filesystem::path executableDir() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return std::filesystem::current_path();
    }
    return exe.parent_path();
}

const std::filesystem::path& programDir() {
    auto& dir = storedDir();
    if (!dir) {
        dir = executableDir();
        recoverInterruptedSaves(*dir);
    }
    return *dir;
}

void setProgramDir(const std::filesystem::path& dir) {
    storedDir() = dir;
    recoverInterruptedSaves(dir);
}

std::filesystem::path inProgramDir(const std::filesystem::path& name) {
    return programDir() / name;
}

}  // namespace platform
