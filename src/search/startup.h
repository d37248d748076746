#pragma once
// The main window's start-up fill (poubacuj): the type, area, ministry and
// gazette choices, the full keyword-result list and the archive list, read
// in one pass with one progress bar.
#include <string>
#include <vector>

#include "search/monitor.h"
#include "search/rows.h"

namespace database {
struct MainData;
}

namespace search {

struct StartupFill {
    std::vector<std::string> types;       // type names in stored order
    std::vector<std::string> areas;       // area names in stored order; the first is the root
    std::vector<std::string> ministries;  // ministry names in stored order
    std::vector<std::string> gazettes;    // gazette names by ascending ID_GLASNIKA
    Rows results;  // one keyword-result row per publication row: title, gazette, BG
    Rows archive;  // the archive list (and its saved copy): title, BG
};

// The progress bar's range: the row counts of the types, the areas, the
// ministries, the gazettes and the publication rows together.
long long startupProgressMax(database::MainData& data);

// Sets the range, starts at position 5, and steps once per type, per area
// below the root, per ministry, per gazette (letting pending messages run
// before each) and per publication row. Leaves the publication rows
// unfiltered and the opinions without a ministry restriction.
StartupFill poubacuj(database::MainData& data, Monitor& monitor);

// The archive list's rule for one regulation: icon 3 when a newer version
// exists, icon 0 when it is current and an older one exists, else not listed
// (-1).
int archiveListIcon(long long previous, long long next);

}  // namespace search
