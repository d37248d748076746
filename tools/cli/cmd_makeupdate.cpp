// korvet-cli make-update DIR TABLE... OUT.zip [--format sqlite|paradox]: an
// update archive holding the named tables of the database of a program
// directory, whole; each table a SQLite table file (the default) or a
// Paradox table with its memo file, as the publisher issues them.
#include <cstdio>

#include "cli_database.h"
#include "command.h"
#include "update/makeupdate.h"

static int runMakeUpdate(const std::vector<std::string>& args) {
    update::TableFormat format = update::TableFormat::Sqlite;
    std::vector<std::string> words;
    bool usage = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--format") {
            words.push_back(args[i]);
        } else if (i + 1 < args.size() && args[i + 1] == "paradox") {
            format = update::TableFormat::Paradox;
            ++i;
        } else if (i + 1 < args.size() && args[i + 1] == "sqlite") {
            format = update::TableFormat::Sqlite;
            ++i;
        } else {
            usage = true;
        }
    }
    if (usage || words.size() < 3) {
        std::fprintf(stderr,
                     "usage: korvet-cli make-update DIR TABLE... OUT.zip [--format "
                     "sqlite|paradox]\n");
        return 2;
    }
    cli::ProgramDatabase program(words.front(), cli::Access::Read);
    const std::vector<std::string> tables(words.begin() + 1, words.end() - 1);
    update::makeUpdateArchive(program.session, cli::kCliAlias, tables, words.back(), format);
    return 0;
}

KORVET_CLI_COMMAND("make-update", "make-update DIR TABLE... OUT.zip [--format sqlite|paradox]",
                   runMakeUpdate)
