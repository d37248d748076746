#include "app/application.h"

#include <exception>

#include "platform/guard.h"

namespace app {

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        platform::reportFailure(e);
    } catch (...) {
        platform::reportUnknownFailure();
    }
    return false;
}

}  // namespace app
