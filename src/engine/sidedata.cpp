#include "engine/sidedata.h"

#include <sqlite3.h>

#include <map>
#include <mutex>
#include <vector>

#include "engine/session.h"
#include "engine/sqlite_util.h"

namespace engine {

using detail::execSql;
using detail::quoteIdent;
using detail::Stmt;

namespace {

constexpr const char* kSideSql =
    "CREATE TABLE IF NOT EXISTS korvet_side_values (name TEXT PRIMARY KEY, value BLOB);"
    "CREATE TABLE IF NOT EXISTS korvet_text_copies (name TEXT PRIMARY KEY, "
    "generation INTEGER NOT NULL, complete INTEGER NOT NULL);"
    "CREATE TABLE IF NOT EXISTS korvet_write_counts (name TEXT PRIMARY KEY COLLATE NOCASE, "
    "count INTEGER NOT NULL);";

const char* const kEvents[] = {"insert", "update", "delete"};

struct Registry {
    std::mutex lock;
    std::map<std::string, TextFunction> functions;
};

Registry& registry() {
    static Registry r;
    return r;
}

TextFunction findFunction(const std::string& name) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    const auto it = r.functions.find(name);
    return it == r.functions.end() ? nullptr : it->second;
}

// korvet_text(function, stored): the registered function's text of the
// stored bytes; NULL when this process has no such function.
void textFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    const auto* name = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const TextFunction fn = name != nullptr ? findFunction(name) : nullptr;
    if (fn == nullptr) {
        sqlite3_result_null(context);
        return;
    }
    const void* bytes = sqlite3_value_blob(argv[1]);
    const int size = sqlite3_value_bytes(argv[1]);
    std::string text;
    try {
        fn(std::string_view(static_cast<const char*>(bytes),
                            bytes != nullptr ? static_cast<size_t>(size) : 0),
           text);
    } catch (const std::exception& e) {
        sqlite3_result_error(context, e.what(), -1);
        return;
    }
    sqlite3_result_blob64(context, text.data(), text.size(), SQLITE_TRANSIENT);
}

