#pragma once
// TLogger: the plain-text log of one click of the update button. Each line
// is on disk as soon as it is written.
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>

namespace update {

class TLogger {
  public:
    // Creates (or truncates) the file; when that fails the logger still
    // exists, with opened false, and writes nothing.
    explicit TLogger(const std::filesystem::path& path);
    ~TLogger();
    TLogger(const TLogger&) = delete;
    TLogger& operator=(const TLogger&) = delete;

    // The text and a line end, flushed to disk.
    void WriteLine(const std::string& text);
    // "[" + the time in the long time format + "]" + text.
    void WriteStamped(const std::string& text);

    bool opened() const { return file_ != nullptr; }

  private:
    std::mutex lock_;
    std::FILE* file_ = nullptr;
};

// The current local time in the locale's long time format.
std::string longTime();

}  // namespace update
