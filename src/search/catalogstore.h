#pragma once
// The catalog of the publication rows (catalog.h) kept beside the tables,
// so that a process that has not walked the tables yet (korvet-cli search,
// the first search after start) tests titles and texts without the walk.
// It is stored with the write counts of the tables it is read from
// (TB_Brojevi, TB_Zakoni, TB_Glasnici, TB_Arhiva); a write to any of them,
// or a table made again, leaves it out of date and it is not used.
#include <memory>
#include <string>

namespace database {
struct MainData;
}
namespace engine {
class Database;
}

namespace search {

class Catalog;

// Records the catalog of the database in the folder dataDir (its own
// session and datasets) and stores it. False when the tables changed
// while it was recorded (nothing is stored then).
bool storeCatalog(const std::string& dataDir);

// Whether the stored catalog is current.
bool storedCatalogCurrent(engine::Database& db);

// The stored catalog when it is current, kept for the datasets as a walk
// would keep it; nullptr otherwise.
std::shared_ptr<const Catalog> loadStoredCatalog(database::MainData& data);

}  // namespace search
