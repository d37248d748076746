#pragma once
// What a long search or fill tells its window, and what it asks of it: the
// progress bar's range and steps, a chance for pending window messages to
// run, and the Escape stop request. The base class does nothing, which is
// what korvet-cli and the benchmark want.
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
};

}  // namespace search
