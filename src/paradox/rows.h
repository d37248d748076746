#pragma once
// Paradox tables as rows of the engine: a table file read as an update's
// merge source (engine::RowSource), and the values of the two sides turned
// into each other.
#include <filesystem>
#include <memory>

#include "engine/rowsource.h"
#include "paradox/types.h"

namespace paradox {

// Opens a table file, with its memo file beside it (extension MB in any
// case), as a row source. The table is named by its file ("TB_Zakoni.DB" is
// TB_Zakoni), as the engine names a Paradox table; the fields are their
// engine fields (FieldInfo::engineField) in table order, and the values
// follow them by position. Throws engine::Error when the table is missing,
// damaged, encrypted or of a kind we do not read, and from next() when a
// record turns out damaged.
std::unique_ptr<engine::RowSource> openRowSource(const std::filesystem::path& tableFile);

// A value read from a table as the merge takes it: integers and reals as
// numbers, texts and blobs as bytes, blank as blank.
engine::SourceValue sourceValue(const Value& value);

// A row's value for the writer: bytes as text for a String field and as a
// blob otherwise, numbers as they are.
Value paradoxValue(const engine::SourceValue& value, const engine::FieldDef& field);

}  // namespace paradox
