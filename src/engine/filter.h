#pragma once
// The filter language of the table datasets (see table.h): parsing into a
// tree, and turning the tree into an SQL condition with bound values.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/types.h"
#include "engine/value.h"

namespace engine::detail {

enum class CompareOp { Eq, Ne, Lt, Gt, Le, Ge };

struct FilterNode {
    enum class Kind { Compare, And, Or };
    Kind kind = Kind::Compare;
    // Compare
    std::string field;
    size_t fieldPos = 0;
    CompareOp op = CompareOp::Eq;
    bool quoted = false;
    std::string value;  // the quoted text without quotes, or the number as written
    size_t valuePos = 0;
    // And, Or
    std::vector<FilterNode> children;
};

// nullopt for a text of blanks only (no filter). Throws FilterError.
std::optional<FilterNode> parseFilter(const std::string& text);

struct SqlCondition {
    std::string sql;           // with anonymous '?' parameters
    std::vector<Cell> params;  // in the order of the parameters
};

// Resolves field names and value types against the table. Throws FilterError
// for unknown fields, values that do not fit their field, and fields that
// cannot be compared.
SqlCondition compileFilter(const FilterNode& node, const TableDef& def, bool caseInsensitive);

}  // namespace engine::detail
