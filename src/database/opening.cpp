#include "database/opening.h"

#include "database/datasets.h"
#include "database/filters.h"

namespace database {
namespace {

void followGlavna(MainData& data, const std::string& glavnaFilter, bool clearFilter) {
    data.Zakoni.setMasterSource(&data.Glavna);
    data.Zakoni.setMasterFields("ID_BROJA");
    // The same filter set again would move Glavna to its first row.
    if (data.Glavna.filter() != glavnaFilter) {
        data.Glavna.setFilter(glavnaFilter);
    }
    data.Zakoni.setIndexFieldNames("ID_ZAKONA");
    if (clearFilter) {
        data.Zakoni.setFilter("");
    }
}

}  // namespace

Opening openRegulation(MainData& data, const std::string& title,
                       const std::optional<std::string>& bg, bool quickOpen,
                       const std::function<void()>& show) {
    const std::string glavnaFilter = data.Glavna.filter();
    data.Zakoni.setMasterFields("");
    data.Zakoni.setFilter(bg ? filters::zakoniByTitleAndBg(title, *bg)
                             : filters::zakoniByTitle(title));
    data.Zakoni.setFiltered(true);
    data.Zakoni.first();
    // A quick-open title that no regulation has (an opinion's, say) stops
    // here; Zakoni still follows Glavna again afterwards.
    if (quickOpen && data.Zakoni.isEmpty()) {
        followGlavna(data, glavnaFilter, true);
        return Opening::NoRegulation;
    }
    try {
        show();
    } catch (...) {
        followGlavna(data, glavnaFilter, quickOpen);
        throw;
    }
    followGlavna(data, glavnaFilter, quickOpen);
    return Opening::Shown;
}

}  // namespace database
