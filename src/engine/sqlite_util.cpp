#include "engine/sqlite_util.h"

#include <utility>

namespace engine::detail {

void check(sqlite3* db, int rc, const std::string& context) {
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE) {
        fail(db, context);
    }
}

void fail(sqlite3* db, const std::string& context) {
    std::string message = db ? sqlite3_errmsg(db) : "out of memory";
    throw Error(context.empty() ? message : context + ": " + message);
}

std::string quoteIdent(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
    return out;
}

void execSql(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        std::string message = error ? error : sqlite3_errstr(rc);
        sqlite3_free(error);
        throw Error(message);
    }
}

Stmt::Stmt(sqlite3* db, const std::string& sql) : db_(db) {
    int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        fail(db, {});
    }
}

Stmt::~Stmt() {
    sqlite3_finalize(stmt_);
}

Stmt::Stmt(Stmt&& other) noexcept
    : db_(std::exchange(other.db_, nullptr)), stmt_(std::exchange(other.stmt_, nullptr)) {}

Stmt& Stmt::operator=(Stmt&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        db_ = std::exchange(other.db_, nullptr);
        stmt_ = std::exchange(other.stmt_, nullptr);
    }
    return *this;
}

void Stmt::bindNull(int index) {
    check(db_, sqlite3_bind_null(stmt_, index), "bind");
}

void Stmt::bindInt(int index, long long value) {
    check(db_, sqlite3_bind_int64(stmt_, index, value), "bind");
}

void Stmt::bindDouble(int index, double value) {
    check(db_, sqlite3_bind_double(stmt_, index, value), "bind");
}

void Stmt::bindText(int index, const std::string& value) {
    check(db_,
          sqlite3_bind_text64(stmt_, index, value.data(), value.size(), SQLITE_TRANSIENT,
                              SQLITE_UTF8),
          "bind");
}

void Stmt::bindBlob(int index, const std::string& value) {
    check(db_, sqlite3_bind_blob64(stmt_, index, value.data(), value.size(), SQLITE_TRANSIENT),
          "bind");
}

bool Stmt::step() {
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    std::string message = sqlite3_errmsg(db_);
    sqlite3_reset(stmt_);
    throw Error(message);
}

int Stmt::stepRc() {
    return sqlite3_step(stmt_);
}

void Stmt::reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::string Stmt::columnBytes(int col) const {
    const void* data = sqlite3_column_blob(stmt_, col);
    int size = sqlite3_column_bytes(stmt_, col);
    if (data == nullptr || size <= 0) {
        return {};
    }
    return std::string(static_cast<const char*>(data), static_cast<size_t>(size));
}

}  // namespace engine::detail
