#include "platform/workfolder.h"

#include <unistd.h>

#include <cstdlib>
#include <string>
#include <system_error>

#include "platform/env.h"
#include "platform/files.h"
#include "platform/log.h"

namespace fs = std::filesystem;

namespace platform {
namespace {

const char* const kData = "Podatci";
const char* const kPartial = "Podatci.part";

// Copies the installed database into the user folder; the copy is the user's
// and writable whatever the installed files' modes.
bool copyData(const fs::path& from, const fs::path& user) {
    const fs::path partial = user / kPartial;
    std::error_code ec;
    fs::remove_all(partial, ec);
    fs::copy(from, partial, fs::copy_options::recursive, ec);
    if (ec) {
        log("copying the database " + from.string() + " to " + partial.string() + ": " +
            ec.message());
        fs::remove_all(partial, ec);
        return false;
    }
    makeWritable(partial);
    for (const auto& entry : fs::recursive_directory_iterator(partial, ec)) {
        makeWritable(entry.path());
    }
    fs::rename(partial, user / kData, ec);
    if (ec) {
        log("renaming " + partial.string() + ": " + ec.message());
        return false;
    }
    return true;
}

bool isLinkInto(const fs::path& link, const fs::path& installed) {
    std::error_code ec;
    const fs::path target = fs::read_symlink(link, ec);
    if (ec) {
        return false;
    }
    const auto rel = target.lexically_relative(installed);
    return !rel.empty() && *rel.begin() != "..";
}

}  // namespace

bool isInstalledFolder(const fs::path& dir) {
    std::error_code ec;
    return fs::exists(dir / kInstalledMark, ec) || ::access(dir.c_str(), W_OK) != 0;
}

std::optional<fs::path> userFolder() {
    if (const char* data = env("XDG_DATA_HOME"); data != nullptr && fs::path(data).is_absolute()) {
        return fs::path(data) / "korvet";
    }
    if (const char* home = env("HOME")) {
        return fs::path(home) / ".local" / "share" / "korvet";
    }
    return std::nullopt;
}

bool prepareUserFolder(const fs::path& installed, const fs::path& user) {
    std::error_code ec;
    fs::create_directories(user, ec);
    if (!fs::is_directory(user, ec)) {
        log("making the user folder " + user.string() + ": " + ec.message());
        return false;
    }
    // Links left by an earlier installation to files it no longer has.
    for (const auto& entry : fs::directory_iterator(user, ec)) {
        if (entry.is_symlink(ec) && !fs::exists(entry.path(), ec) &&
            isLinkInto(entry.path(), installed)) {
            fs::remove(entry.path(), ec);
        }
    }
    for (const auto& entry : fs::directory_iterator(installed, ec)) {
        const auto name = entry.path().filename();
        const fs::path mine = user / name;
        if (name == kInstalledMark ||
            fs::symlink_status(mine, ec).type() != fs::file_type::not_found) {
            continue;
        }
        if (name == kData) {
            if (!copyData(entry.path(), user)) {
                return false;
            }
            continue;
        }
        fs::create_symlink(entry.path(), mine, ec);
        if (ec) {
            log("linking " + mine.string() + ": " + ec.message());
        }
    }
    return fs::is_directory(user / kData, ec);
}

fs::path workFolder(const fs::path& programFolder) {
    if (!isInstalledFolder(programFolder)) {
        return programFolder;
    }
    const auto user = userFolder();
    if (user && prepareUserFolder(programFolder, *user)) {
        return *user;
    }
    log("working in the installed folder " + programFolder.string() +
        ": no per-user folder could be made");
    return programFolder;
}

}  // namespace platform
