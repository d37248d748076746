#pragma once
// Table definitions as the database file keeps them, and the SQL that
// creates a table and its indexes from a definition.
#include <optional>
#include <string>
#include <vector>

#include "engine/types.h"

namespace engine::detail {

// Throws Error when a name is empty or unusable, a field repeats, or a key
// or index names a field the table lacks.
void validateDefinition(const TableDef& def);

std::string encodeDefinition(const TableDef& def);
// Throws Error when the stored text is damaged.
TableDef decodeDefinition(const std::string& name, const std::string& text);

// Position of a field by name (not case-sensitive), or -1.
int findFieldIndex(const TableDef& def, const std::string& name);
// The index of that name (not case-sensitive), or nullptr.
const IndexDef* findIndex(const TableDef& def, const std::string& name);

// The order of the SQLite columns: text and number fields first, memo and
// graphic fields last, each group in field order. Small fields then sit at
// the start of a record, so reading them never walks past large texts.
std::vector<size_t> storageOrder(const TableDef& def);

// SQL for the table itself, under the given SQLite name.
std::string createTableSql(const TableDef& def, const std::string& sqlName);
// One CREATE INDEX statement per key: the primary key first (a unique index),
// then the secondary indexes. Index names are derived from indexTableName.
std::vector<std::string> createIndexSql(const TableDef& def, const std::string& sqlTable,
                                        const std::string& indexTableName);
// The SQLite names of the indexes createIndexSql makes.
std::vector<std::string> indexSqlNames(const TableDef& def, const std::string& indexTableName);

// Upper-cases A-Z only.
std::string upperAscii(const std::string& text);
bool equalsNoCase(const std::string& a, const std::string& b);

// Splits "A;B; C" into trimmed names (empty parts dropped).
std::vector<std::string> splitFieldList(const std::string& list);

}  // namespace engine::detail
