// Killing the program at random moments of an update's installation leaves
// every table either as it was before or as it is after its merge, never
// torn; the database passes its integrity check; and the text searches stay
// exact: the index, when it is still current, and otherwise the fallback
// the searches use, find what a plain scan of the texts finds.
#include <signal.h>
#include <sqlite3.h>

#include <chrono>
#include <iostream>
#include <map>
#include <random>

#include "campaign.h"
#include "database/schema.h"
#include "engine/table.h"
#include "search/textscan.h"
#include "support/child_process.h"
#include "support/data_session.h"
#include "update/install.h"
#include "update/rebuild.h"
#include "update_fixture.h"

namespace fs = std::filesystem;

namespace crashtest {
namespace {

using updatetest::RecordingListener;
using updatetest::Row;

constexpr const char* kTables[] = {database::kZakoni, database::kBrojevi, database::kGlasnici,
                                   database::kMisljenja};
const std::vector<std::string> kWords = {"poslodavac", "novarec", "izmena7", "izmena150",
                                         "placa.",     "tekst",   "PORE",    "zakona i"};

using Digest = std::map<std::string, std::string>;

// Every row of each table, by primary key.
Digest digest(engine::Session& session) {
    Digest out;
    for (const char* name : kTables) {
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

// The regulations holding each word: as the searches find them (the index
// when current, else the plain texts) and as a scan of the rich texts does.
struct Found {
    std::vector<std::vector<long long>> searched, scanned;
    bool indexed = false;
};
Found searches(engine::Session& session) {
    engine::Database& db = session.database(database::kAlias);
    Found found;
    found.indexed = search::TextIndex::current(db, search::TextTable::Regulations) != nullptr;
    auto finder = search::textFinder(db, search::TextTable::Regulations);
    search::RtfTextScan reference;
    finder->begin(kWords);
    reference.begin(kWords);
    found.searched.resize(kWords.size());
    found.scanned.resize(kWords.size());
    engine::Table t(session, "texts");
    t.setDatabaseName(database::kAlias);
    t.setTableName(database::kZakoni);
    t.setReadOnly(true);
    t.open();
    for (t.first(); !t.eof(); t.next()) {
        const long long id = t.fieldByName("ID_ZAKONA").asInteger();
        for (size_t i = 0; i < kWords.size(); ++i) {
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

// SQLite's own check of the database file.
std::string integrity(const fs::path& program) {
    const fs::path file = program / "Podatci" / engine::kDatabaseFileName;
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

class MergeCrashTest : public updatetest::UpdateTest {
  protected:
    // A session on the copy of the program directory at dir.
    struct Copy {
        explicit Copy(const fs::path& dir) { testsupport::openDataSession(session, dir); }
        engine::Session session;
    };

    void copyProgram(const fs::path& to) {
        fs::remove_all(to);
        fs::create_directories(to / "update");
        fs::copy(program() / "Podatci", to / "Podatci", fs::copy_options::recursive);
        fs::copy(program() / "updates", to / "updates", fs::copy_options::recursive);
    }

    // The installation of 001.zip in the program directory at dir, as the
    // download run makes it.
    static void install(const fs::path& dir) {
        Copy copy(dir);
        RecordingListener listener;
        update::TBDEUtil util(copy.session);
        update::Installer installer(copy.session, database::kAlias, dir, util, listener);
        installer.ispraznidir();
        installer.raspakuj("001.zip");
        installer.azur();
    }
};

TEST_F(MergeCrashTest, EveryTableIsBeforeOrAfterItsMergeAndTheSearchesExact) {
    std::vector<Row> regulations;
    std::string text;
    for (int i = 0; i < 40; ++i) {
        text += "Izmena clana zakona i novarec tekst. ";
    }
    for (long long id = 1; id <= 300; ++id) {
        regulations.push_back(
            regulation(id, "Propis " + std::to_string(id), text + "izmena" + std::to_string(id)));
    }
    std::vector<Row> entries, opinions;
    for (long long id = 3; id <= 300; ++id) {
        entries.push_back({id, 1LL, std::string("2009"), std::to_string(id)});
    }
    opinions.push_back({10LL, 1LL, std::string("Izmenjeno misljenje")});
    archive("001.zip", {table(database::kZakoni, regulations), table(database::kBrojevi, entries),
                        table(database::kGlasnici, {{3LL, std::string("Novi glasnik")}}),
                        table(database::kMisljenja, opinions)});
    session_.close();  // no connection crosses a fork

    const fs::path trial = program() / "trial";
    Digest before, after;
    copyProgram(trial);
    {
        Copy copy(trial);
        before = digest(copy.session);
    }
    const auto start = std::chrono::steady_clock::now();
    install(trial);
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    {
        Copy copy(trial);
        after = digest(copy.session);
        const Found found = searches(copy.session);
        ASSERT_TRUE(found.indexed);
        ASSERT_EQ(found.searched, found.scanned);
        ASSERT_FALSE(found.scanned[1].empty());
    }
    for (const char* name : kTables) {
        ASSERT_NE(before[name], after[name]) << name;
    }

    const int runs = campaignRuns(8);
    std::mt19937 random(12345);
    std::uniform_int_distribution<long long> moment(1, took.count());
    Tally tally;
    int stale = 0;
    for (int run = 0; run < runs; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        copyProgram(trial);
        testsupport::ChildLimits limits;
        limits.killAfter = std::chrono::microseconds(moment(random));
        const auto outcome = testsupport::runInChild(limits, [&](std::string&) {
            install(trial);
            return 0;
        });
        tally.kills += outcome.signal == SIGKILL ? 1 : 0;

        Copy copy(trial);  // opening recovers what the crash left
        EXPECT_EQ(integrity(trial), "ok");
        const Digest now = digest(copy.session);
        for (const char* name : kTables) {
            if (now.at(name) == before[name]) {
                ++tally.old;
            } else if (now.at(name) == after[name]) {
                ++tally.fresh;
            } else {
                ++tally.torn;
                ADD_FAILURE() << name << " is torn";
            }
        }
        const Found found = searches(copy.session);
        stale += found.indexed ? 0 : 1;
        EXPECT_EQ(found.searched, found.scanned);
    }
    EXPECT_EQ(tally.torn, 0);
    std::cout << report("update merge (tables)", runs, tally) << ", index stale after " << stale
              << '\n';
}

}  // namespace
}  // namespace crashtest
