#include "paradox/files.h"

#include <strings.h>

#include <system_error>

namespace paradox {

namespace fs = std::filesystem;

std::optional<fs::path> findFile(const fs::path& folder, const std::string& name) {
    const fs::path dir = folder.empty() ? fs::path(".") : folder;
    std::error_code ec;
    if (fs::is_regular_file(dir / name, ec)) {
        return dir / name;
    }
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (strcasecmp(candidate.c_str(), name.c_str()) == 0 && it->is_regular_file(ec)) {
            return it->path();
        }
    }
    return std::nullopt;
}

std::optional<fs::path> findTableFile(const fs::path& dir, const std::string& table) {
    return findFile(dir, table + ".DB");
}

std::optional<fs::path> findMemoFile(const fs::path& tableFile) {
    return findFile(tableFile.parent_path(), tableFile.stem().string() + ".MB");
}

}  // namespace paradox
