// Pelmat: re-installs the database engine with one button.
#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <string>

#include "platform/programdir.h"
#include "reinstaller/tform1.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelmat"));
    // The window is a tool window, which Qt does not count as the last
    // window; its close ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    reinstaller::TForm1 form(platform::executableDir());
    form.show();
    // KORVET_SCREENSHOT=pfx saves pfx-pelmat.png once the window is up and ends.
    if (const char* prefix = std::getenv("KORVET_SCREENSHOT"); prefix != nullptr && *prefix) {
        QTimer::singleShot(500, &form, [&form, shot = std::string(prefix) + "-pelmat.png"] {
            form.grab().save(QString::fromStdString(shot));
            form.close();
        });
    }
    return QApplication::exec();
}
