#pragma once
// Runs a piece of a test in a forked child under limits the test process
// itself must not take: a file-size limit (a full disk), root without its
// right to ignore file permissions (a read-only folder), a death in the
// middle of a write (a crash). The parent then checks what is on the disk.
#include <chrono>
#include <functional>
#include <string>

namespace testsupport {

struct ChildLimits {
    // Bytes a file may grow to (RLIMIT_FSIZE); negative: no limit.
    long long fileSizeLimit = -1;
    // Past the limit the child dies at once (SIGXFSZ), as in a crash in the
    // middle of a write; otherwise the write fails (EFBIG), as on a full disk.
    bool dieAtFileSizeLimit = false;
    // Root loses the capabilities that let it ignore file permissions, so a
    // read-only folder is read-only for it too.
    bool ordinaryUser = false;
    // The parent kills the child (SIGKILL) this long after it started, as a
    // crash at that moment would; zero: the child runs to its end.
    std::chrono::microseconds killAfter{0};
};

struct ChildOutcome {
    int exitCode = -1;   // the body's return value; -1 when killed
    int signal = 0;      // the signal that killed the child
    std::string report;  // what the body put into its report
};

// Runs body in a forked child under the limits. An exception that escapes
// body is reported with exit code 99. Test assertions inside body do not
// reach the parent: return a code and report text instead.
ChildOutcome runInChild(const ChildLimits& limits,
                        const std::function<int(std::string& report)>& body);

}  // namespace testsupport
