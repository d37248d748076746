#include <sqlite3.h>

#include <algorithm>
#include <filesystem>

#include "engine/session.h"
#include "engine/sqlite_util.h"
#include "engine/tabledef_codec.h"
#include "platform/files.h"

namespace engine {

using detail::execSql;
using detail::quoteIdent;
using detail::Stmt;

namespace {

constexpr const char* kMetaSql =
    "CREATE TABLE IF NOT EXISTS korvet_meta (key TEXT PRIMARY KEY, value TEXT);"
    "CREATE TABLE IF NOT EXISTS korvet_tables (seq INTEGER PRIMARY KEY, "
    "name TEXT NOT NULL UNIQUE COLLATE NOCASE, definition TEXT NOT NULL);";

sqlite3* openConnection(const std::string& path, int flags) {
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close_v2(db);
        throw Error("Cannot open database " + platform::printable(path) + ": " + message);
    }
    sqlite3_extended_result_codes(db, 0);
    sqlite3_busy_timeout(db, 5000);
    // Files come from outside (update archives): run no code their schema
    // might carry, and keep the schema itself out of reach of plain SQL.
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    // A double-quoted name of a missing column is an error, never a text.
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    try {
        detail::registerSideFunctions(db);
    } catch (const Error&) {
        sqlite3_close_v2(db);
        throw;
    }
    return db;
}

bool hasSchemaTable(sqlite3* db, const char* name) {
    Stmt stmt(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
    stmt.bindText(1, name);
    return stmt.step();
}

}  // namespace

Database::Database(std::string path, sqlite3* db) : path_(std::move(path)), db_(db) {}

Database::~Database() {
    sqlite3_close_v2(db_);
}

std::unique_ptr<Database> Database::openFile(const std::string& path, const Session* session,
                                             bool readOnly) {
    // A file that is not there or empty is no database: opening must not
    // turn it into one (SQLite would, at the first write).
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    const char* problem = !std::filesystem::exists(status)            ? "the file does not exist"
                          : !std::filesystem::is_regular_file(status) ? "it is no file"
                          : std::filesystem::file_size(path, ec) == 0 ? "the file is empty"
                                                                      : nullptr;
    if (problem != nullptr) {
        throw Error("Cannot open database " + platform::printable(path) + ": " + problem);
    }
    sqlite3* handle = openConnection(path, readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    std::unique_ptr<Database> db(new Database(path, handle));
    db->guard_ = std::make_unique<detail::WorkGuard>();
    detail::guardWork(handle, *db->guard_);
    try {
        if (!hasSchemaTable(handle, "korvet_tables") || !hasSchemaTable(handle, "korvet_meta")) {
            throw Error("not a table file of this program");
        }
        Stmt stmt(handle, "SELECT value FROM korvet_meta WHERE key = 'password'");
        if (stmt.step()) {
            std::string password = stmt.columnBytes(0);
            if (!password.empty() && (session == nullptr || !session->knowsPassword(password))) {
                throw Error("the tables are protected by a password the session does not know");
            }
        }
        db->loadDefinitions();
    } catch (const Error& e) {
        throw Error("Cannot open database " + platform::printable(path) + ": " + e.what());
    }
    return db;
}

std::unique_ptr<Database> Database::create(const std::string& path, const CreateOptions& options) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        throw Error("Cannot create database " + platform::printable(path) + ": the file exists");
    }
    sqlite3* handle = openConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    std::unique_ptr<Database> db(new Database(path, handle));
    try {
        execSql(handle, kMetaSql);
        if (!options.masterPassword.empty()) {
            Stmt stmt(handle, "INSERT INTO korvet_meta (key, value) VALUES ('password', ?)");
            stmt.bindText(1, options.masterPassword);
            stmt.step();
        }
    } catch (const Error& e) {
        throw Error("Cannot create database " + platform::printable(path) + ": " + e.what());
    }
    return db;
}

void Database::loadDefinitions() {
    defs_.clear();
    Stmt stmt(db_, "SELECT name, definition FROM korvet_tables ORDER BY seq");
    while (stmt.step()) {
        defs_.push_back(std::make_unique<TableDef>(
            detail::decodeDefinition(stmt.columnBytes(0), stmt.columnBytes(1))));
    }
}

