#include "app/application.h"

#include <exception>
#include <string>

#include "platform/ui.h"

namespace app {

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        platform::ui().message(e.what(), platform::Icon::Error);
    }
    return false;
}

}  // namespace app
