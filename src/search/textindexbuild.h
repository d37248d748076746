#pragma once
// The streaming build of one index file from a table's text copy (see
// textrebuild.h).
#include <functional>
#include <optional>

#include "search/textindex.h"

namespace engine {
class Database;
}

namespace search {

struct BuildReport {
    long long documents = 0;
    long long tokens = 0;
    long long bytes = 0;
};

// Builds the index of the table's copy (which must be current) into its
// file and records its state in the database. progress(done, total, step)
// runs between batches (step 0 reading texts, 1 writing); false cancels
// (nullopt). Throws engine::Error on engine and file errors.
std::optional<BuildReport> buildTextIndex(
    engine::Database& db, TextTable table, size_t memoryBudget,
    const std::function<bool(long long done, long long total, int step)>& progress);

}  // namespace search
