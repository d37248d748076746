#include "platform/instancelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace platform {

InstanceLock::InstanceLock(const std::string& name) {
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    std::string base = (dir && *dir) ? dir : "/tmp";
    path_ = base + "/" + name + "-" + std::to_string(::getuid()) + ".lock";
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) {
        ::close(fd_);  // releases the lock
    }
}

bool InstanceLock::acquire(int timeoutMs) {
    if (held_) {
        return true;
    }
    if (fd_ < 0) {
        fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0) {
            return false;
        }
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            held_ = true;
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

}  // namespace platform
