#include "search/keep.h"

#include "engine/table.h"

namespace search {

KeepDataset::KeepDataset(engine::Table& table)
    : table_(table),
      master_(table.masterSource()),
      masterFields_(table.masterFields()),
      indexName_(table.indexName()),
      indexFieldNames_(table.indexFieldNames()),
      filter_(table.filter()),
      filtered_(table.filtered()) {}

KeepDataset::~KeepDataset() {
    if (restored_) {
        return;
    }
    try {
        restore();
    } catch (const engine::Error&) {
        // Settings that were valid before fail to come back only on a table
        // closed meanwhile; there is nothing to report while unwinding.
    }
}

void KeepDataset::restore() {
    restored_ = true;
    engine::Table& t = table_;
    // Cut the link first: the order and the master it was made for come back
    // before it does.
    t.setMasterFields("");
    t.setMasterSource(master_);
    if (!indexFieldNames_.empty()) {
        t.setIndexFieldNames(indexFieldNames_);
    } else {
        t.setIndexName(indexName_);
    }
    t.setMasterFields(masterFields_);
    if (t.filter() != filter_) {
        t.setFilter(filter_);
    }
    t.setFiltered(filtered_);
}

void standalone(engine::Table& table) {
    table.setMasterFields("");
    table.setFiltered(false);
}

}  // namespace search
