#pragma once
// The application object. An error that escapes an event handler (a damaged
// table, a file that cannot be read) is shown to the user with its message
// and the program goes on, instead of ending.
#include <QApplication>

namespace app {

class Application final : public QApplication {
  public:
    Application(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace app
