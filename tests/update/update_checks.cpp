#include "update_checks.h"

#include <sqlite3.h>

#include "database/schema.h"
#include "engine/table.h"
#include "search/textscan.h"

namespace updatetest {

Digest digest(engine::Session& session) {
    Digest out;
    for (const char* name :
         {database::kZakoni, database::kBrojevi, database::kGlasnici, database::kMisljenja}) {
        engine::Table t(session, "digest");
        t.setDatabaseName(database::kAlias);
        t.setTableName(name);
        t.setReadOnly(true);
        t.open();
        std::string& d = out[name];
        for (t.first(); !t.eof(); t.next()) {
            for (int i = 0; i < t.fieldCount(); ++i) {
                d += t.field(i).asString() + '\x1f';
            }
            d += '\x1e';
        }
    }
    return out;
}

Found searches(engine::Session& session, const std::vector<std::string>& words) {
    engine::Database& db = session.database(database::kAlias);
    Found found;
    found.indexed = search::TextIndex::current(db, search::TextTable::Regulations) != nullptr;
    auto finder = search::textFinder(db, search::TextTable::Regulations);
    search::RtfTextScan reference;
    finder->begin(words);
    reference.begin(words);
    found.searched.resize(words.size());
    found.scanned.resize(words.size());
    engine::Table t(session, "texts");
    t.setDatabaseName(database::kAlias);
    t.setTableName(database::kZakoni);
    t.setReadOnly(true);
    t.open();
    for (t.first(); !t.eof(); t.next()) {
        const long long id = t.fieldByName("ID_ZAKONA").asInteger();
        for (size_t i = 0; i < words.size(); ++i) {
            if (finder->contains(t, id, i)) {
                found.searched[i].push_back(id);
            }
            if (reference.contains(t, id, i)) {
                found.scanned[i].push_back(id);
            }
        }
    }
    return found;
}

std::string integrity(const std::filesystem::path& programDir) {
    const auto file = programDir / "Podatci" / engine::kDatabaseFileName;
    sqlite3* db = nullptr;
    std::string result = "cannot open";
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        result.clear();
        sqlite3_exec(
            db, "PRAGMA integrity_check",
            [](void* out, int, char** values, char**) {
                *static_cast<std::string*>(out) += values[0] ? values[0] : "";
                return 0;
            },
            &result, nullptr);
    }
    sqlite3_close(db);
    return result;
}

}  // namespace updatetest