bool hasSchemaTable(sqlite3* db, const std::string& name) {
    Stmt stmt(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
    stmt.bindText(1, name);
    return stmt.step();
}

std::optional<long long> integerKey(sqlite3_stmt* stmt, int column) {
    switch (sqlite3_column_type(stmt, column)) {
        case SQLITE_INTEGER:
            return sqlite3_column_int64(stmt, column);
        case SQLITE_FLOAT: {
            const double d = sqlite3_column_double(stmt, column);
            const auto k = static_cast<long long>(d);
            if (d >= -9.0e18 && d <= 9.0e18 && static_cast<double>(k) == d) {
                return k;
            }
            return std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

void checkName(const std::string& name) {
    if (name.empty()) {
        throw Error("a text copy needs a name and a function");
    }
    for (char c : name) {
        const bool ok =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok) {
            throw Error("a text copy's names hold letters, digits and '_' only: " + name);
        }
    }
}

}  // namespace

namespace detail {

void registerSideFunctions(sqlite3* db) {
    check(db,
          sqlite3_create_function_v2(db, "korvet_text", 2,
                                     SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                                     &textFunction, nullptr, nullptr, nullptr),
          "korvet_text");
}

}  // namespace detail

std::optional<std::string> sideValue(Database& db, const std::string& name) {
    sqlite3* h = db.handle();
    if (!hasSchemaTable(h, "korvet_side_values")) {
        return std::nullopt;
    }
    Stmt stmt(h, "SELECT value FROM korvet_side_values WHERE name = ?");
    stmt.bindText(1, name);
    if (!stmt.step()) {
        return std::nullopt;
    }
    return stmt.columnBytes(0);
}

void setSideValue(Database& db, const std::string& name, const std::string& value) {
    sqlite3* h = db.handle();
    Database::Transaction tx(db);
    execSql(h, kSideSql);
    Stmt stmt(h, "INSERT OR REPLACE INTO korvet_side_values (name, value) VALUES (?, ?)");
    stmt.bindText(1, name);
    stmt.bindBlob(2, value);
    stmt.step();
    tx.commit();
}

void registerTextFunction(const std::string& name, TextFunction fn) {
    Registry& r = registry();
    std::lock_guard guard(r.lock);
    r.functions[name] = fn;
}

namespace {

std::string countTrigger(const std::string& table, const char* event) {
    return "korvet_count_" + table + "_" + event;
}

int triggersOn(sqlite3* h, const std::string& table, const std::string& prefix) {
    Stmt stmt(h,
              "SELECT count(*) FROM sqlite_master WHERE type = 'trigger' AND name IN (?, ?, ?) "
              "AND tbl_name = ? COLLATE NOCASE");
    int at = 1;
    for (const char* event : kEvents) {
        stmt.bindText(at++, prefix + "_" + event);
    }
    stmt.bindText(at, table);
    return stmt.step() ? static_cast<int>(stmt.columnInt(0)) : 0;
}

}  // namespace

WriteCount::WriteCount(Database& db, std::string table) : db_(db), table_(std::move(table)) {
    checkName(table_);
}

std::optional<long long> WriteCount::value() const {
    sqlite3* h = db_.handle();
    const std::string name = db_.hasTable(table_) ? db_.tableDef(table_).name : table_;
    if (!hasSchemaTable(h, "korvet_write_counts") ||
        triggersOn(h, name, "korvet_count_" + name) != 3) {
        return std::nullopt;
    }
    Stmt stmt(h, "SELECT count FROM korvet_write_counts WHERE name = ?");
    stmt.bindText(1, name);
    if (!stmt.step()) {
        return std::nullopt;
    }
    return stmt.columnInt(0);
}

void WriteCount::install() {
    sqlite3* h = db_.handle();
    const std::string name = db_.tableDef(table_).name;
    Database::Transaction tx(db_);
    execSql(h, kSideSql);
    Stmt count(h,
               "INSERT INTO korvet_write_counts (name, count) VALUES (?, 1) "
               "ON CONFLICT (name) DO UPDATE SET count = count + 1");
    count.bindText(1, name);
    count.step();
    for (const char* event : kEvents) {
        const std::string trigger = quoteIdent(countTrigger(name, event));
        execSql(h, "DROP TRIGGER IF EXISTS " + trigger);
        std::string upper = event;
        for (char& c : upper) {
            c = static_cast<char>(c - 'a' + 'A');
        }
        execSql(h, "CREATE TRIGGER " + trigger + " AFTER " + upper + " ON " + quoteIdent(name) +
                       " BEGIN UPDATE korvet_write_counts SET count = count + 1 WHERE name = '" +
                       name + "'; END");
    }
    tx.commit();
}

TextCopy::TextCopy(Database& db, TextCopySpec spec)
    : db_(db), spec_(std::move(spec)), storage_("korvet_copy_" + spec_.name) {
    checkName(spec_.name);
    checkName(spec_.function);
}

namespace {

std::string triggerName(const std::string& name, const char* event) {
    return "korvet_copy_" + name + "_" + event;
}

}  // namespace

std::optional<long long> TextCopy::generation() const {
    sqlite3* h = db_.handle();
    if (!hasSchemaTable(h, "korvet_text_copies") || !hasSchemaTable(h, storage_)) {
        return std::nullopt;
    }
    if (triggersOn(h, spec_.table, "korvet_copy_" + spec_.name) != 3) {
        return std::nullopt;
    }
    Stmt state(h, "SELECT generation, complete FROM korvet_text_copies WHERE name = ?");
    state.bindText(1, spec_.name);
    if (!state.step() || state.columnInt(1) != 1) {
        return std::nullopt;
    }
    return state.columnInt(0);
}

bool TextCopy::hasUnknown() const {
    if (!hasSchemaTable(db_.handle(), storage_)) {
        return false;
    }
    Stmt stmt(db_.handle(),
              "SELECT 1 FROM " + quoteIdent(storage_) + " WHERE text IS NULL LIMIT 1");
    return stmt.step();
}

bool TextCopy::refresh(const std::function<bool(long long, long long)>& progress, int step) {
    sqlite3* h = db_.handle();
    const std::string table = quoteIdent(db_.tableDef(spec_.table).name);
    const std::string key = quoteIdent(spec_.keyField);
    const std::string field = quoteIdent(spec_.field);
    const std::string copies = quoteIdent(storage_);
    const std::string fn = "'" + spec_.function + "'";
    const std::string bump =
        "UPDATE korvet_text_copies SET generation = generation + 1 WHERE name = '" + spec_.name +
        "';";
    const std::string store = "INSERT OR REPLACE INTO " + copies +
                              " (row, key, text) VALUES (NEW.rowid, NEW." + key + ", korvet_text(" +
                              fn + ", NEW." + field + "));";
    const std::string forget = "DELETE FROM " + copies + " WHERE row = OLD.rowid;";
    {
        Database::Transaction tx(db_);
        execSql(h, kSideSql);
        execSql(h, "CREATE TABLE IF NOT EXISTS " + copies +
                       " (row INTEGER PRIMARY KEY, key, text BLOB)");
        execSql(h, "CREATE INDEX IF NOT EXISTS " + quoteIdent(storage_ + "_key") + " ON " + copies +
                       " (key)");
        execSql(h, "CREATE INDEX IF NOT EXISTS " + quoteIdent(storage_ + "_unknown") + " ON " +
                       copies + " (row) WHERE text IS NULL");
        Stmt state(h,
                   "INSERT INTO korvet_text_copies (name, generation, complete) VALUES (?, 1, 0) "
                   "ON CONFLICT (name) DO UPDATE SET generation = generation + 1, complete = 0");
        state.bindText(1, spec_.name);
        state.step();
        for (const char* event : kEvents) {
            execSql(h, "DROP TRIGGER IF EXISTS " + quoteIdent(triggerName(spec_.name, event)));
        }
        const std::string head = "CREATE TRIGGER ";
        execSql(h, head + quoteIdent(triggerName(spec_.name, "insert")) + " AFTER INSERT ON " +
                       table + " BEGIN " + store + bump + " END");
        execSql(h, head + quoteIdent(triggerName(spec_.name, "update")) + " AFTER UPDATE ON " +
                       table + " WHEN OLD.rowid IS NOT NEW.rowid OR OLD." + key + " IS NOT NEW." +
                       key + " OR OLD." + field + " IS NOT NEW." + field + " BEGIN " + forget +
                       store + bump + " END");
        execSql(h, head + quoteIdent(triggerName(spec_.name, "delete")) + " AFTER DELETE ON " +
                       table + " BEGIN " + forget + bump + " END");
        execSql(h, "DELETE FROM " + copies + " WHERE row NOT IN (SELECT rowid FROM " + table + ")");
        tx.commit();
    }

    std::vector<long long> rows;
    {
        Stmt all(h, "SELECT rowid FROM " + table + " ORDER BY rowid");
        while (all.step()) {
            rows.push_back(all.columnInt(0));
        }
    }
    Stmt copy(h, "INSERT OR REPLACE INTO " + copies + " (row, key, text) SELECT rowid, " + key +
                     ", korvet_text(" + fn + ", " + field + ") FROM " + table +
                     " WHERE rowid >= ? AND rowid <= ?");
    const auto total = static_cast<long long>(rows.size());
    const size_t stride = static_cast<size_t>(std::max(1, step));
    for (size_t at = 0; at < rows.size(); at += stride) {
        {
            Database::Transaction tx(db_);
            copy.bindInt(1, rows[at]);
            copy.bindInt(2, rows[std::min(rows.size(), at + stride) - 1]);
            copy.step();
            copy.reset();
            tx.commit();
        }
        if (progress &&
            !progress(static_cast<long long>(std::min(rows.size(), at + stride)), total)) {
            return false;
        }
    }
    Stmt done(
        h,
        "UPDATE korvet_text_copies SET generation = generation + 1, complete = 1 WHERE name = ?");
    done.bindText(1, spec_.name);
    done.step();
    return generation().has_value();
}

void TextCopy::fillUnknown() {
    if (!hasSchemaTable(db_.handle(), storage_)) {
        return;
    }
    const std::string table = quoteIdent(db_.tableDef(spec_.table).name);
    Database::Transaction tx(db_);
    execSql(db_.handle(), "UPDATE " + quoteIdent(storage_) + " SET text = (SELECT korvet_text('" +
                              spec_.function + "', " + quoteIdent(spec_.field) + ") FROM " + table +
                              " WHERE rowid = row) WHERE text IS NULL");
    tx.commit();
}

long long TextCopy::scan(const std::function<bool(const TextCopyEntry&)>& visit, long long afterRow,
                         long long limit) const {
    Stmt stmt(db_.handle(), "SELECT row, key, text FROM " + quoteIdent(storage_) +
                                " WHERE row > ? ORDER BY row LIMIT ?");
    stmt.bindInt(1, afterRow);
    stmt.bindInt(2, limit);
    long long last = afterRow;
    TextCopyEntry entry;
    while (stmt.step()) {
        sqlite3_stmt* s = stmt.get();
        entry.row = sqlite3_column_int64(s, 0);
        entry.key = integerKey(s, 1);
        if (sqlite3_column_type(s, 2) == SQLITE_NULL) {
            entry.text.reset();
        } else {
            const void* bytes = sqlite3_column_blob(s, 2);
            const int size = sqlite3_column_bytes(s, 2);
            entry.text = std::string_view(static_cast<const char*>(bytes),
                                          bytes != nullptr ? static_cast<size_t>(size) : 0);
        }
        last = entry.row;
        if (!visit(entry)) {
            break;
        }
    }
    return last;
}

std::vector<std::optional<std::string>> TextCopy::textsOf(long long key) const {
    Stmt stmt(db_.handle(),
              "SELECT text FROM " + quoteIdent(storage_) + " WHERE key = ? ORDER BY row");
    stmt.bindInt(1, key);
    std::vector<std::optional<std::string>> texts;
    while (stmt.step()) {
        if (stmt.columnType(0) == SQLITE_NULL) {
            texts.emplace_back();
        } else {
            texts.emplace_back(stmt.columnBytes(0));
        }
    }
    return texts;
}

long long TextCopy::count() const {
    if (!hasSchemaTable(db_.handle(), storage_)) {
        return 0;
    }
    Stmt stmt(db_.handle(), "SELECT count(*) FROM " + quoteIdent(storage_));
    stmt.step();
    return stmt.columnInt(0);
}

long long TextCopy::bytes() const {
    if (!hasSchemaTable(db_.handle(), storage_)) {
        return 0;
    }
    Stmt stmt(db_.handle(), "SELECT total(length(text)) FROM " + quoteIdent(storage_));
    stmt.step();
    return static_cast<long long>(stmt.columnDouble(0));
}

void TextCopy::drop() {
    sqlite3* h = db_.handle();
    Database::Transaction tx(db_);
    for (const char* event : kEvents) {
        execSql(h, "DROP TRIGGER IF EXISTS " + quoteIdent(triggerName(spec_.name, event)));
    }
    execSql(h, "DROP TABLE IF EXISTS " + quoteIdent(storage_));
    if (hasSchemaTable(h, "korvet_text_copies")) {
        Stmt state(h, "DELETE FROM korvet_text_copies WHERE name = ?");
        state.bindText(1, spec_.name);
        state.step();
    }
    tx.commit();
}

}  // namespace engine
