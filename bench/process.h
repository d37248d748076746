#pragma once
// Running another program: its exit code, what it wrote to stdout, how long
// it ran and, when asked, its peak resident memory.
#include <filesystem>
#include <string>
#include <vector>

namespace bench {

struct ProcessResult {
    int exitCode = -1;  // -1: it could not start or did not exit normally
    std::string output;
    double ms = 0;      // from its start to its end
    double peakMb = 0;  // its peak resident memory, when measured
};

enum class Peak { Skip, Measure };

// Runs argv[0] (looked up in PATH when it has no slash) in the folder cwd
// (empty: this process's), with stdin from /dev/null and stderr inherited.
// A fork of this process starts as large as it is and the kernel counts
// that in the child's peak, so Peak::Measure starts the program from a
// small launcher (this program again, see measuredChild), which reports the
// peak and the run time of its own child.
ProcessResult runProgram(const std::vector<std::string>& argv,
                         const std::filesystem::path& cwd = {}, Peak peak = Peak::Skip);

// The first argument that makes korvet-bench that launcher.
inline constexpr const char* kMeasuredChild = "--measured-child";

// korvet-bench --measured-child PROGRAM ARGS...: runs the program, waits for
// it and reports "peak-KB exit-code microseconds" on descriptor 3.
int measuredChild(int argc, char** argv);

}  // namespace bench
