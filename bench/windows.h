#pragma once
// The operations that run through the windows on the offscreen platform:
// the main window's first activation (datasets opened, the gazette tree and
// every list of the start-up fill in their widgets), a keyword search from
// its page into the result list, and opening the largest regulation in the
// document window with one search in it. Dialogs go through a seam that
// never blocks; any message or question a window shows is reported.
#include <filesystem>
#include <memory>
#include <vector>

#include "operations.h"

namespace bench {

class WindowBench {
  public:
    // Installs the seam and the fonts of the program directory (copied
    // there from beside this program when it has none).
    explicit WindowBench(const std::filesystem::path& programDir);
    ~WindowBench();
    WindowBench(const WindowBench&) = delete;
    WindowBench& operator=(const WindowBench&) = delete;

    std::vector<Operation> operations(const Queries& queries);

    // The dialogs the windows showed, one line each; empty when none.
    std::vector<std::string> dialogs() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace bench
