#include "platform/guard.h"

#include "platform/log.h"
#include "platform/ui.h"

namespace platform {

void reportFailure(const std::exception& error) {
    log(std::string("step failed: ") + error.what());
    ui().message(kStepFailed, Icon::Error);
}

void reportUnknownFailure() {
    log("step failed: unknown exception");
    ui().message(kStepFailed, Icon::Error);
}

void guarded(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& error) {
        reportFailure(error);
    } catch (...) {
        reportUnknownFailure();
    }
}

}  // namespace platform
