#include "engine/tableutil.h"

#include <set>

#include "engine/session.h"
#include "engine/sqlite_util.h"
#include "engine/tabledef_codec.h"

namespace engine {

using detail::execSql;
using detail::quoteIdent;
using detail::Stmt;

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
    std::vector<std::string> columns;
    Stmt info(h, "PRAGMA table_info(" + quoteIdent(def.name) + ")");
    while (info.step()) {
        columns.push_back(info.columnBytes(1));
    }
    bool sameColumns = columns.size() == def.fields.size();
    for (size_t i = 0; sameColumns && i < columns.size(); ++i) {
        sameColumns = columns[i] == def.fields[i].name;
    }
    if (!sameColumns) {
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
    const std::string name = quoteIdent(def.name);
    const std::string scratch = def.name + "#rebuild";
    // The unique keys filter the copied rows; the others are made afterwards.
    TableDef uniqueKeys = def;
    std::erase_if(uniqueKeys.indexes, [](const IndexDef& i) { return !i.unique; });
    std::string cols;
    for (const auto& f : def.fields) {
        cols += ", " + quoteIdent(f.name);
    }
    try {
        Database::Transaction tx(db);
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
        tx.commit();
    } catch (const Error& e) {
        throw Error("Cannot rebuild table " + def.name + ": " + e.what());
    }
    db.noteChange();
}

}  // namespace engine
