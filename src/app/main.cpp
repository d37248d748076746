// Korvet: the reader of the regulation database.
#include <csignal>
#include <filesystem>
#include <system_error>

#include "app/application.h"
#include "app/testhooks.h"
#include "app/windows.h"
#include "engine/session.h"
#include "platform/log.h"
#include "platform/programdir.h"
#include "platform/workfolder.h"

int main(int argc, char** argv) {
    // Past a file-size limit a write fails and the save says so (the disk-full
    // message), instead of the signal ending the program in the middle of it.
    std::signal(SIGXFSZ, SIG_IGN);
    // The bare file names the program uses ("trevion.cfg", "log.txt") are the
    // files beside it, wherever it was started from. An installed program
    // works in the user's own copy of its folder.
    const auto folder = platform::workFolder(platform::executableDir());
    platform::setProgramDir(folder);
    std::error_code ec;
    std::filesystem::current_path(folder, ec);
    platform::setLogFile(folder / "korvet.log");

    app::Application application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevion"));
    // The program ends when the start-up window closes, not with its last
    // visible window.
    QApplication::setQuitOnLastWindowClosed(false);
    app::installUiLog();

    auto windows = app::createWindows(engine::Session::global());
    if (windows->form2->terminated()) {
        return 0;  // another instance runs
    }
    if (windows->form2->ended()) {
        return 0;  // closed while the windows were being created
    }
    app::installRunHooks(*windows);
    return QApplication::exec();
}
