#include "database/build.h"

#include <unistd.h>

#include "database/schema.h"

namespace database {

namespace fs = std::filesystem;

DatabaseBuild::DatabaseBuild(const fs::path& dataDir, const Prepare& prepare)
    : dataDir_(dataDir), alias_("KorvetBuild") {
    fs::create_directories(dataDir);
    buildDir_ = dataDir / (".build-" + std::to_string(::getpid()));
    fs::remove_all(buildDir_);
    fs::create_directories(buildDir_);
    {
        auto db = engine::Database::create((buildDir_ / engine::kDatabaseFileName).string(),
                                           {kMasterPassword});
        createSchema(*db);
    }
    session_.addStandardAlias(alias_, buildDir_.string(), "Paradox");
    session_.addPassword(kMasterPassword);
    session_.open();
    if (prepare) {
        prepare(session_.database(alias_));
    }
    transaction_ = std::make_unique<engine::Database::Transaction>(session_.database(alias_));
}

DatabaseBuild::~DatabaseBuild() {
    if (!committed_) {
        try {
            closeAll();
        } catch (const engine::Error&) {
            // The build is thrown away below in any case.
        }
        std::error_code ec;
        fs::remove_all(buildDir_, ec);
    }
}

engine::Table& DatabaseBuild::table(const std::string& name) {
    auto& t = tables_[name];
    if (!t) {
        t = std::make_unique<engine::Table>(session_, name);
        t->setDatabaseName(alias_);
        t->setTableName(name);
        t->open();
        const engine::TableDef& def = tableDef(name);
        if (!def.primaryKey.empty()) {
            const int key = t->fieldByName(def.primaryKey[0]).index();
            if (def.fields[static_cast<size_t>(key)].type == engine::FieldType::Number) {
                t->setFilter(def.primaryKey[0] + " < 0");
                t->setFiltered(true);
            }
        }
    }
    return *t;
}

void DatabaseBuild::closeAll() {
    transaction_.reset();
    for (auto& [name, t] : tables_) {
        t->close();
    }
    tables_.clear();
    if (session_.active()) {
        session_.close();
    }
}

void DatabaseBuild::commit(const Finish& finish) {
    transaction_->commit();
    transaction_.reset();
    if (finish) {
        finish(session_, alias_);
    }
    closeAll();
    // The files beside the database are checked against it when opened, so
    // a crash between the renames leaves them unused, never wrong.
    fs::rename(buildDir_ / engine::kDatabaseFileName, dataDir_ / engine::kDatabaseFileName);
    for (const fs::directory_entry& entry : fs::directory_iterator(buildDir_)) {
        if (entry.is_regular_file()) {
            fs::rename(entry.path(), dataDir_ / entry.path().filename());
        }
    }
    committed_ = true;
    std::error_code ec;
    fs::remove_all(buildDir_, ec);
}

}  // namespace database
