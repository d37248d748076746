#pragma once
// Runs the built korvet-cli with arguments, its output and errors caught in
// files of a work folder. Header only.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_program_dir.h"

namespace testsupport {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string shellQuoted(const std::string& arg) {
    std::string q = "'";
    for (char c : arg) {
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return q + "'";
}

// prefix: shell words before the command, such as a ulimit. A command that
// hangs fails the test instead of holding it up.
inline CliRun runCli(const std::filesystem::path& work, const std::vector<std::string>& args,
                     const std::string& prefix = {}) {
    std::string command =
        prefix + "timeout 120 " + shellQuoted((builtProgramDir() / "korvet-cli").string());
    for (const auto& a : args) {
        command += " " + shellQuoted(a);
    }
    const std::filesystem::path out = work / "out.txt";
    const std::filesystem::path err = work / "err.txt";
    command += " >" + shellQuoted(out.string()) + " 2>" + shellQuoted(err.string());
    CliRun run;
    const int status = std::system(command.c_str());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    auto slurp = [](const std::filesystem::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    };
    run.out = slurp(out);
    run.err = slurp(err);
    return run;
}

}  // namespace testsupport
