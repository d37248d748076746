#pragma once
// The application object. An error that escapes an event handler (a damaged
// table, a file that cannot be read) is the last net's: it is logged and
// reported as the guard reports (platform/guard.h), and the program goes on.
#include <QApplication>

namespace app {

class Application final : public QApplication {
  public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace app
