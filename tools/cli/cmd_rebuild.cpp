// korvet-cli rebuild DIR [TABLE...]: verifies each table of a program
// directory's database (all when none is named), rebuilds it, and prints what
// the check found before.
#include <cstdio>

#include "cli_database.h"
#include "command.h"
#include "engine/session.h"
#include "engine/tableutil.h"

static int runRebuild(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fprintf(stderr, "usage: korvet-cli rebuild DIR [TABLE...]\n");
        return 2;
    }
    cli::ProgramDatabase program(args[0], cli::Access::Write);
    engine::Database& db = program.session.database(cli::kCliAlias);
    std::vector<std::string> tables(args.begin() + 1, args.end());
    if (tables.empty()) {
        tables = db.tableNames();
    }
    for (const std::string& name : tables) {
        const engine::VerifyResult check = engine::verifyTable(db, name);
        engine::rebuildTable(db, name);
        std::printf("%s\t%s\n", name.c_str(), check.ok ? "ok" : check.report.c_str());
    }
    return 0;
}

KORVET_CLI_COMMAND("rebuild", "rebuild DIR [TABLE...]", runRebuild)
