#include "search/monitor.h"

namespace search {

Pacer::Pacer(Monitor& monitor)
    : monitor_(monitor),
      interval_(monitor.pacing()),
      lastPump_(std::chrono::steady_clock::time_point::min()),
      paced_(monitor.pacing().count() > 0) {}

Pacer::~Pacer() {
    flush();
}

void Pacer::step(long long n) {
    if (paced_) {
        pending_ += n;
    } else {
        monitor_.step(n);
    }
}

void Pacer::flush() {
    if (pending_ != 0) {
        monitor_.step(pending_);
        pending_ = 0;
    }
}

void Pacer::pump() {
    if (!paced_) {
        monitor_.pump();
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    if (lastPump_ != std::chrono::steady_clock::time_point::min() && now - lastPump_ < interval_) {
        return;
    }
    flush();
    monitor_.pump();
    lastPump_ = now;
    testStop_ = true;
}

bool Pacer::stopRequested() {
    if (!paced_) {
        return monitor_.stopRequested();
    }
    if (!testStop_) {
        return false;
    }
    testStop_ = false;
    return monitor_.stopRequested();
}

}  // namespace search
