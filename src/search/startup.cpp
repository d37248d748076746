#include "search/startup.h"

#include "database/datasets.h"
#include "database/schema.h"
#include "engine/table.h"
#include "search/catalog.h"
#include "search/keep.h"
#include "search/opinions.h"
#include "search/tables.h"

namespace search {

namespace pos = database::pos;

namespace {

// The names of a lookup table in stored order, one step per row from row
// `from` on.
std::vector<std::string> names(engine::Table& table, int field, Monitor& monitor, int from) {
    KeepDataset keep(table);
    standalone(table);
    std::vector<std::string> result;
    int row = 0;
    for (table.first(); !table.eof(); table.next(), ++row) {
        result.push_back(table.field(field).asString());
        if (row >= from) {
            monitor.step(1);
        }
    }
    keep.restore();
    return result;
}

long long unfilteredCount(engine::Table& table) {
    KeepDataset keep(table);
    standalone(table);
    const long long n = table.recordCount();
    keep.restore();
    return n;
}

}  // namespace

long long startupProgressMax(database::MainData& data) {
    return unfilteredCount(data.vrstezakona) + unfilteredCount(data.oblasti) +
           unfilteredCount(data.ministarstva) + unfilteredCount(data.Glasnici) +
           unfilteredCount(data.Glavna);
}

int archiveListIcon(long long previous, long long next) {
    if (next > 0) {
        return lists::kArchived;
    }
    if (next == 0 && previous > 0) {
        return lists::kDocument;
    }
    return -1;
}

StartupFill poubacuj(database::MainData& data, Monitor& monitor) {
    StartupFill fill;
    monitor.setRange(startupProgressMax(data));
    monitor.step(5);

    fill.types = names(data.vrstezakona, pos::kTipoviNaziv, monitor, 0);
    fill.areas = names(data.oblasti, pos::kKategorijeNaziv, monitor, 1);
    applyMinistry(data, std::nullopt);
    fill.ministries = names(data.ministarstva, pos::kMinistarstvaIme, monitor, 0);

    const std::vector<Gazette> gazettes = readGazettes(data);
    for (const Gazette& g : gazettes) {
        monitor.pump();
        fill.gazettes.push_back(g.name);
        monitor.step(1);
    }
    const GazetteNames gazetteNames(gazettes);
    const ArchiveLinks archive = ArchiveLinks::read(data);

    // One pass over the publication rows feeds both lists.
    engine::Table& glavna = data.Glavna;
    engine::Table& zakoni = data.Zakoni;
    KeepDataset keepZakoni(zakoni);
    glavna.setFiltered(false);
    followGlavna(data);
    const int gazetteField = glavna.fieldByName("ID_GLASNIKA").index();
    // The same pass records the keyword search's catalog.
    Catalog::Recorder catalog(data);
    for (glavna.first(); !glavna.eof(); glavna.next()) {
        const Regulation r = currentRegulation(zakoni);
        const engine::Field gazette = glavna.field(gazetteField);
        fill.results.push_back(
            regulationRow(r, archive, {gazetteNames.name(gazette.asInteger()), r.bg}));
        catalog.add(catalogRow(r, fill.results.back(), gazette));
        const VersionLinks* links = r.present ? archive.find(r.id) : nullptr;
        if (links != nullptr) {
            const int icon = archiveListIcon(links->previous, links->next);
            if (icon >= 0) {
                fill.archive.push_back(Row{r.title, {r.bg}, icon});
            }
        }
        monitor.step(1);
    }
    catalog.finish();
    keepZakoni.restore();
    return fill;
}

}  // namespace search
