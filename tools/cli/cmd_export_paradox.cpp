// korvet-cli export-paradox DIR OUT: the tables of DIR's database written
// into OUT as Paradox tables (the inverse of import-paradox).
#include <chrono>
#include <cstdio>

#include "cli_database.h"
#include "command.h"
#include "paradox/exporter.h"

namespace {

int runExport(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: korvet-cli export-paradox DIR OUT\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    cli::ProgramDatabase program(args[0], cli::Access::Read);
    const auto tables = paradox::exportDatabase(program.session, cli::kCliAlias, args[1]);
    for (const auto& t : tables) {
        std::printf("%s\t%lld\n", t.table.c_str(), t.records);
    }
    std::printf("exported %zu tables in %.1f s\n", tables.size(),
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    return 0;
}

}  // namespace

KORVET_CLI_COMMAND("export-paradox", "export-paradox DIR OUT", runExport)
