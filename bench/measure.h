#pragma once
// Timing an operation several times after a warm-up, and the process's
// peak resident memory.
#include <functional>
#include <vector>

namespace bench {

struct Timing {
    double median = 0;  // milliseconds
    double min = 0;
    double max = 0;
};

// Calls run warmups times, then runs times; each call returns the time of
// its timed part in milliseconds.
Timing measure(int warmups, int runs, const std::function<double()>& run);

// The wall time of op in milliseconds.
double timeOf(const std::function<void()>& op);

// The median of samples (the mean of the middle two for an even count).
Timing summarize(std::vector<double> samples);

// Peak resident set size of this process so far, in MB (VmHWM).
double peakResidentMb();

}  // namespace bench
