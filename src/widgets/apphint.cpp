#include "widgets/apphint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStatusTipEvent>
#include <QWidget>

#include "platform/textconv.h"

namespace widgets {
namespace {

std::string& hintText() {
    static std::string text;
    return text;
}

std::function<void()>& handlerFunction() {
    static std::function<void()> handler;
    return handler;
}

// A status tip travels from the control up through its parents; the text
// comparison in setCurrentHint() makes the handler run once per change.
class StatusTipWatch final : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::StatusTip) {
            setCurrentHint(platform::ys(static_cast<QStatusTipEvent*>(event)->tip()));
        }
        return false;
    }
};

}  // namespace

void setHint(QWidget* control, const std::string& hint) {
    control->setToolTip(platform::qs(hint));
    control->setStatusTip(platform::qs(hint));
}

const std::string& currentHint() {
    return hintText();
}

void setCurrentHint(const std::string& text) {
    if (text == hintText()) {
        return;
    }
    hintText() = text;
    if (handlerFunction()) {
        handlerFunction()();
    }
}

void setHintHandler(std::function<void()> handler) {
    handlerFunction() = std::move(handler);
}

void watchHints(QCoreApplication* app) {
    static QCoreApplication* watched = nullptr;
    if (watched == app) {
        return;
    }
    watched = app;
    app->installEventFilter(new StatusTipWatch(app));
}

}  // namespace widgets
