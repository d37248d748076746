#pragma once
// The engine installer library "BDEinst.dll" and the one call both programs
// make into it: load it from a folder, call its entry DllRegisterServer (no
// arguments, result ignored), unload it. The library registers the engine:
// it writes the engine key, whose "DLLPATH" names the engine library's folder.
#include <filesystem>

namespace bdeinst {

// The engine key in the machine hive and its value naming the engine folder.
inline constexpr const char* kEngineKey = "SOFTWARE\\Borland\\Database Engine";
inline constexpr const char* kDllPath = "DLLPATH";

inline constexpr const char* kLibraryFile = "BDEinst.dll";
inline constexpr const char* kEntry = "DllRegisterServer";

inline constexpr const char* kLoadFailed = "BDELoadLibrary failed";
inline constexpr const char* kEntryMissing = "BDEGetDLLFunction failed";

enum class Outcome { LoadFailed, EntryMissing, Called };

// Loads dir/BDEinst.dll, calls its entry when it has one and unloads it. Why
// a load failed goes to the log.
Outcome runInstaller(const std::filesystem::path& dir);

// The message a failure shows (kLoadFailed, kEntryMissing); null after a call.
const char* failureMessage(Outcome outcome);

}  // namespace bdeinst
