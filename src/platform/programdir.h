#pragma once
// The program directory: the executable's folder, which holds Podatci, the
// settings and list files, the fonts and the help texts. It is resolved once
// at start; tests point it at a temporary copy.
#include <filesystem>

namespace platform {

// The folder of the running executable (from /proc/self/exe).
std::filesystem::path executableDir();

// The program directory; executableDir() until setProgramDir() is called.
const std::filesystem::path& programDir();
void setProgramDir(const std::filesystem::path& dir);

// programDir() / name.
std::filesystem::path inProgramDir(const std::filesystem::path& name);

}  // namespace platform
