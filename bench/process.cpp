#include "process.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>

namespace bench {

namespace {

constexpr int kReportFd = 3;  // the launcher's report

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string readAll(int fd) {
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            text.append(buffer, static_cast<size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            return text;
        }
    }
}

int waitFor(pid_t pid, rusage* usage) {
    int status = 0;
    while (::wait4(pid, &status, 0, usage) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

ProcessResult runProgram(const std::vector<std::string>& argv, const std::filesystem::path& cwd,
                         Peak peak) {
    ProcessResult result;
    if (argv.empty()) {
        return result;
    }
    std::vector<char*> args;
    if (peak == Peak::Measure) {
        args = {const_cast<char*>("korvet-bench"), const_cast<char*>(kMeasuredChild)};
    }
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    const std::string dir = cwd.string();

    int out[2];
    int report[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        return result;
    }
    if (::pipe2(report, O_CLOEXEC) != 0) {
        ::close(out[0]);
        ::close(out[1]);
        return result;
    }
    const Clock::time_point start = Clock::now();
    const pid_t pid = ::fork();
    if (pid < 0) {
        for (int fd : {out[0], out[1], report[0], report[1]}) {
            ::close(fd);
        }
        return result;
    }
    if (pid == 0) {
        // The child: only async-signal-safe calls until exec.
        const int null = ::open("/dev/null", O_RDONLY);
        if (null >= 0) {
            ::dup2(null, STDIN_FILENO);
        }
        ::dup2(out[1], STDOUT_FILENO);
        if (!dir.empty() && ::chdir(dir.c_str()) != 0) {
            ::_exit(127);
        }
        if (peak == Peak::Measure) {
            ::dup2(report[1], kReportFd);
            ::execv("/proc/self/exe", args.data());
        } else {
            ::execvp(args[0], args.data());
        }
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(report[1]);
    result.output = readAll(out[0]);
    ::close(out[0]);
    const std::string measured = readAll(report[0]);
    ::close(report[0]);
    const int exitCode = waitFor(pid, nullptr);
    result.ms = msSince(start);
    result.exitCode = exitCode;
    if (peak == Peak::Measure) {
        long long peakKb = 0;
        long long micros = 0;
        result.exitCode = -1;
        if (exitCode == 0 && std::sscanf(measured.c_str(), "%lld %d %lld", &peakKb,
                                         &result.exitCode, &micros) == 3) {
            result.peakMb = static_cast<double>(peakKb) / 1024.0;
            result.ms = static_cast<double>(micros) / 1000.0;
        }
    }
    return result;
}

int measuredChild(int argc, char** argv) {
    if (argc < 3) {
        return 127;
    }
    const Clock::time_point start = Clock::now();
    const pid_t pid = ::fork();
    if (pid < 0) {
        return 127;
    }
    if (pid == 0) {
        ::close(kReportFd);
        ::execvp(argv[2], argv + 2);
        ::_exit(127);
    }
    rusage usage{};
    const int exitCode = waitFor(pid, &usage);
    const auto micros = static_cast<long long>(msSince(start) * 1000.0);
    const std::string text = std::to_string(usage.ru_maxrss) + " " + std::to_string(exitCode) +
                             " " + std::to_string(micros);
    return ::write(kReportFd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) ? 0
                                                                                             : 1;
}

}  // namespace bench
