#pragma once
// A new regulation database built beside the data folder's database and
// moved over Podatci/zakoni.sqlite only when complete: a failed or abandoned
// build leaves the old file in place. The whole build is one transaction.
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "engine/session.h"
#include "engine/table.h"

namespace database {

class DatabaseBuild {
  public:
    // Runs on the new database before the first row: what the finished
    // database derives from its rows as they come in (the plain texts).
    using Prepare = std::function<void(engine::Database&)>;

    // dataDir: the Podatci folder (created when missing). The build starts
    // with every table of the schema, empty.
    explicit DatabaseBuild(const std::filesystem::path& dataDir, const Prepare& prepare = {});
    ~DatabaseBuild();  // discards the build unless commit() ran
    DatabaseBuild(const DatabaseBuild&) = delete;
    DatabaseBuild& operator=(const DatabaseBuild&) = delete;

    engine::Session& session() { return session_; }
    const std::string& alias() const { return alias_; }

    // A writable table object on the build, opened on first use. Its
    // filter hides every row where the table is keyed on a leading number,
    // so that each post re-reads no rows and large builds stay linear.
    engine::Table& table(const std::string& name);

    // Commits, runs finish (to add what belongs to a finished database, such
    // as the text index files beside it), and moves the database and every
    // file beside it into place, the database first, replacing existing ones.
    using Finish = std::function<void(engine::Session&, const std::string& alias)>;
    void commit(const Finish& finish = {});

  private:
    void closeAll();

    std::filesystem::path dataDir_;
    std::filesystem::path buildDir_;
    std::string alias_;
    engine::Session session_;
    std::map<std::string, std::unique_ptr<engine::Table>> tables_;
    std::unique_ptr<engine::Database::Transaction> transaction_;
    bool committed_ = false;
};

}  // namespace database
