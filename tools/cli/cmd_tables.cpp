// korvet-cli tables DIR: each table of a program directory with its row count.
#include <cstdio>

#include "cli_database.h"
#include "command.h"
#include "engine/session.h"
#include "engine/table.h"

static int runTables(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: korvet-cli tables DIR\n");
        return 2;
    }
    cli::ProgramDatabase program(args[0], cli::Access::Read);
    for (const std::string& name : program.session.database(cli::kCliAlias).tableNames()) {
        engine::Table table(program.session, name);
        table.setDatabaseName(cli::kCliAlias);
        table.setTableName(name);
        table.setReadOnly(true);
        table.open();
        std::printf("%s\t%d\n", name.c_str(), table.recordCount());
        table.close();
    }
    return 0;
}

KORVET_CLI_COMMAND("tables", "tables DIR", runTables)
