#pragma once
// Commands of korvet-cli register themselves from their own source file:
//
//   static int run(const std::vector<std::string>& args) { ... }
//   KORVET_CLI_COMMAND("tables", "tables DIR", run)
//
// args are the words after the command name. A command prints its result on
// stdout, problems on stderr, and returns the exit code.
#include <string>
#include <vector>

namespace cli {

using Runner = int (*)(const std::vector<std::string>& args);

struct Command {
    const char* name;
    const char* usage;
    Runner run;
};

bool registerCommand(const Command& command);

}  // namespace cli

#define KORVET_CLI_CONCAT2(a, b) a##b
#define KORVET_CLI_CONCAT(a, b) KORVET_CLI_CONCAT2(a, b)
#define KORVET_CLI_COMMAND(name, usage, runner)                                              \
    namespace {                                                                              \
    const bool KORVET_CLI_CONCAT(registered_, __LINE__) = cli::registerCommand(cli::Command{ \
        name, usage, runner});                                                               \
    }
