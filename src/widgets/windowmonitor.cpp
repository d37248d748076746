#include "widgets/windowmonitor.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <algorithm>
#include <climits>

namespace widgets {

WindowMonitor::WindowMonitor(QProgressBar* bar, std::function<bool()> stopRequest)
    : bar_(bar), stopRequest_(std::move(stopRequest)) {}

void WindowMonitor::setRange(long long max) {
    max_ = std::max(max, 0LL);
    position_ = 0;
    scale_ = max_ / INT_MAX + 1;
    if (bar_ != nullptr) {
        // An empty range shows an empty bar, not Qt's busy animation.
        bar_->setRange(0, std::max(static_cast<int>(max_ / scale_), 1));
    }
    show();
}

void WindowMonitor::step(long long n) {
    position_ += n;
    show();
}

void WindowMonitor::show() {
    if (bar_ != nullptr) {
        // A bar past its maximum stays full.
        bar_->setValue(static_cast<int>(std::clamp(position_, 0LL, max_) / scale_));
    }
}

void WindowMonitor::pump() {
    QCoreApplication::processEvents();
}

bool WindowMonitor::stopRequested() {
    return stopRequest_ && stopRequest_();
}

}  // namespace widgets
