#pragma once
// The archive of superseded versions: the title search over the saved
// archive list and the version list of a selected regulation (zbudziarhivu).
#include <string_view>

#include "search/rows.h"

namespace database {
struct MainData;
}

namespace search {

// The rows of the saved archive list whose title holds the text (upper-cased
// as a whole); an empty text gives the saved list itself.
Rows archiveTitleSearch(const Rows& saved, std::string_view text);

// The versions around the regulation with this title and BG: its archive
// row's previous and next versions and theirs, two steps each way, with the
// regulation itself when it has a neighbour; in ascending BROJ_ZAKONA order,
// icon 3 for a version that has a successor, else 0, caption the title,
// sub-item BG. Empty when no regulation has this title and BG or it has no
// archive row. lookzakoni is left filtered (as every user of it does);
// arhiva gets its settings back.
Rows zbudziarhivu(database::MainData& data, std::string_view title, std::string_view bg);

}  // namespace search
