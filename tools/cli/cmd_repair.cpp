// korvet-cli repair DIR: verifies and rebuilds the thirteen tables of the
// database of a program directory, as the settings page's repair does.
#include <cstdio>

#include "cli_database.h"
#include "cli_listener.h"
#include "command.h"
#include "update/rebuild.h"

static int runRepair(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: korvet-cli repair DIR\n");
        return 2;
    }
    cli::ProgramDatabase program(args[0], cli::Access::Write);
    cli::PrintingListener listener;
    update::TBDEUtil util(program.session);
    const bool ok =
        update::repairDatabase(util, std::filesystem::path(args[0]) / "Podatci", listener);
    return ok ? 0 : 1;
}

KORVET_CLI_COMMAND("repair", "repair DIR", runRepair)
