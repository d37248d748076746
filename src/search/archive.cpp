#include "search/archive.h"

#include <algorithm>
#include <string>
#include <vector>

#include "database/datasets.h"
#include "database/filters.h"
#include "database/schema.h"
#include "engine/table.h"
#include "search/keep.h"
#include "search/tables.h"
#include "search/words.h"

namespace search {

namespace filters = database::filters;
namespace pos = database::pos;

Rows archiveTitleSearch(const Rows& saved, std::string_view text) {
    if (text.empty()) {
        return saved;
    }
    return filterByTitle(saved, text);
}

namespace {

void addOnce(std::vector<std::string>& set, std::string value) {
    if (!value.empty() && std::find(set.begin(), set.end(), value) == set.end()) {
        set.push_back(std::move(value));
    }
}

}  // namespace

Rows zbudziarhivu(database::MainData& data, std::string_view title, std::string_view bg) {
    engine::Table& look = data.lookzakoni;
    look.setFilter(filters::zakoniByTitleAndBgArchive(title, bg));
    look.setFiltered(true);
    look.first();
    if (look.isEmpty()) {
        return {};
    }
    const long long id = look.field(pos::kZakoniId).asInteger();

    engine::Table& arhiva = data.arhiva;
    KeepDataset keep(arhiva);
    standalone(arhiva);
    arhiva.setIndexFieldNames("BROJ_ZAKONA");
    arhiva.setFilter(filters::arhivaByNumber(id));
    arhiva.setFiltered(true);
    arhiva.first();
    if (arhiva.isEmpty()) {
        keep.restore();
        return {};
    }
    const long long n = arhiva.field(pos::kArhivaBroj).asInteger();

    // The neighbourhood: the previous and next versions named by every
    // archive row that names n (or is n's own), as text.
    std::vector<std::string> members;
    arhiva.setFilter(filters::arhivaNeighbours(n));
    for (arhiva.first(); !arhiva.eof(); arhiva.next()) {
        addOnce(members, arhiva.field(pos::kArhivaPrethodi).asString());
        addOnce(members, arhiva.field(pos::kArhivaNasledjuje).asString());
    }

    // The archive rows of the members, in ascending BROJ_ZAKONA order.
    struct Version {
        long long id;
        long long next;
    };
    std::vector<Version> versions;
    arhiva.setFiltered(false);
    for (arhiva.first(); !arhiva.eof(); arhiva.next()) {
        const std::string number = arhiva.field(pos::kArhivaBroj).asString();
        if (std::find(members.begin(), members.end(), number) != members.end()) {
            versions.push_back({arhiva.field(pos::kArhivaBroj).asInteger(),
                                arhiva.field(pos::kArhivaNasledjuje).asInteger()});
        }
    }
    keep.restore();

    Rows rows;
    for (const Version& v : versions) {
        look.setFilter(filters::zakoniById(v.id));
        look.first();
        if (look.isEmpty()) {
            continue;  // an archive row without its regulation shows nothing
        }
        rows.push_back(Row{look.field(pos::kZakoniNaziv).asString(),
                           {look.field(pos::kZakoniBg).asString()},
                           v.next > 0 ? lists::kArchived : lists::kDocument});
    }
    return rows;
}

}  // namespace search
