// Runs the built korvet-cli on a small generated program directory.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

#include "support/cli_run.h"
#include "support/temp_program_dir.h"

namespace {

namespace fs = std::filesystem;

using testsupport::CliRun;

CliRun cli(const fs::path& work, const std::vector<std::string>& args) {
    return testsupport::runCli(work, args);
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
