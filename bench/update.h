#pragma once
// The update's operations: installing an archive of changed and new
// regulations with their publication entries, and the repair of all tables.
// Each run works on a fresh copy of the database (made before it, untimed).
#include <filesystem>
#include <vector>

#include "operations.h"

namespace bench {

// changed: regulations of the database given new titles and texts; added:
// new regulations. The archive and the copies live in scratch.
std::vector<Operation> updateOperations(const std::filesystem::path& programDir,
                                        const std::filesystem::path& scratch, int changed,
                                        int added);

}  // namespace bench
