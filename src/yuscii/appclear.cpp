#include "yuscii/appclear.h"

#include <QApplicationStateChangeEvent>
#include <QCoreApplication>
#include <QWidget>

#include "platform/ui.h"
#include "yuscii/transliterate.h"

namespace yuscii {

namespace {

class DeactivationWatch final : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::ApplicationStateChange &&
            static_cast<QApplicationStateChangeEvent*>(event)->applicationState() !=
                Qt::ApplicationActive) {
            appclear();
        }
        return false;
    }
};

class MinimiseWatch final : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::WindowStateChange &&
            static_cast<QWidget*>(watched)->isMinimized()) {
            appclear();
        }
        return false;
    }
};

}  // namespace

void appclear() {
    platform::Ui& ui = platform::ui();
    if (!ui.ownsClipboardText()) {
        return;
    }
    const std::string text = ui.clipboardText();
    const std::string plain = transliterate(text);
    if (plain != text) {
        ui.setClipboardText(plain);
    }
}

void appclearOnDeactivation(QCoreApplication* app) {
    app->installEventFilter(new DeactivationWatch(app));
}

void appclearOnMinimise(QWidget* window) {
    window->installEventFilter(new MinimiseWatch(window));
}

}  // namespace yuscii
