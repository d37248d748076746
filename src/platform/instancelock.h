#pragma once
// A named lock standing in for a named mutex between processes of one user.
// It is an advisory lock on a file in the user's runtime folder
// ($XDG_RUNTIME_DIR, else the temporary folder); the kernel drops it when the
// holding process ends, so a crashed instance never blocks the next start.
#include <string>

namespace platform {

class InstanceLock {
  public:
    explicit InstanceLock(const std::string& name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Tries to take the lock, waiting at most timeoutMs. False when another
    // process holds it (or the lock file cannot be opened).
    bool acquire(int timeoutMs);
    bool held() const { return held_; }

  private:
    std::string path_;
    int fd_ = -1;
    bool held_ = false;
};

}  // namespace platform
