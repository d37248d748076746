#pragma once
// The regulation database of a program directory, opened for a command.
#include <filesystem>
#include <string>

#include "database/schema.h"
#include "engine/session.h"
#include "platform/files.h"

namespace cli {

inline constexpr const char* kCliAlias = "Zakoni";

// Commands that only read open the database read-only, so they never write.
enum class Access { Read, Write };

struct ProgramDatabase {
    engine::Session session;

    // Throws when DIR has no database.
    ProgramDatabase(const std::filesystem::path& dir, Access access) {
        const std::filesystem::path data = dir / "Podatci";
        if (!std::filesystem::exists(data / engine::kDatabaseFileName)) {
            throw engine::Error("no database in " + platform::printable(data.string()));
        }
        session.setReadOnly(access == Access::Read);
        session.addStandardAlias(kCliAlias, data.string(), "Paradox");
        session.addPassword(database::kMasterPassword);
        session.open();
    }
};

}  // namespace cli
