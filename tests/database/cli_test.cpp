// Runs the built korvet-cli on a small generated program directory.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

#include "database/schema.h"
#include "engine/session.h"
#include "support/cli_run.h"
#include "support/temp_program_dir.h"

namespace {

namespace fs = std::filesystem;

using testsupport::CliRun;

// prefix: shell words before the command, such as a ulimit.
CliRun cli(const fs::path& work, const std::vector<std::string>& args,
           const std::string& prefix = {}) {
    return testsupport::runCli(work, args, prefix);
}

class Cli : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        work_ = new testsupport::TempProgramDir(false);
        const CliRun run =
            cli(work_->path(), {"generate", "--regulations", "50", "--opinions", "12", "--text-kb",
                                "2", (work_->path() / "gen").string()});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        generateOut_ = run.out;
    }
    static void TearDownTestSuite() {
        delete work_;
        work_ = nullptr;
    }
    static fs::path dir() { return work_->path() / "gen"; }
    static inline testsupport::TempProgramDir* work_ = nullptr;
    static inline std::string generateOut_;
};

TEST_F(Cli, GenerateReportsWhatItMade) {
    EXPECT_NE(generateOut_.find("generated 50 regulations, 12 opinions"), std::string::npos)
        << generateOut_;
    EXPECT_TRUE(fs::exists(dir() / "Podatci" / "zakoni.sqlite"));
}

