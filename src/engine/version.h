#pragma once
// The engine library: its file name and the version stamped in it, which the
// start-up check reads from the file in the registered engine folder.
namespace engine {

inline constexpr const char* kLibraryFile = "libkorvet-engine.so";
inline constexpr const char* kVersion = "5.2.0.2";

// The stamped version, from inside the loaded library; its address also
// tells the installer which file the loader took.
const char* version();

}  // namespace engine
