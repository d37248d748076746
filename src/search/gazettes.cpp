#include "search/gazettes.h"

#include <algorithm>

#include "database/datasets.h"
#include "database/filters.h"
#include "database/lookups.h"
#include "database/schema.h"
#include "engine/table.h"
#include "search/keep.h"
#include "search/words.h"

namespace search {

namespace filters = database::filters;

std::vector<Gazette> gazetteList(database::MainData& data) {
    return readGazettes(data);
}

std::optional<long long> gazetteByName(database::MainData& data, std::string_view name) {
    engine::Table& glasnici = data.Glasnici;
    KeepDataset keep(glasnici);
    standalone(glasnici);
    glasnici.setIndexFieldNames("ID_GLASNIKA");
    glasnici.setFilter(filters::glasniciByName(name));
    glasnici.setFiltered(true);
    glasnici.first();
    std::optional<long long> id;
    if (!glasnici.isEmpty()) {
        id = glasnici.fieldByName("ID_GLASNIKA").asInteger();
    }
    keep.restore();
    return id;
}

namespace {

// The distinct non-empty values of a Glavna field under a filter, in the
// order read; duplicates told apart without regard to A-Z case.
std::vector<std::string> distinctValues(database::MainData& data, const std::string& filter,
                                        const char* field) {
    engine::Table& glavna = data.Glavna;
    KeepDataset keep(glavna);
    glavna.setFilter(filter);
    glavna.setFiltered(true);
    const int index = glavna.fieldByName(field).index();
    std::vector<std::string> values;
    std::vector<std::string> folded;
    for (glavna.first(); !glavna.eof(); glavna.next()) {
        std::string value = glavna.field(index).asString();
        std::string key = foldAZ(value);
        if (!value.empty() && std::find(folded.begin(), folded.end(), key) == folded.end()) {
            folded.push_back(std::move(key));
            values.push_back(std::move(value));
        }
    }
    keep.restore();
    return values;
}

std::vector<std::string> ordered(const std::vector<std::string>& values,
                                 int (*cmp)(const std::string&, const std::string&)) {
    const std::vector<size_t> order = lists::stableOrder(
        values.size(), [&](size_t a, size_t b) { return cmp(values[a], values[b]); });
    std::vector<std::string> result;
    for (size_t i : order) {
        result.push_back(values[i]);
    }
    return result;
}

int issueOrder(const std::string& a, const std::string& b) {
    return database::compare(a, b);
}

}  // namespace

std::vector<std::string> gazetteYears(database::MainData& data, long long gazette) {
    return ordered(
        distinctValues(data, filters::brojeviByGazetteForTree(gazette), "godina_stampanja"),
        &lists::compareText);
}

std::vector<std::string> gazetteIssues(database::MainData& data, long long gazette,
                                       std::string_view year) {
    return ordered(
        distinctValues(data, filters::brojeviByGazetteYearForTree(gazette, year), "broj"),
        &issueOrder);
}

Rows nodeRows(database::MainData& data, const TreeNode& node) {
    std::string filter;
    if (!node.year) {
        filter = filters::brojeviByGazette(node.gazette);
    } else if (!node.issue) {
        filter = filters::brojeviByGazetteYear(node.gazette, *node.year);
    } else {
        filter = filters::brojeviByGazetteYearIssue(node.gazette, *node.year, *node.issue);
    }
    const ArchiveLinks archive = ArchiveLinks::read(data);
    engine::Table& glavna = data.Glavna;
    KeepDataset keepGlavna(glavna);
    KeepDataset keepZakoni(data.Zakoni);
    glavna.setFilter(filter);
    glavna.setFiltered(true);
    followGlavna(data);
    Rows rows;
    for (glavna.first(); !glavna.eof(); glavna.next()) {
        const Regulation r = currentRegulation(data.Zakoni);
        rows.push_back(regulationRow(r, archive, {r.bg}));
    }
    keepZakoni.restore();
    keepGlavna.restore();
    return rows;
}

}  // namespace search