TEST_F(Cli, TablesListsEveryTableWithItsRowCount) {
    const CliRun run = cli(work_->path(), {"tables", dir().string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::map<std::string, int> counts;
    std::istringstream lines(run.out);
    std::string name;
    int count = 0;
    while (lines >> name >> count) {
        counts[name] = count;
    }
    EXPECT_EQ(counts.size(), 13u);
    EXPECT_EQ(counts["TB_Zakoni"], 50);
    EXPECT_EQ(counts["TB_Brojevi"], 50);
    EXPECT_EQ(counts["TB_Misljenja"], 12);
    EXPECT_EQ(counts["TB_Tipovi_Zakona"], 7);
    EXPECT_GT(counts["TB_Ugovori"], 0);
    EXPECT_EQ(counts["TB_Korisnicki"], 0);
}

TEST_F(Cli, FilterPrintsTheFirstFieldInPrimaryOrder) {
    CliRun run = cli(work_->path(),
                     {"filter", dir().string(), "TB_Zakoni", "ID_ZAKONA <= 3 OR ID_ZAKONA = 50"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "1\n2\n3\n50\n");

    run = cli(work_->path(), {"filter", dir().string(), "TB_Tipovi_Zakona", "NAZIV_TIPA = 'sve'"});
    EXPECT_EQ(run.out, "");
    run = cli(work_->path(),
              {"filter", dir().string(), "TB_Tipovi_Zakona", "NAZIV_TIPA = 'sve'", "--ci"});
    EXPECT_EQ(run.out, "0\n");
}

TEST_F(Cli, BadExpressionPrintsItsPositionAndFails) {
    const CliRun run =
        cli(work_->path(), {"filter", dir().string(), "TB_Zakoni", "ID_ZAKONA = = 3"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.err.find("at position"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
}

TEST_F(Cli, ReadOnlyCommandsNeverWriteTheDatabase) {
    // A zero-byte file was silently made an empty database.
    const fs::path empty = work_->path() / "prazan";
    fs::create_directories(empty / "Podatci");
    std::ofstream(empty / "Podatci" / "zakoni.sqlite").flush();
    const std::vector<std::vector<std::string>> commands = {
        {"tables", empty.string()},
        {"filter", empty.string(), "TB_Zakoni", "ID_ZAKONA > 0"},
        {"search", empty.string(), "porez"},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(args.front());
        const CliRun run = cli(work_->path(), args);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find("empty"), std::string::npos) << run.err;
        EXPECT_EQ(fs::file_size(empty / "Podatci" / "zakoni.sqlite"), 0u);
    }
    // A sound database keeps its bytes and time.
    const fs::path file = dir() / "Podatci" / "zakoni.sqlite";
    const auto before = fs::last_write_time(file);
    ASSERT_EQ(cli(work_->path(), {"tables", dir().string()}).exitCode, 0);
    ASSERT_EQ(cli(work_->path(), {"search", dir().string(), "zakon"}).exitCode, 0);
    EXPECT_EQ(fs::last_write_time(file), before);
}

// A copy of the generated program directory with SQL run on its database.
fs::path changedCopy(const fs::path& from, const fs::path& to, const std::string& sql) {
    fs::copy(from, to, fs::copy_options::recursive);
    engine::Session session;
    session.addStandardAlias("Zakoni", (to / "Podatci").string(), "Paradox");
    session.addPassword(database::kMasterPassword);
    session.open();
    session.database("Zakoni").exec(sql);
    return to;
}

TEST_F(Cli, HostileOrChangedTablesFailWithAMessage) {
    struct Case {
        const char* what;
        const char* sql;
        const char* message;
    };
    const Case cases[] = {
        // Read as garbage: "ID_ZAKONA" came out as a text.
        {"other columns",
         "DROP TABLE TB_Zakoni; CREATE TABLE TB_Zakoni (foo, bar);"
         "INSERT INTO TB_Zakoni VALUES (1, 2)",
         "TB_Zakoni"},
        // Hung every command.
        {"endless view",
         "DROP TABLE TB_Zakoni; CREATE VIEW TB_Zakoni AS WITH RECURSIVE r(n) AS (SELECT 1 "
         "UNION ALL SELECT n + 1 FROM r) SELECT n AS ID_ZAKONA, n AS ID_BROJA, n AS "
         "ID_KATEGORIJE_ZAKONA, n AS ID_TIPA_ZAKONA, n AS Latinica, n AS Naziv_zakona, n AS "
         "Cirilica, n AS Oznaka, n AS Napomena, n AS Strana, n AS BG FROM r",
         "TB_Zakoni"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path copy =
            changedCopy(dir(), work_->path() / ("hostile" + std::to_string(n++)), c.sql);
        for (const auto& args : std::vector<std::vector<std::string>>{
                 {"tables", copy.string()},
                 {"filter", copy.string(), "TB_Zakoni", "ID_ZAKONA > 5"}}) {
            const CliRun run = cli(work_->path(), args);
            EXPECT_EQ(run.exitCode, 1) << run.out;
            EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
            EXPECT_EQ(run.out.find("ID_ZAKONA"), std::string::npos) << run.out;
        }
    }
}

TEST_F(Cli, ControlBytesOfTheInputReachNoTerminal) {
    // An escape sequence in the expression would clear the screen.
    const CliRun run =
        cli(work_->path(), {"filter", dir().string(), "TB_Zakoni", "ID_ZAKONA = \x1b[2J"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.find('\x1b'), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("ID_ZAKONA = \\x1b[2J\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("\n              ^"), std::string::npos) << run.err;
}

TEST_F(Cli, RebuildsThatFindNoRoomFailWithAMessageAndKeepTheData) {
    const fs::path full = work_->path() / "pun";
    fs::copy(dir(), full, fs::copy_options::recursive);
    const std::vector<std::vector<std::string>> reads = {
        {"tables", full.string()}, {"search", full.string(), "--texts", "zakon", "porez"}};
    std::vector<std::string> before;
    for (const auto& args : reads) {
        before.push_back(cli(work_->path(), args).out);
    }
    // No file may grow past 16 KB: the database and its journal find no room.
    for (const char* command : {"reindex", "rebuild"}) {
        SCOPED_TRACE(command);
        const CliRun run = cli(work_->path(), {command, full.string()}, "ulimit -f 32; ");
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find("no space"), std::string::npos) << run.err;
    }
    for (size_t i = 0; i < reads.size(); ++i) {
        EXPECT_EQ(cli(work_->path(), reads[i]).out, before[i]);
    }
}

TEST_F(Cli, GeneratedDataKeepsTheInvariant) {
    // Every regulation's ID_BROJA is its own ID_ZAKONA.
    const CliRun all = cli(work_->path(), {"filter", dir().string(), "TB_Zakoni", "ID_ZAKONA > 0"});
    const CliRun brojevi =
        cli(work_->path(), {"filter", dir().string(), "TB_Brojevi", "ID_BROJA > 0"});
    EXPECT_EQ(all.out, brojevi.out);
    const CliRun sve =
        cli(work_->path(), {"filter", dir().string(), "TB_Tipovi_Zakona", "ID_TIPA_ZAKONA = 0"});
    EXPECT_EQ(sve.out, "0\n");
}

}  // namespace
