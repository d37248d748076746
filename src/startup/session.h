#pragma once
// The database steps of the start: the session's network directory, the
// alias "ZAKONI" on the data folder Podatci, the tables' master password and
// the opening of the session.
#include <filesystem>

namespace engine {
class Session;
}

namespace startup {

inline constexpr const char* kAliasName = "ZAKONI";
inline constexpr const char* kDataFolder = "Podatci";

// Sets the network directory to programDir (with a trailing separator).
void setNetDir(engine::Session& session, const std::filesystem::path& programDir);

// Replaces the alias (a missing one is no error), registers the master
// password and opens the session. Engine errors propagate.
void openDatabase(engine::Session& session, const std::filesystem::path& programDir);

}  // namespace startup
