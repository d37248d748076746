#include "viewer/relations.h"

#include <algorithm>
#include <limits>

#include "database/datasets.h"
#include "database/filters.h"
#include "database/schema.h"
#include "search/keep.h"
#include "search/opinions.h"

namespace viewer {
namespace {

namespace pos = database::pos;

// The link rows that pass filter, in table order: their opinion position and
// their regulation key.
struct LinkRow {
    long long opinion;
    long long regulation;
};

std::vector<LinkRow> linkRows(engine::Table& link, const std::string& filter) {
    if (!link.active()) {
        link.open();
    }
    search::KeepDataset keep(link);
    search::standalone(link);
    link.setFilter(filter);
    link.setFiltered(true);
    std::vector<LinkRow> rows;
    for (link.first(); !link.eof(); link.next()) {
        rows.push_back(
            {link.field(pos::kLinkMisljenje).asInteger(), link.field(pos::kLinkZakon).asInteger()});
    }
    keep.restore();
    return rows;
}

std::optional<long long> currentKey(const engine::Table& table, int field) {
    if (!table.active() || table.isEmpty()) {
        return std::nullopt;
    }
    return table.field(field).asInteger();
}

}  // namespace

RelationLookup::RelationLookup(database::MainData& data)
    : data_(data), opinions_(data.misljenja.session(), "relacijemisljenja") {
    opinions_.setDatabaseName(database::kAlias);
    opinions_.setTableName(database::kMisljenja);
    opinions_.setReadOnly(true);
    opinions_.setIndexName(database::kIndexDrugi);
}

RelationLookup::~RelationLookup() = default;

std::optional<long long> RelationLookup::shownRegulation() const {
    return currentKey(data_.Zakoni, pos::kZakoniId);
}

std::optional<long long> RelationLookup::shownOpinion() const {
    return currentKey(data_.misljenja, pos::kMisljenjaBroj);
}

std::vector<Relation> RelationLookup::opinionsOf(long long idZakona) {
    const std::vector<LinkRow> links =
        linkRows(data_.link, database::filters::linkByRegulation(idZakona));
    std::vector<Relation> out;
    if (links.empty()) {
        return out;
    }
    if (!opinions_.active()) {
        opinions_.open();
    }
    for (const LinkRow& row : links) {
        opinions_.first();
        if (opinions_.isEmpty()) {
            out.push_back({});
            continue;
        }
        // Past the last opinion the cursor stays on the last.
        opinions_.moveBy(static_cast<int>(
            std::clamp<long long>(row.opinion, 0, std::numeric_limits<int>::max())));
        out.push_back({opinions_.field(pos::kMisljenjaNaziv).asString(),
                       search::opinionDate(opinions_.field(pos::kMisljenjaDan).asInteger(),
                                           opinions_.field(pos::kMisljenjaMesec).asInteger(),
                                           opinions_.field(pos::kMisljenjaGodina).asInteger())});
    }
    return out;
}

std::vector<Relation> RelationLookup::regulationsOf(long long brojMisljenja) {
    const std::vector<LinkRow> links =
        linkRows(data_.link, database::filters::linkByOpinion(brojMisljenja));
    std::vector<Relation> out;
    if (links.empty()) {
        return out;
    }
    engine::Table& look = data_.lookzakoni;
    search::KeepDataset keep(look);
    search::standalone(look);
    for (const LinkRow& row : links) {
        look.setFilter(database::filters::zakoniById(row.regulation));
        look.setFiltered(true);
        look.first();
        if (look.isEmpty()) {
            out.push_back({});
        } else {
            out.push_back(
                {look.field(pos::kZakoniNaziv).asString(), look.field(pos::kZakoniBg).asString()});
        }
    }
    keep.restore();
    return out;
}

}  // namespace viewer
