// korvet-cli export-paradox and import-paradox on the demo database.
#include <gtest/gtest.h>

#include <fstream>

#include "support/cli_run.h"
#include "support/temp_program_dir.h"

namespace {

namespace fs = std::filesystem;
using testsupport::runCli;

TEST(ParadoxCli, ImportMakesACompleteProgramDirectoryAndReplacesOnlyWhenTold) {
    testsupport::TempProgramDir program;  // the demo database
    const fs::path tables = program / "paradox";
    const fs::path target = program / "imported";

    auto run = runCli(program.path(), {"export-paradox", program.path().string(), tables.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("TB_Zakoni\t47\n"), std::string::npos) << run.out;

    run = runCli(program.path(), {"import-paradox", tables.string(), target.string()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("TB_Zakoni: 47 read, 47 stored, 0 skipped (TB_Zakoni.DB)\n"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("TB_Korisnicki: 0 read, 0 stored, 0 skipped"), std::string::npos);
    for (const char* file :
         {"Podatci/zakoni.sqlite", "Yhelvn.TTF", "Yhelvb.TTF", "Cir Helvetica.TTF",
          "Cir Helvetica Bold.TTF", "Yuerife.FON", "dostava.rtf"}) {
        EXPECT_TRUE(fs::exists(target / file)) << file;
    }
    run = runCli(program.path(), {"tables", target.string()});
    EXPECT_NE(run.out.find("TB_Misljenja\t20\n"), std::string::npos) << run.out;

    // Without --replace the database stays; a damaged table fails the
    // import and keeps it too; with --replace a sound import replaces it.
    const auto stamp = fs::last_write_time(target / "Podatci/zakoni.sqlite");
    run = runCli(program.path(), {"import-paradox", tables.string(), target.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("--replace"), std::string::npos) << run.err;
    fs::resize_file(tables / "TB_Brojevi.DB", 3000);
    run = runCli(program.path(), {"import-paradox", "--replace", tables.string(), target.string()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("TB_Brojevi.DB: damaged table"), std::string::npos) << run.err;
    EXPECT_EQ(fs::last_write_time(target / "Podatci/zakoni.sqlite"), stamp);
    fs::remove(tables / "TB_Brojevi.DB");
    run = runCli(program.path(), {"import-paradox", "--replace", tables.string(), target.string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("TB_Brojevi: no file, left empty\n"), std::string::npos) << run.out;
}

}  // namespace
