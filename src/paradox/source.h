#pragma once
// The reading side of a table as its users need it: the field list and a
// cursor over the rows in stored order. An importer or a merge reads any
// table through this, whatever file holds it.
#include <vector>

#include "paradox/types.h"

namespace paradox {

class TableSource {
  public:
    virtual ~TableSource() = default;

    // The fields in table order.
    virtual const std::vector<FieldInfo>& fields() const = 0;
    // The number of records the table says it holds.
    virtual long long recordCount() const = 0;
    // Reads the next record into row (one value per field); false after the
    // last. Throws Error when the table turns out damaged; the cursor is
    // then spent.
    virtual bool next(std::vector<Value>& row) = 0;
};

}  // namespace paradox
