#pragma once
// Running another program: its exit code, what it wrote to stdout and its
// peak resident memory.
#include <filesystem>
#include <string>
#include <vector>

namespace bench {

struct ProcessResult {
    int exitCode = -1;  // -1: it could not start or did not exit normally
    std::string output;
    double peakMb = 0;  // its peak resident memory
};

// Runs argv[0] (looked up in PATH when it has no slash) in the folder cwd
// (empty: this process's), with stdin from /dev/null and stderr inherited.
ProcessResult runProgram(const std::vector<std::string>& argv,
                         const std::filesystem::path& cwd = {});

}  // namespace bench
