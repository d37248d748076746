#pragma once
// The main window's side of a long search or fill: the progress bar
// ProgressBar1 runs the range and the steps, pending window messages run
// when the loop asks, and the Escape stop request answers the loop.
#include <functional>

#include "search/monitor.h"

class QProgressBar;
class TForm1;

class WindowMonitor final : public search::Monitor {
  public:
    // The main window's progress bar and its stop request.
    explicit WindowMonitor(TForm1& form);
    // Any progress bar (may be nullptr) and stop request (may be empty).
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
