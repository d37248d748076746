// Killing the process at random moments of an installation leaves every
// table either as it was before or as it is after its merge, never torn,
// and the searches exact.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <map>
#include <random>
#include <thread>

#include "database/schema.h"
#include "engine/table.h"
#include "search/textindex.h"
#include "support/data_session.h"
#include "update/install.h"
#include "update/rebuild.h"
#include "update/textindex.h"
#include "update_fixture.h"

namespace fs = std::filesystem;

namespace updatetest {
namespace {

constexpr const char* kTables[] = {database::kZakoni, database::kBrojevi, database::kGlasnici,
                                   database::kMisljenja};
const std::vector<std::string> kWords = {"poslodavac", "novarec", "izmena7",
                                         "izmena150",  "placa.",  "tekst"};

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

// The regulations the current index finds each word in; empty when stale.
std::vector<std::vector<long long>> searches(engine::Session& session) {
    auto index = search::TextIndex::current(session.database(database::kAlias),
                                            search::TextTable::Regulations);
    std::vector<std::vector<long long>> out;
    if (!index) {
        return out;
    }
    for (const auto& word : kWords) {
        auto set = index->documentsWith(word);
        if (!set) {
            ADD_FAILURE() << "the index is damaged";
            return {};
        }
        out.emplace_back();
        for (long long id = 1; id <= 400; ++id) {
            auto doc = index->document(id);
            if (doc && search::hasDocument(*set, *doc)) {
                out.back().push_back(id);
            }
        }
    }
    return out;
}

class KillTest : public UpdateTest {
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

    // The installation of 001.zip in the program directory at dir.
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

TEST_F(KillTest, EveryTableIsBeforeOrAfterItsMergeAndTheSearchesExact) {
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
    session_.close();

    const fs::path trial = program() / "trial";
    Digest before, after;
    std::vector<std::vector<long long>> beforeSearch, afterSearch;
    copyProgram(trial);
    {
        Copy copy(trial);
        before = digest(copy.session);
        beforeSearch = searches(copy.session);
    }
    const auto start = std::chrono::steady_clock::now();
    install(trial);
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    {
        Copy copy(trial);
        after = digest(copy.session);
        afterSearch = searches(copy.session);
    }
    for (const char* name : kTables) {
        ASSERT_NE(before[name], after[name]) << name;
    }
    ASSERT_FALSE(afterSearch.empty());

    std::mt19937 random(12345);
    std::uniform_int_distribution<long long> moment(0, took.count());
    int torn = 0, mixed = 0;
    for (int run = 0; run < 12; ++run) {
        copyProgram(trial);
        const pid_t child = fork();
        if (child == 0) {
            install(trial);
            _exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        Copy copy(trial);
        const Digest now = digest(copy.session);
        int changed = 0;
        for (const char* name : kTables) {
            if (now.at(name) != before[name]) {
                ++changed;
                torn += now.at(name) != after[name] ? 1 : 0;
            }
        }
        mixed += changed > 0 && changed < 4 ? 1 : 0;
        // A current index answers as a fresh one would; a stale one is unused.
        const auto found = searches(copy.session);
        if (!found.empty()) {
            update::refreshTextIndex(copy.session, database::kAlias);
            EXPECT_EQ(found, searches(copy.session)) << "run " << run;
        }
    }
    EXPECT_EQ(torn, 0);
    RecordProperty("killed between tables", mixed);
}

}  // namespace
}  // namespace updatetest
