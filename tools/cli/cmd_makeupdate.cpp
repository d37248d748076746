// korvet-cli make-update DIR TABLE... OUT.zip: an update archive holding the
// named tables of the database of a program directory, whole.
#include <cstdio>

#include "cli_database.h"
#include "command.h"
#include "update/makeupdate.h"

static int runMakeUpdate(const std::vector<std::string>& args) {
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: korvet-cli make-update DIR TABLE... OUT.zip\n");
        return 2;
    }
    cli::ProgramDatabase program(args.front());
    const std::vector<std::string> tables(args.begin() + 1, args.end() - 1);
    update::makeUpdateArchive(program.session, cli::kCliAlias, tables, args.back());
    return 0;
}

KORVET_CLI_COMMAND("make-update", "make-update DIR TABLE... OUT.zip", runMakeUpdate)
