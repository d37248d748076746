#pragma once
// Runs a command line through the shell for a test: its exit status and
// standard output (standard error goes to the test's own).
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace testsupport {

struct RunResult {
    int status = -1;  // the exit status; -1 when it did not exit normally
    std::string out;
};

inline RunResult run(const std::string& command) {
    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, n);
    }
    int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result;
}

// A path as one shell word.
inline std::string shellQuote(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out + "'";
}

// Debian's Python, which has the modules the tests use (pyftpdlib).
inline constexpr const char* kSystemPython = "/usr/bin/python3";

}  // namespace testsupport
