#pragma once
// The data of the gazette tree: the gazettes, the years of a gazette, the
// issues of a year, and the list rows for a gazette, year or issue node.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "search/rows.h"
#include "search/tables.h"

namespace database {
struct MainData;
}

namespace search {

// Every gazette in ascending ID_GLASNIKA order (the tree's top level and the
// keyword search's gazette chooser after "Sva glasila").
std::vector<Gazette> gazetteList(database::MainData& data);

// The ID_GLASNIKA of the first gazette with this name (not case-sensitive
// for A-Z, as the tree's nodes are resolved); none when no gazette has it.
std::optional<long long> gazetteByName(database::MainData& data, std::string_view name);

// The distinct non-empty years of a gazette's publication rows (duplicates
// told apart without regard to A-Z case), sorted ascending as text.
std::vector<std::string> gazetteYears(database::MainData& data, long long gazette);

// The distinct non-empty issues of a gazette's year, in issue order (the
// numeric issue comparison; equal ones keep the order they were read in).
std::vector<std::string> gazetteIssues(database::MainData& data, long long gazette,
                                       std::string_view year);

// A node of the tree: a gazette, a year of it, or an issue of that year.
struct TreeNode {
    long long gazette = 0;
    std::optional<std::string> year;
    std::optional<std::string> issue;  // only with a year
};

// The node's regulations in the stored order of their publication rows:
// icon by the row icon rule, caption the title, sub-item BG. Glavna and
// Zakoni get their settings back.
Rows nodeRows(database::MainData& data, const TreeNode& node);

}  // namespace search
