#pragma once
// A table read from outside the database, row by row: the source of an
// update's merge. Each kind of table file (SQLite, Paradox) gives its fields
// and rows through this one interface; the batch move reads nothing else.
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "engine/types.h"

namespace engine {

// One stored value: blank, an integer, a number, or bytes (text, memo,
// picture). The batch move converts it to the destination field's type.
using SourceValue = std::variant<std::monostate, long long, double, std::string>;

class RowSource {
  public:
    virtual ~RowSource() = default;

    // The table's name as the file stores it.
    virtual const std::string& tableName() const = 0;
    // The fields in table order; positions are what the merge maps by.
    virtual const std::vector<FieldDef>& fields() const = 0;

    // Reads the next row (the first on the first call) into row, one value
    // per field in field order. False past the last row. Throws Error when
    // the file cannot be read; rows read before stay valid.
    virtual bool next(std::vector<SourceValue>& row) = 0;
};

}  // namespace engine
