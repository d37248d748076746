// korvet-cli reindex DIR: builds the text data of the keyword searches for
// the database of a program directory (the plain texts beside the rich
// texts, the full-text index files and the catalog of the publication
// rows, made again even when current), and prints their size.
#include <cstdio>

#include "cli_database.h"
#include "command.h"
#include "engine/session.h"
#include "search/textindex.h"
#include "search/textrebuild.h"

static int runReindex(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: korvet-cli reindex DIR\n");
        return 2;
    }
    cli::ProgramDatabase program(args[0], cli::Access::Write);
    search::RebuildOptions everything;
    everything.force = true;
    search::rebuildTextIndex(program.session, cli::kCliAlias, everything);
    engine::Database& db = program.session.database(cli::kCliAlias);
    for (const auto& [table, name] : {std::pair{search::TextTable::Regulations, "regulations"},
                                      std::pair{search::TextTable::Opinions, "opinions"}}) {
        if (const auto info = search::textIndexInfo(db, table)) {
            std::printf("%s\t%lld texts\t%lld tokens\t%lld bytes\t%lld plain-text bytes\n", name,
                        info->documents, info->tokens, info->bytes,
                        search::textCopy(db, table).bytes());
        }
    }
    return 0;
}

KORVET_CLI_COMMAND("reindex", "reindex DIR", runReindex)
