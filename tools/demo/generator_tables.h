#pragma once
// Tables of rates and schedules in the benchmark's regulations, as real
// writers put them: most texts have none, one in twelve a small one, and one
// in a thousand (the last regulation always) a dozen tables of 50 rows with
// a merged header. Both scripts get the same tables. Deterministic.
#include <cstdint>

#include "demo/model.h"

namespace demo {

// Appends the tables of regulation id (1..count) to its Latin and Cyrillic
// RTF, each after the article text.
void addTables(Regulation& r, long long id, long long count, std::uint64_t seed);

}  // namespace demo
