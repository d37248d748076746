#include "search/catalog.h"

#include <unordered_map>

#include "database/datasets.h"
#include "engine/session.h"
#include "engine/table.h"
#include "search/tables.h"
#include "yuscii/yuscii.h"

namespace search {

namespace {

// A catalog kept for one MainData. The token lives in a listener of the
// datasets' Glavna: it dies with the datasets (so a new MainData at the
// same address finds nothing) and turns false when Glavna is opened or
// closed.
struct Slot {
    std::weak_ptr<bool> valid;
    std::shared_ptr<const Catalog> catalog;
    const engine::Database* database = nullptr;
    unsigned long long change = 0;
};

std::unordered_map<const database::MainData*, Slot>& slots() {
    static std::unordered_map<const database::MainData*, Slot> map;
    return map;
}

}  // namespace

CatalogRow catalogRow(const Regulation& r, Row row, const engine::Field& gazette) {
    CatalogRow c;
    c.row = std::move(row);
    c.upperTitle = yuscii::yupperW(r.title);
    c.id = r.id;
    c.present = r.present;
    if (!gazette.isNull()) {
        try {
            c.gazette = gazette.asFloat();
        } catch (const engine::Error&) {
            // Text that is no number equals no gazette number.
        }
    }
    return c;
}

std::shared_ptr<const Catalog> Catalog::find(database::MainData& data) {
    auto& map = slots();
    auto it = map.find(&data);
    if (it == map.end()) {
        return nullptr;
    }
    const std::shared_ptr<bool> valid = it->second.valid.lock();
    if (!valid) {
        map.erase(it);
        return nullptr;
    }
    const Slot& slot = it->second;
    if (!*valid || !data.Glavna.active() || &data.Glavna.database() != slot.database ||
        slot.database->changeCount() != slot.change) {
        return nullptr;
    }
    return slot.catalog;
}

Catalog::Recorder::Recorder(database::MainData& data)
    : data_(data),
      catalog_(std::make_shared<Catalog>()),
      change_(data.Glavna.database().changeCount()) {}

void Catalog::Recorder::add(CatalogRow row) {
    catalog_->rows_.push_back(std::move(row));
}

void Catalog::Recorder::finish() {
    engine::Database& db = data_.Glavna.database();
    if (db.changeCount() != change_) {
        return;  // written during the walk: the rows may be mixed
    }
    auto& map = slots();
    std::erase_if(map, [](const auto& entry) { return entry.second.valid.expired(); });
    Slot& slot = map[&data_];
    std::shared_ptr<bool> valid = slot.valid.lock();
    if (!valid) {
        valid = std::make_shared<bool>(true);
        data_.Glavna.addListener([valid](engine::Table&, engine::Event event) {
            if (event == engine::Event::Opened || event == engine::Event::Closed) {
                *valid = false;
            }
        });
        slot.valid = valid;
    }
    *valid = true;
    slot.catalog = catalog_;
    slot.database = &db;
    slot.change = change_;
}

}  // namespace search
