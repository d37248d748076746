#pragma once
// The table utility: verify and rebuild one table of a database.
#include <string>

#include "engine/types.h"

namespace engine {

class Database;

struct VerifyResult {
    bool ok = true;
    std::string report;  // what the check found when not ok
};

// Checks the table's storage and indexes. Throws Error when the table does
// not exist.
VerifyResult verifyTable(Database& db, const std::string& table);

// Rebuilds the table from its own definition: its rows are copied into a
// fresh table and its indexes created again. Rows the rebuilt keys reject are
// dropped. Throws Error when the rebuild fails; the table is then unchanged.
void rebuildTable(Database& db, const std::string& table);

}  // namespace engine
