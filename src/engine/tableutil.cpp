#include "engine/tableutil.h"

#include <set>

#include "engine/session.h"
#include "engine/sqlite_util.h"
#include "engine/tabledef_codec.h"

namespace engine {

using detail::execSql;
using detail::quoteIdent;
using detail::Stmt;

namespace {

// The SQLite columns of a table, in their order.
std::vector<std::string> storedColumns(sqlite3* h, const TableDef& def) {
    std::vector<std::string> columns;
    Stmt info(h, "PRAGMA table_info(" + quoteIdent(def.name) + ")");
    while (info.step()) {
        columns.push_back(info.columnBytes(1));
    }
    return columns;
}

bool columnsMatch(sqlite3* h, const TableDef& def) {
    auto columns = storedColumns(h, def);
    auto order = detail::storageOrder(def);
    bool same = columns.size() == order.size();
    for (size_t i = 0; same && i < columns.size(); ++i) {
        same = columns[i] == def.fields[order[i]].name;
    }
    return same;
}

// Deletes every row whose key repeats the key of an earlier row (storage
// order); rows with a blank key field never clash, as in a unique index.
void dropRepeatedKeys(sqlite3* h, const TableDef& def, const std::vector<std::string>& key,
                      bool foldCase) {
    std::string partition, present;
    for (const auto& name : key) {
        const FieldDef& f = def.fields[static_cast<size_t>(detail::findFieldIndex(def, name))];
        std::string col = quoteIdent(f.name);
        bool folded = foldCase && f.type == FieldType::String;
        partition += (partition.empty() ? "" : ", ") + col + (folded ? " COLLATE NOCASE" : "");
        present += (present.empty() ? "" : " AND ") + col + " IS NOT NULL";
    }
    std::string table = quoteIdent(def.name);
    execSql(h, "DELETE FROM " + table +
                   " WHERE rowid IN (SELECT rowid FROM (SELECT rowid, "
                   "row_number() OVER (PARTITION BY " +
                   partition + " ORDER BY rowid) AS n FROM " + table + " WHERE " + present +
                   ") WHERE n > 1)");
}

void rebuildInPlace(sqlite3* h, const TableDef& def) {
    std::vector<std::string> indexes;
    Stmt list(h,
              "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ? AND "
              "sql IS NOT NULL");
    list.bindText(1, def.name);
    while (list.step()) {
        indexes.push_back(list.columnBytes(0));
    }
    list.reset();
    for (const auto& name : indexes) {
        execSql(h, "DROP INDEX " + quoteIdent(name));
    }
    if (!def.primaryKey.empty()) {
        dropRepeatedKeys(h, def, def.primaryKey, false);
    }
    for (const auto& index : def.indexes) {
        if (index.unique) {
            dropRepeatedKeys(h, def, index.fields, index.caseInsensitive);
        }
    }
    for (const auto& sql : detail::createIndexSql(def, def.name, def.name)) {
        execSql(h, sql);
    }
}

// Copies the rows into a fresh table laid out by the definition.
void rebuildByCopy(sqlite3* h, const TableDef& def) {
    const std::string name = quoteIdent(def.name);
    const std::string scratch = def.name + "#rebuild";
    // The unique keys filter the copied rows; the others are made afterwards.
    TableDef uniqueKeys = def;
    std::erase_if(uniqueKeys.indexes, [](const IndexDef& i) { return !i.unique; });
    std::string cols;
    for (const auto& f : def.fields) {
        cols += ", " + quoteIdent(f.name);
    }
    execSql(h, "DROP TABLE IF EXISTS " + quoteIdent(scratch));
    execSql(h, detail::createTableSql(def, scratch));
    for (const auto& sql : detail::createIndexSql(uniqueKeys, scratch, scratch)) {
        execSql(h, sql);
    }
    execSql(h, "INSERT OR IGNORE INTO " + quoteIdent(scratch) + " (rowid" + cols +
                   ") SELECT rowid" + cols + " FROM " + name + " ORDER BY rowid");
    execSql(h, "DROP TABLE " + name);
    execSql(h, "ALTER TABLE " + quoteIdent(scratch) + " RENAME TO " + name);
    for (const auto& index : detail::indexSqlNames(uniqueKeys, scratch)) {
        execSql(h, "DROP INDEX " + quoteIdent(index));
    }
    for (const auto& sql : detail::createIndexSql(def, def.name, def.name)) {
        execSql(h, sql);
    }
}

}  // namespace

VerifyResult verifyTable(Database& db, const std::string& table) {
    const TableDef& def = db.tableDef(table);
    sqlite3* h = db.handle();
    VerifyResult result;
    auto problem = [&](const std::string& text) {
        result.ok = false;
        result.report += (result.report.empty() ? "" : "\n") + text;
    };

    // Storage of the table and its indexes.
    Stmt check(h, "PRAGMA integrity_check(" + quoteIdent(def.name) + ")");
    while (check.step()) {
        std::string line = check.columnBytes(0);
        if (line != "ok") {
            problem(line);
        }
    }

    // The columns and indexes the definition promises.
    if (!columnsMatch(h, def)) {
        problem("the columns of " + def.name + " differ from its definition");
    }
    std::set<std::string> present;
    Stmt indexes(h, "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ?");
    indexes.bindText(1, def.name);
    while (indexes.step()) {
        present.insert(indexes.columnBytes(0));
    }
    for (const auto& name : detail::indexSqlNames(def, def.name)) {
        if (present.count(name) == 0) {
            problem("index " + name + " is missing");
        }
    }
    return result;
}

void rebuildTable(Database& db, const std::string& table) {
    const TableDef def = db.tableDef(table);
    sqlite3* h = db.handle();
    try {
        Database::Transaction tx(db);
        // Rowids stay as they are either way, so open tables keep their rows.
        if (columnsMatch(h, def)) {
            rebuildInPlace(h, def);
        } else {
            rebuildByCopy(h, def);
        }
        tx.commit();
    } catch (const Error& e) {
        throw Error("Cannot rebuild table " + def.name + ": " + e.what());
    }
    db.noteChange();
}
}  // namespace engine
