#include "measure.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>

namespace bench {

Timing measure(int warmups, int runs, const std::function<double()>& run) {
    for (int i = 0; i < warmups; ++i) {
        run();
    }
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) {
        samples.push_back(run());
    }
    return summarize(std::move(samples));
}

double timeOf(const std::function<void()>& op) {
    const auto start = std::chrono::steady_clock::now();
    op();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

Timing summarize(std::vector<double> samples) {
    Timing t;
    if (samples.empty()) {
        return t;
    }
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    t.median = n % 2 == 1 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    t.min = samples.front();
    t.max = samples.back();
    return t;
}

double peakResidentMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;  // the line reads "VmHWM:  1234 kB"
        }
    }
    return 0;
}

}  // namespace bench
