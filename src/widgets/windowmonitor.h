#pragma once
// A window's side of a long search or fill: its progress bar runs the range
// and the steps, pending window messages run when the loop asks, and the
// window's stop request (Escape) answers the loop.
#include <functional>

#include "search/monitor.h"

class QProgressBar;

namespace widgets {

class WindowMonitor final : public search::Monitor {
  public:
    // A progress bar (may be nullptr) and a stop request (may be empty).
    WindowMonitor(QProgressBar* bar, std::function<bool()> stopRequest);

    void setRange(long long max) override;
    void step(long long n = 1) override;
    void pump() override;
    bool stopRequested() override;

  private:
    void show();

    QProgressBar* bar_;
    std::function<bool()> stopRequest_;
    long long max_ = 0;
    long long position_ = 0;
    long long scale_ = 1;  // a range beyond int is shown in steps of scale_
};

}  // namespace widgets
