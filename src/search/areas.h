#pragma once
// Regulations by legal area and type (ubacipooblastima) and the phrase
// search within the listed area.
#include <string>
#include <string_view>

#include "search/monitor.h"
#include "search/rows.h"

namespace database {
struct MainData;
}

namespace search {

// The type entry that means every type.
inline constexpr std::string_view kAllTypes = "Sve";

// The Zakoni filter for an area node and a type entry: node 0 is the root
// (every area), node k the area k + 1; the entry at position t restricts to
// ID_TIPA_ZAKONA t unless its text is "Sve". Empty: no filter at all.
std::string areaFilter(int node, int typePosition, std::string_view typeText);

struct AreaFill {
    Rows rows;                  // icon 0 or 2, caption the title, sub-item BG
    bool noneSelected = false;  // the area and type select no regulation at all
    bool stopped = false;       // Escape ended the loop; the rows so far stand
};

// Walks the selected regulations in stored order: the stop request at the
// top of each, then pending messages and one step (paced by the monitor); a
// regulation whose archive row names a successor is left out. The range is
// the number of selected regulations. Zakoni gets its settings back.
AreaFill ubacipooblastima(database::MainData& data, int node, int typePosition,
                          std::string_view typeText, Monitor& monitor);

// The phrase search over the saved copy of the area list: the phrase
// upper-cased as a whole, spaces included; an empty phrase keeps every row.
Rows phraseSearch(const Rows& saved, std::string_view phrase);

}  // namespace search
