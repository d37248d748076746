#include "support/child_process.h"

#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <thread>

namespace testsupport {

namespace {

void dropFileAccessOverride() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (::syscall(SYS_capget, &header, data) != 0) {
        return;
    }
    for (int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
        const unsigned bit = 1u << (cap % 32);
        data[cap / 32].effective &= ~bit;
        data[cap / 32].permitted &= ~bit;
        data[cap / 32].inheritable &= ~bit;
    }
    ::syscall(SYS_capset, &header, data);
}

void applyLimits(const ChildLimits& limits) {
    if (limits.fileSizeLimit >= 0) {
        std::signal(SIGXFSZ, limits.dieAtFileSizeLimit ? SIG_DFL : SIG_IGN);
        const rlimit size{static_cast<rlim_t>(limits.fileSizeLimit),
                          static_cast<rlim_t>(limits.fileSizeLimit)};
        ::setrlimit(RLIMIT_FSIZE, &size);
    }
    if (limits.ordinaryUser && ::geteuid() == 0) {
        dropFileAccessOverride();
    }
}

void writeAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n <= 0) {
            return;
        }
        done += static_cast<size_t>(n);
    }
}

}  // namespace

ChildOutcome runInChild(const ChildLimits& limits,
                        const std::function<int(std::string& report)>& body) {
    std::fflush(nullptr);
    int pipeFds[2];
    if (::pipe(pipeFds) != 0) {
        throw std::runtime_error("pipe failed");
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        throw std::runtime_error("fork failed");
    }
    if (pid == 0) {
        ::close(pipeFds[0]);
        applyLimits(limits);
        std::string report;
        int code = 99;
        try {
            code = body(report);
        } catch (const std::exception& e) {
            report += std::string("exception: ") + e.what();
        }
        writeAll(pipeFds[1], report);
        ::close(pipeFds[1]);
        ::_exit(code);  // no destructors or exit handlers of the parent's objects
    }
    ::close(pipeFds[1]);
    if (limits.killAfter.count() > 0) {
        // A child that ended already is a zombie until waited for: the
        // signal cannot reach another process.
        std::this_thread::sleep_for(limits.killAfter);
        ::kill(pid, SIGKILL);
    }
    ChildOutcome outcome;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0) {
        outcome.report.append(buffer, static_cast<size_t>(n));
    }
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (WIFEXITED(status)) {
        outcome.exitCode = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        outcome.signal = WTERMSIG(status);
    }
    return outcome;
}

}  // namespace testsupport
