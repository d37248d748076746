#include "engine/sqlite_util.h"

#include <cerrno>
#include <utility>

namespace engine::detail {

namespace {

constexpr int kStepsPerTick = 1000;

// Calls into SQLite on this thread, so that a guard knows when a new one
// starts (SQLite itself tells the progress handler nothing of calls).
thread_local unsigned long long calls = 0;

int onProgress(void* arg) {
    auto& guard = *static_cast<WorkGuard*>(arg);
    if (guard.call != calls) {
        guard.call = calls;
        guard.ticks = 0;
    }
    return ++guard.ticks * kStepsPerTick > guard.limit ? 1 : 0;
}

}  // namespace

void enterSqlite() {
    ++calls;
}

void guardWork(sqlite3* db, WorkGuard& guard) {
    sqlite3_progress_handler(db, kStepsPerTick, onProgress, &guard);
}

void check(sqlite3* db, int rc, const std::string& context) {
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE) {
        fail(db, context);
    }
}

void fail(sqlite3* db, const std::string& context) {
    std::string message = errorText(db);
    throw Error(context.empty() ? message : context + ": " + message);
}

std::string errorText(sqlite3* db) {
    if (db == nullptr) {
        return "out of memory";
    }
    const int rc = sqlite3_errcode(db) & 0xff;
    if (rc == SQLITE_INTERRUPT) {
        return "a query ran past the work limit and was stopped: the database file is damaged "
               "or made to harm";
    }
    const int error = sqlite3_system_errno(db);
    if (rc == SQLITE_FULL ||
        (rc == SQLITE_IOERR && (error == ENOSPC || error == EFBIG || error == EDQUOT))) {
        return std::string(
                   "no space left for the file (the disk is full or the file too "
                   "large): ") +
               sqlite3_errmsg(db);
    }
    // SQLite keeps the errno of the failed write only by chance; a write
    // that failed is mostly one that found no room.
    if (sqlite3_extended_errcode(db) == SQLITE_IOERR_WRITE) {
        return std::string(
                   "cannot write the file (no space left on the disk, or a disk "
                   "fault): ") +
               sqlite3_errmsg(db);
    }
    return sqlite3_errmsg(db);
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
    enterSqlite();
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        throw Error(errorText(db));
    }
}

Stmt::Stmt(sqlite3* db, const std::string& sql) : db_(db) {
    enterSqlite();
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
    enterSqlite();
    int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    std::string message = errorText(db_);
    sqlite3_reset(stmt_);
    throw Error(message);
}

int Stmt::stepRc() {
    enterSqlite();
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
