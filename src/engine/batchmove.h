#pragma once
// Batch move: append-or-update of a destination table from a source table.
#include <memory>

#include "engine/rowsource.h"
#include "engine/table.h"

namespace engine {

struct BatchMoveResult {
    int appended = 0;
    int updated = 0;
    int skipped = 0;  // records that could not be written; not reported further
};

// Copies every row of source (in its order) into destination, which must be
// open and writable (an edit in progress there is posted first). A source row
// whose values for the destination's active index fields match a destination
// row (blank matching blank; the first such row, in storage order) replaces
// that row; any other row is appended. Fields map by position: source field i
// into destination field i, converted to its type (extra source fields are
// ignored, missing ones left blank). Rows that cannot be written (key
// violations, values the field cannot hold) are skipped. The whole move is
// one transaction; open tables on the destination see the result after it.
// A closed source is opened for the move and closed again. Throws Error when
// the source cannot be read or the database fails; nothing is written then.
BatchMoveResult batchMoveAppendUpdate(Table& source, Table& destination);

// The rows of an open table, from its first row, as a row source (numbers
// as numbers, other fields as their bytes, blanks blank).
std::unique_ptr<RowSource> rowsOf(Table& table);

// The same move from a table read outside the database (an update file).
// Throws Error when the source fails to read; nothing is written then.
BatchMoveResult batchMoveAppendUpdate(RowSource& source, Table& destination);

}  // namespace engine
