// korvet-cli filter DIR TABLE 'EXPR' [--ci]: the first field of each row that
// passes the filter, in the table's primary order.
#include <cstdio>
#include <string>

#include "cli_database.h"
#include "command.h"
#include "engine/table.h"
#include "platform/files.h"

static int runFilter(const std::vector<std::string>& args) {
    std::vector<std::string> words;
    bool caseInsensitive = false;
    for (const std::string& a : args) {
        if (a == "--ci") {
            caseInsensitive = true;
        } else {
            words.push_back(a);
        }
    }
    if (words.size() != 3) {
        std::fprintf(stderr, "usage: korvet-cli filter DIR TABLE 'EXPR' [--ci]\n");
        return 2;
    }
    cli::ProgramDatabase program(words[0], cli::Access::Read);
    engine::Table table(program.session, words[1]);
    table.setDatabaseName(cli::kCliAlias);
    table.setTableName(words[1]);
    table.setReadOnly(true);
    table.setFilterCaseInsensitive(caseInsensitive);
    table.open();
    try {
        table.setFilter(words[2]);
    } catch (const engine::FilterError& e) {
        // The expression shown as typed, control bytes escaped; the caret
        // under the position.
        const size_t at = std::min(e.position(), words[2].size());
        std::fprintf(stderr, "korvet-cli filter: %s at position %zu\n  %s\n  %s^\n",
                     e.problem().c_str(), e.position(), platform::printable(words[2]).c_str(),
                     std::string(platform::printable(words[2].substr(0, at)).size(), ' ').c_str());
        return 1;
    }
    table.setFiltered(true);
    for (table.first(); !table.eof(); table.next()) {
        const std::string value = table.field(0).asString();
        std::fwrite(value.data(), 1, value.size(), stdout);
        std::fputc('\n', stdout);
    }
    return 0;
}

KORVET_CLI_COMMAND("filter", "filter DIR TABLE 'EXPR' [--ci]", runFilter)
