#pragma once
// The tables of a regulation database written out as Paradox tables: the
// inverse of the import, for tests, benchmarks and the publisher's side.
#include <filesystem>
#include <string>
#include <vector>

namespace engine {
class Session;
}

namespace paradox {

struct ExportedTable {
    std::string table;
    long long records = 0;
};

// Writes every table of the database behind alias into outDir (created when
// missing) as "<table>.DB", with "<table>.MB" for tables with memo or
// graphic fields, rows in the order the program sees them (the primary
// order). The files are made in a temporary folder inside outDir and moved
// over any of the same name only when all are complete. Throws Error (or
// engine::Error) on failure; outDir then keeps what it held.
std::vector<ExportedTable> exportDatabase(engine::Session& session, const std::string& alias,
                                          const std::filesystem::path& outDir);

}  // namespace paradox
