// korvet-cli diff DIR ID_OLD ID_NEW [--cyrillic]: the comparison of two
// versions of a regulation as the comparison window works it out, as text:
// for each changed, added or removed article a line "@ heading (kind)", then
// the paragraphs that differ, old ones "- ", new ones "+ ". Identical texts
// print nothing.
#include <cstdio>
#include <string>
#include <vector>

#include "cli_database.h"
#include "command.h"
#include "compare/versions.h"

namespace {

int usageError() {
    std::fprintf(stderr, "usage: korvet-cli diff DIR ID_OLD ID_NEW [--cyrillic]\n");
    return 2;
}

bool number(const std::string& text, long long& value) {
    try {
        size_t used = 0;
        value = std::stoll(text, &used);
        return used == text.size() && value >= 0;
    } catch (const std::exception&) {
        return false;
    }
}

int run(const std::vector<std::string>& args) {
    std::vector<std::string> words;
    bool cyrillic = false;
    for (const std::string& a : args) {
        if (a == "--cyrillic") {
            cyrillic = true;
        } else {
            words.push_back(a);
        }
    }
    long long oldId = 0;
    long long newId = 0;
    if (words.size() != 3 || !number(words[1], oldId) || !number(words[2], newId)) {
        return usageError();
    }
    cli::ProgramDatabase program(words[0], cli::Access::Read);
    auto comparison = compare::compareVersions(program.session, oldId, newId, cyrillic);
    if (!comparison) {
        std::fprintf(stderr, "korvet-cli diff: no regulation %lld or %lld\n", oldId, newId);
        return 1;
    }
    const std::string text = compare::formatComparison(*comparison);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

}  // namespace

KORVET_CLI_COMMAND("diff", "diff DIR ID_OLD ID_NEW [--cyrillic]", run)
