#pragma once
// Writes the entries of an archive into a folder, refusing what would be
// unsafe: a name that would land outside the folder (absolute, drive
// letter, ".." segment, backslashes that climb), output beyond an entry's
// declared size, and a declared total larger than the disk's free space.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "zip/archive.h"

namespace zip {

// Called for each entry before it is written.
using Progress = std::function<void(const Entry& entry)>;

// The path below dir for a stored name (backslashes count as separators);
// nullopt when the name would land outside dir or is empty.
std::optional<std::filesystem::path> safePath(const std::filesystem::path& dir,
                                              const std::string& name);

// Checks every name and the declared total first, then writes each entry in
// archive order (folders are created, existing files overwritten) and checks
// its size and CRC. Throws Error at the first failure; entries written
// before it stay. Nothing is written outside dir.
void extractAll(const Archive& archive, const std::filesystem::path& dir,
                const Progress& progress = {});

}  // namespace zip
