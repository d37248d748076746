#include "search/areas.h"

#include "database/datasets.h"
#include "database/filters.h"
#include "engine/table.h"
#include "search/keep.h"
#include "search/tables.h"
#include "search/words.h"

namespace search {

namespace filters = database::filters;

std::string areaFilter(int node, int typePosition, std::string_view typeText) {
    const bool byType = typeText != kAllTypes;
    if (node <= 0) {
        return byType ? filters::zakoniByType(typePosition) : std::string();
    }
    return byType ? filters::zakoniByAreaAndType(node + 1, typePosition)
                  : filters::zakoniByArea(node + 1);
}

AreaFill ubacipooblastima(database::MainData& data, int node, int typePosition,
                          std::string_view typeText, Monitor& monitor) {
    AreaFill fill;
    const ArchiveLinks archive = ArchiveLinks::read(data);
    engine::Table& zakoni = data.Zakoni;
    KeepDataset keep(zakoni);
    standalone(zakoni);
    zakoni.setIndexFieldNames("ID_ZAKONA");
    const std::string filter = areaFilter(node, typePosition, typeText);
    if (!filter.empty()) {
        zakoni.setFilter(filter);
        zakoni.setFiltered(true);
    }
    const int count = zakoni.recordCount();
    fill.noneSelected = count == 0;
    if (count > 0) {
        Pacer pace(monitor);
        pace.setRange(count);
        for (zakoni.first(); !zakoni.eof(); zakoni.next()) {
            if (pace.stopRequested()) {
                fill.stopped = true;
                break;
            }
            pace.pump();
            pace.step(1);
            const Regulation r = currentRegulation(zakoni);
            if (archive.successor(r.id) != 0) {
                continue;
            }
            fill.rows.push_back(regulationRow(r, archive, {r.bg}));
        }
    }
    keep.restore();
    return fill;
}

Rows phraseSearch(const Rows& saved, std::string_view phrase) {
    return filterByTitle(saved, phrase);
}

}  // namespace search
