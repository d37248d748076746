// korvet-cli: the core operations of Korvet from the command line.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <string>
#include <vector>

#include "command.h"
#include "platform/files.h"

namespace cli {
namespace {
std::map<std::string, Command>& commands() {
    static std::map<std::string, Command> all;
    return all;
}
}  // namespace

bool registerCommand(const Command& command) {
    commands()[command.name] = command;
    return true;
}

}  // namespace cli

static int usage() {
    std::fprintf(stderr, "usage: korvet-cli COMMAND ...\ncommands:\n");
    for (const auto& [name, command] : cli::commands()) {
        std::fprintf(stderr, "  korvet-cli %s\n", command.usage);
    }
    return 2;
}

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
        return usage();
    }
    auto it = cli::commands().find(argv[1]);
    if (it == cli::commands().end()) {
        std::fprintf(stderr, "korvet-cli: unknown command '%s'\n",
                     platform::printable(argv[1]).c_str());
        return usage();
    }
    // Past a file-size limit a write fails and the command says so, instead
    // of the signal ending the process in the middle of a write.
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> args(argv + 2, argv + argc);
    try {
        return it->second.run(args);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvet-cli %s: %s\n", argv[1], e.what());
        return 1;
    }
}
