#include "startup/session.h"

#include "database/schema.h"
#include "engine/session.h"
#include "engine/types.h"

namespace startup {

void setNetDir(engine::Session& session, const std::filesystem::path& programDir) {
    std::string dir = programDir.string();
    if (dir.empty() || dir.back() != '/') {
        dir += '/';
    }
    session.setNetFileDir(dir);
}

void openDatabase(engine::Session& session, const std::filesystem::path& programDir) {
    try {
        session.deleteAlias(kAliasName);
    } catch (const engine::Error&) {
        // Absent on a first start.
    }
    session.addStandardAlias(kAliasName, (programDir / kDataFolder).string(), "Paradox");
    session.addPassword(database::kMasterPassword);
    session.open();
}

}  // namespace startup