TableDef* Database::findDef(const std::string& name) const {
    for (const auto& def : defs_) {
        if (detail::equalsNoCase(def->name, name)) {
            return def.get();
        }
    }
    return nullptr;
}

std::vector<std::string> Database::tableNames() const {
    std::vector<std::string> names;
    for (const auto& def : defs_) {
        names.push_back(def->name);
    }
    return names;
}

bool Database::hasTable(const std::string& name) const {
    return findDef(name) != nullptr;
}

const TableDef& Database::tableDef(const std::string& name) const {
    const TableDef* def = findDef(name);
    if (def == nullptr) {
        throw Error("Table does not exist: " + platform::printable(name) + " (" +
                    platform::printable(path_) + ")");
    }
    return *def;
}

void Database::checkStored(const TableDef& def) const {
    auto refuse = [&](const std::string& problem) {
        throw Error("The table " + def.name + " in " + platform::printable(path_) + " " + problem);
    };
    Stmt object(db_,
                "SELECT type, sql FROM sqlite_master WHERE name = ? COLLATE NOCASE AND "
                "type IN ('table', 'view')");
    object.bindText(1, def.name);
    if (!object.step()) {
        refuse("is missing from the file");
    }
    const std::string type = object.columnBytes(0);
    const std::string sql = detail::upperAscii(object.columnBytes(1).substr(0, 21));
    if (type != "table" || sql.starts_with("CREATE VIRTUAL")) {
        refuse("is no ordinary table");
    }
    // Extra columns and another order are harmless: every read and write
    // names its columns.
    std::vector<std::string> stored;
    Stmt info(db_, "PRAGMA table_info(" + quoteIdent(def.name) + ")");
    while (info.step()) {
        stored.push_back(info.columnBytes(1));
    }
    std::string missing;
    for (const auto& field : def.fields) {
        if (std::none_of(stored.begin(), stored.end(),
                         [&](const auto& c) { return detail::equalsNoCase(c, field.name); })) {
            missing += (missing.empty() ? "" : ", ") + field.name;
        }
    }
    if (!missing.empty()) {
        refuse("lacks the columns " + missing + " of its definition");
    }
}

void Database::createTable(const TableDef& def) {
    detail::validateDefinition(def);
    if (hasTable(def.name)) {
        throw Error("Table already exists: " + def.name);
    }
    Transaction tx(*this);
    try {
        execSql(db_, detail::createTableSql(def, def.name));
        for (const auto& sql : detail::createIndexSql(def, def.name, def.name)) {
            execSql(db_, sql);
        }
        Stmt stmt(db_, "INSERT INTO korvet_tables (name, definition) VALUES (?, ?)");
        stmt.bindText(1, def.name);
        stmt.bindText(2, detail::encodeDefinition(def));
        stmt.step();
    } catch (const Error& e) {
        throw Error("Cannot create table " + def.name + ": " + e.what());
    }
    tx.commit();
    defs_.push_back(std::make_unique<TableDef>(def));
    noteChange();
}

void Database::dropTable(const std::string& name) {
    const TableDef& def = tableDef(name);
    Transaction tx(*this);
    execSql(db_, "DROP TABLE " + quoteIdent(def.name));
    Stmt stmt(db_, "DELETE FROM korvet_tables WHERE name = ?");
    stmt.bindText(1, def.name);
    stmt.step();
    tx.commit();
    std::erase_if(defs_, [&](const auto& d) { return d.get() == &def; });
    noteChange();
}

void Database::exec(const std::string& sql) {
    execSql(db_, sql);
    noteChange();
}

Database::Transaction::Transaction(Database& db) : db_(db) {
    execSql(db_.db_, "SAVEPOINT korvet_tx");
}

Database::Transaction::~Transaction() {
    if (!done_) {
        // Cannot throw here; a failed rollback leaves SQLite to roll back itself.
        detail::enterSqlite();
        sqlite3_exec(db_.db_, "ROLLBACK TO korvet_tx; RELEASE korvet_tx", nullptr, nullptr,
                     nullptr);
    }
}

void Database::Transaction::commit() {
    execSql(db_.db_, "RELEASE korvet_tx");
    done_ = true;
}

}  // namespace engine
