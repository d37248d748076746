#pragma once
// Helpers of the search tests: a monitor that records what a search tells
// its window, and the captions of a row list.
#include <string>
#include <vector>

#include "search/monitor.h"
#include "search/rows.h"

namespace searchtest {

class RecordingMonitor : public search::Monitor {
  public:
    void setRange(long long max) override {
        range = max;
        events += 'R';
    }
    void step(long long n) override {
        steps += n;
        events += 'S';
    }
    void pump() override {
        ++pumps;
        events += 'P';
    }
    // Asks for a stop at the stopAt-th test (1-based; 0: never).
    bool stopRequested() override {
        ++stopTests;
        events += 'T';
        return stopAt != 0 && stopTests == stopAt;
    }
    // Every call as the loop's rule makes it, unpaced (the paced calls have
    // tests of their own).
    std::chrono::milliseconds pacing() const override { return std::chrono::milliseconds(0); }

    long long range = -1;
    long long steps = 0;
    int pumps = 0;
    int stopTests = 0;
    int stopAt = 0;
    std::string events;
};

inline std::vector<std::string> captions(const search::Rows& rows) {
    std::vector<std::string> result;
    for (const auto& r : rows) {
        result.push_back(r.caption);
    }
    return result;
}

}  // namespace searchtest
