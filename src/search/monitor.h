#pragma once
// What a long search or fill tells its window, and what it asks of it: the
// progress bar's range and steps, a chance for pending window messages to
// run, and the Escape stop request. The base class does nothing, which is
// what korvet-cli and the benchmark want.
#include <chrono>

namespace search {

class Monitor {
  public:
    virtual ~Monitor() = default;

    // The progress bar now runs from 0 to max, at position 0.
    virtual void setRange(long long max) { (void)max; }
    // Advances the progress bar by n.
    virtual void step(long long n = 1) { (void)n; }
    // Lets pending window messages run.
    virtual void pump() {}
    // Tests the stop request and clears it: true once per Escape.
    virtual bool stopRequested() { return false; }

    // How often a loop that tests its rows in memory lets pending messages
    // run; zero: whenever the loop's rule says (once per row). With an
    // interval the loop runs them at most that often and tests the stop
    // request at its first row and after each run, and the progress bar
    // moves by the steps made meanwhile. The stop request is only ever set
    // while messages run, so the rows found are the same either way.
    virtual std::chrono::milliseconds pacing() const { return std::chrono::milliseconds(20); }
};

// A Monitor as a fast loop uses it: the calls of the loop's rule, passed on
// at the monitor's pacing (see Monitor::pacing).
class Pacer {
  public:
    explicit Pacer(Monitor& monitor);
    ~Pacer();  // passes on the steps not yet passed on
    Pacer(const Pacer&) = delete;
    Pacer& operator=(const Pacer&) = delete;

    void setRange(long long max) { monitor_.setRange(max); }
    void step(long long n = 1);
    void pump();
    bool stopRequested();
    // Passes on the steps made so far.
    void flush();

  private:
    Monitor& monitor_;
    std::chrono::steady_clock::duration interval_;
    std::chrono::steady_clock::time_point lastPump_;
    long long pending_ = 0;
    bool paced_;
    bool testStop_ = true;
};

}  // namespace search
