#pragma once
// The files delivered beside the program (fonts, licence, help texts), as
// build/bin has them, copied into a program directory that a command makes.
#include <filesystem>

namespace cli {

// Copies each delivered file found beside korvet-cli into dir (and the
// manual's folder), replacing older copies. Returns the number copied.
int copyProgramFiles(const std::filesystem::path& dir);

}  // namespace cli
