// korvet-cli search DIR [--texts] [--gazette N] WORDS...: the keyword search
// of the main window. One found regulation per line (title, gazette, BG,
// separated by tabs, YUSCII bytes as stored), then the summary.
#include <cstdio>
#include <string>
#include <vector>

#include "cli_database.h"
#include "command.h"
#include "database/datasets.h"
#include "search/keyword.h"

namespace {

void print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

int usageError() {
    std::fprintf(stderr, "usage: korvet-cli search DIR [--texts] [--gazette N] WORDS...\n");
    return 2;
}

}  // namespace

static int runSearch(const std::vector<std::string>& args) {
    search::KeywordQuery query;
    std::string dir;
    std::vector<std::string> words;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--texts") {
            query.scope = search::Scope::TitlesAndTexts;
        } else if (a == "--gazette") {
            if (i + 1 >= args.size()) {
                return usageError();
            }
            try {
                size_t used = 0;
                query.gazette = std::stoll(args[++i], &used);
                if (used != args[i].size() || query.gazette < 0) {
                    return usageError();
                }
            } catch (const std::exception&) {
                return usageError();
            }
        } else if (dir.empty()) {
            dir = a;
        } else {
            words.push_back(a);
        }
    }
    if (dir.empty()) {
        return usageError();
    }
    for (size_t i = 0; i < words.size(); ++i) {
        query.text += (i ? " " : "") + words[i];
    }

    cli::ProgramDatabase program(dir, cli::Access::Read);
    database::MainData data(program.session);
    data.openAll();
    search::Monitor quiet;
    const search::KeywordOutcome outcome =
        search::keywordSearch(data, query, quiet, [](const search::Row& row) {
            print(row.caption);
            for (const std::string& sub : row.sub) {
                print("\t" + sub);
            }
            print("\n");
        });
    print(outcome.summary + "\n");
    data.closeAll();
    return 0;
}

KORVET_CLI_COMMAND("search", "search DIR [--texts] [--gazette N] WORDS...", runSearch)
