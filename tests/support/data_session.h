#pragma once
// Opens a test's session on the regulation database in the data folder
// Podatci of a program directory, under the datasets' alias. Header only:
// the tests that use it link the engine and the database already.
#include <filesystem>

#include "database/schema.h"
#include "engine/session.h"

namespace testsupport {

inline void openDataSession(engine::Session& session, const std::filesystem::path& programDir) {
    session.addStandardAlias(database::kAlias, (programDir / "Podatci").string(), "Paradox");
    session.addPassword(database::kMasterPassword);
    session.open();
}

}  // namespace testsupport
