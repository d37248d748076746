#pragma once
// The folder Korvet works in. A program folder the user can write (a
// portable copy such as the build's bin folder) is worked in in place. An
// installed one is not: it carries the installation's mark, or this user
// cannot write it. The program then works in a per-user folder,
// $XDG_DATA_HOME/korvet (~/.local/share/korvet by default), made at the first
// start from the installed folder: Podatci is copied (the database becomes the
// user's), everything else is linked (fonts, help texts, the installer
// library), so every file name the program uses beside itself keeps working.
#include <filesystem>
#include <optional>

namespace platform {

// The file the installation lays into the installed program folder.
inline constexpr const char* kInstalledMark = "korvet.installed";

// Whether the folder is an installed one (marked, or not writable by us).
bool isInstalledFolder(const std::filesystem::path& dir);

// $XDG_DATA_HOME/korvet, or ~/.local/share/korvet; nullopt without a home.
std::optional<std::filesystem::path> userFolder();

// Makes the per-user folder from the installed one, or brings it up to date:
// copies Podatci when the user has none (through a temporary folder, so a
// crash leaves no half copy), links entries the user folder lacks and drops
// links into the installed folder that lead nowhere. Files of the user's
// are never touched. False when the folder or its database cannot be made.
bool prepareUserFolder(const std::filesystem::path& installed, const std::filesystem::path& user);

// The folder to work in for a program in programFolder: programFolder
// itself, or the prepared per-user folder. When the per-user folder cannot be
// made the program stays in programFolder (it then reads, and cannot save).
std::filesystem::path workFolder(const std::filesystem::path& programFolder);

}  // namespace platform
