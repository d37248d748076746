#include "process.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace bench {

ProcessResult runProgram(const std::vector<std::string>& argv, const std::filesystem::path& cwd) {
    ProcessResult result;
    if (argv.empty()) {
        return result;
    }
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    const std::string dir = cwd.string();

    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        return result;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(out[0]);
        ::close(out[1]);
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
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    ::close(out[1]);
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n > 0) {
            result.output.append(buffer, static_cast<size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    ::close(out[0]);
    int status = 0;
    struct rusage usage {};
    while (::wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return result;
}

}  // namespace bench
