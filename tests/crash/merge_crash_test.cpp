// Killing the program at random moments of an update's installation leaves
// every table either as it was before or as it is after its merge, never
// torn; the database passes its integrity check; and the text searches stay
// exact: the index, when it is still current, and otherwise the fallback
// the searches use, find what a plain scan of the texts finds.
#include <signal.h>

#include <chrono>
#include <iostream>
#include <map>
#include <random>

#include "campaign.h"
#include "database/schema.h"
#include "support/child_process.h"
#include "support/data_session.h"
#include "update/install.h"
#include "update/rebuild.h"
#include "update_checks.h"
#include "update_fixture.h"

namespace fs = std::filesystem;

namespace crashtest {
namespace {

using updatetest::Digest;
using updatetest::Found;
using updatetest::RecordingListener;
using updatetest::Row;

const std::vector<std::string> kWords = {"poslodavac", "novarec", "izmena7", "izmena150",
                                         "placa.",     "tekst",   "PORE",    "zakona i"};

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
        before = updatetest::digest(copy.session);
    }
    const auto start = std::chrono::steady_clock::now();
    install(trial);
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    {
        Copy copy(trial);
        after = updatetest::digest(copy.session);
        const Found found = updatetest::searches(copy.session, kWords);
        ASSERT_TRUE(found.indexed);
        ASSERT_EQ(found.searched, found.scanned);
        ASSERT_FALSE(found.scanned[1].empty());
    }
    for (const auto& [name, rows] : before) {
        ASSERT_NE(rows, after.at(name)) << name;
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
        EXPECT_EQ(updatetest::integrity(trial), "ok");
        const Digest now = updatetest::digest(copy.session);
        for (const auto& [name, rows] : before) {
            if (now.at(name) == rows) {
                ++tally.old;
            } else if (now.at(name) == after.at(name)) {
                ++tally.fresh;
            } else {
                ++tally.torn;
                ADD_FAILURE() << name << " is torn";
            }
        }
        const Found found = updatetest::searches(copy.session, kWords);
        stale += found.indexed ? 0 : 1;
        EXPECT_EQ(found.searched, found.scanned);
    }
    EXPECT_EQ(tally.torn, 0);
    std::cout << report("update merge (tables)", runs, tally) << ", index stale after " << stale
              << '\n';
}

}  // namespace
}  // namespace crashtest
