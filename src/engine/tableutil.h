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

// Rebuilds the table from its own definition: its indexes are made again
// and rows that the unique keys reject (the later of two, in storage order)
// are dropped. A table whose columns differ from the definition is copied
// into a fresh table first. One transaction: when the rebuild fails it throws
// Error and the table is unchanged.
void rebuildTable(Database& db, const std::string& table);

}  // namespace engine
