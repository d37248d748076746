#pragma once
// The session: aliases, table passwords, and the databases behind them.
// An alias names a data folder; its tables live in one SQLite file in that
// folder (kDatabaseFileName).
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/types.h"

struct sqlite3;

namespace engine {

namespace detail {
struct WorkGuard;
}

inline constexpr const char* kDatabaseFileName = "zakoni.sqlite";

class Database;

class Session {
  public:
    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The process-wide session the program uses.
    static Session& global();

    // Kept for the caller's sake; it has no effect on this engine.
    void setNetFileDir(const std::string& dir) { netFileDir_ = dir; }
    const std::string& netFileDir() const { return netFileDir_; }

    // Alias names are not case-sensitive. deleteAlias throws when absent;
    // addStandardAlias throws when it exists or the driver is not "Paradox".
    void deleteAlias(const std::string& name);
    void addStandardAlias(const std::string& name, const std::string& path,
                          const std::string& driver);
    bool hasAlias(const std::string& name) const;
    std::string aliasPath(const std::string& name) const;  // throws when absent
    // The alias whose folder is dir (the same folder, however written);
    // empty when none is.
    std::string aliasForFolder(const std::string& dir) const;

    // Passwords known to the session; a database with a master password
    // opens only when the session knows it.
    void addPassword(const std::string& password);
    bool knowsPassword(const std::string& password) const;

    // Databases opened from now on are opened read-only: nothing the session
    // does can write to them (writes throw Error).
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool readOnly() const { return readOnly_; }

    void open();
    void close();  // closes every database (tables on them must be closed)
    bool active() const { return active_; }

    // The database of an alias, opened on first use (the session must be
    // open). Throws when the alias is unknown or the file cannot be opened.
    Database& database(const std::string& alias);

  private:
    std::string netFileDir_;
    std::map<std::string, std::string> aliases_;  // upper-cased name -> path
    std::vector<std::string> passwords_;
    std::map<std::string, std::unique_ptr<Database>> databases_;
    bool active_ = false;
    bool readOnly_ = false;
};

// Options for creating a database file.
struct CreateOptions {
    std::string masterPassword;  // empty: no password
};

class Database {
  public:
    // Opens an existing database file; it is never created nor changed by
    // opening. Throws when the file is missing or empty, is no database of
    // ours, or holds a master password that the session (nullptr: none) does
    // not know. Read-only: every write throws Error.
    static std::unique_ptr<Database> openFile(const std::string& path, const Session* session,
                                              bool readOnly = false);
    // Creates a new database file; throws when the file already exists. Only
    // the builders create.
    static std::unique_ptr<Database> create(const std::string& path, const CreateOptions& options);
    ~Database();

    const std::string& path() const { return path_; }
    sqlite3* handle() const { return db_; }

    // Table names in creation order; lookups are not case-sensitive.
    std::vector<std::string> tableNames() const;
    bool hasTable(const std::string& name) const;
    // The definition of an existing table (fields in order, keys, indexes).
    const TableDef& tableDef(const std::string& name) const;
    // Throws Error naming the table when the file holds no ordinary table
    // of that name with every column of the definition.
    void checkStored(const TableDef& def) const;

    void createTable(const TableDef& def);  // throws when it exists
    void dropTable(const std::string& name);

    // Runs SQL without results (for tools and migrations); counts as a write.
    // Memo and graphic columns come last in the stored layout, whatever their
    // field position: name the columns in raw SQL.
    void exec(const std::string& sql);

    // A transaction; commits on commit(), rolls back when destroyed first.
    // Transactions nest (savepoints).
    class Transaction {
      public:
        explicit Transaction(Database& db);
        ~Transaction();
        void commit();

      private:
        Database& db_;
        bool done_ = false;
    };

    // Bumped by every write through any table object, so that open tables
    // can tell their cached rows are stale.
    unsigned long long changeCount() const { return changes_; }
    void noteChange() { ++changes_; }

    // Number of open tables on this database; it cannot close while any is.
    int openTables() const { return users_; }

  private:
    friend class Table;
    Database(std::string path, sqlite3* db);
    void loadDefinitions();
    TableDef* findDef(const std::string& name) const;

    std::string path_;
    sqlite3* db_ = nullptr;
    std::unique_ptr<detail::WorkGuard> guard_;     // on files we did not write
    std::vector<std::unique_ptr<TableDef>> defs_;  // stable addresses for tableDef()
    unsigned long long changes_ = 0;
    int users_ = 0;
};

}  // namespace engine
