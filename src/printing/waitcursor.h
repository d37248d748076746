#pragma once
// The hourglass while a layout or a print job runs; restored also when the
// work throws. Nothing happens without a GUI application.
#include <QCursor>
#include <QGuiApplication>

namespace printing {

class WaitCursor {
  public:
    WaitCursor()
        : active_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (active_) {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        }
    }
    ~WaitCursor() {
        if (active_) {
            QGuiApplication::restoreOverrideCursor();
        }
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    bool active_;
};

}  // namespace printing
