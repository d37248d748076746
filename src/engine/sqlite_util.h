#pragma once
// Small helpers over the SQLite C API: a prepared statement that resets
// itself after each use, identifier quoting and error reporting.
#include <sqlite3.h>

#include <string>

#include "engine/types.h"

namespace engine::detail {

// Throws Error with the context and SQLite's message when rc is an error.
void check(sqlite3* db, int rc, const std::string& context);
[[noreturn]] void fail(sqlite3* db, const std::string& context);
// SQLite's message for the last failure, made plain where SQLite's own is
// not: a query stopped by the work limit, a full disk.
std::string errorText(sqlite3* db);

// The work limit of connections to files we did not write (the user's
// database can be replaced by anyone, the update's tables come from outside).
// One call into SQLite (a prepare, a step, an exec) may run at most this
// many virtual-machine steps; then it fails with SQLITE_INTERRUPT. Reads walk
// rows one call each; the largest calls rebuild a whole table, about a
// million steps for 20,000 regulations, so a hundredfold margin remains. An
// endless recursive query in a hostile schema (a trigger, a view) does not
// end and stops after a few seconds. A step count, unlike a clock, never
// trips on a slow or busy disk. Endless row streams across calls need a view
// or virtual table in place of a table, which opening a table refuses.
inline constexpr unsigned long long kWorkLimit = 100'000'000;

// Installs the limit on a connection; guard lives as long as the connection.
struct WorkGuard {
    unsigned long long call = 0;   // the call being counted
    unsigned long long ticks = 0;  // thousands of steps in that call
    unsigned long long limit = kWorkLimit;
};
void guardWork(sqlite3* db, WorkGuard& guard);
// Marks the start of a call into SQLite; the wrappers below do it for each.
void enterSqlite();

// "name" with embedded double quotes doubled.
std::string quoteIdent(const std::string& name);

// Runs SQL without results.
void execSql(sqlite3* db, const std::string& sql);

// Registers on a new connection the SQL functions that the triggers of the
// side data call (sidedata.cpp).
void registerSideFunctions(sqlite3* db);

// A prepared statement, finalized on destruction.
class Stmt {
  public:
    Stmt() = default;
    Stmt(sqlite3* db, const std::string& sql);
    ~Stmt();
    Stmt(Stmt&& other) noexcept;
    Stmt& operator=(Stmt&& other) noexcept;
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;

    sqlite3_stmt* get() const { return stmt_; }
    explicit operator bool() const { return stmt_ != nullptr; }

    void bindNull(int index);
    void bindInt(int index, long long value);
    void bindDouble(int index, double value);
    void bindText(int index, const std::string& value);
    void bindBlob(int index, const std::string& value);

    // One step: true when a row is ready, false when done. Throws on errors.
    bool step();
    // Like step(), but returns the SQLite result code instead of throwing.
    int stepRc();
    void reset();

    long long columnInt(int col) const { return sqlite3_column_int64(stmt_, col); }
    double columnDouble(int col) const { return sqlite3_column_double(stmt_, col); }
    int columnType(int col) const { return sqlite3_column_type(stmt_, col); }
    std::string columnBytes(int col) const;

  private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
};

// Resets a statement when the scope ends, so no statement stays active and
// holds a read lock (which would block DROP TABLE and the like).
class StmtUse {
  public:
    explicit StmtUse(Stmt& stmt) : stmt_(stmt) {}
    ~StmtUse() { sqlite3_reset(stmt_.get()); }
    StmtUse(const StmtUse&) = delete;
    StmtUse& operator=(const StmtUse&) = delete;

  private:
    Stmt& stmt_;
};

}  // namespace engine::detail
