#include "platform/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <memory>
#include <set>

#include "platform/log.h"

namespace platform {
namespace {

constexpr int kSuccess = 42;
constexpr int kFileNotFound = 2;
constexpr int kAccessDenied = 5;
constexpr int kNoAssociation = 31;

// How long the opener may take to tell a failure; later it counts as started.
constexpr int kOpenerWaitMs = 1500;

QUrl toUrl(const std::string& target) {
    const QString text = QString::fromStdString(target);
    const bool link = target.find(':') != std::string::npos && target.rfind('/', 0) != 0;
    return link ? QUrl(text) : QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

int fromOpenerStatus(int status) {
    switch (status) {
        case 0:
            return kSuccess;
        case 2:
            return kFileNotFound;
        case 3:
            return kNoAssociation;
        default:
            return kAccessDenied;
    }
}

// Openers that outlast the wait, reachable until they end. No parent: an
// opener that runs the program itself (a manual open in a word processor)
// must outlive our exit rather than be killed with us.
std::set<QProcess*>& runningOpeners() {
    // Never destroyed: at exit the openers still running stay reachable.
    static auto* running = new std::set<QProcess*>;
    return *running;
}

void keepRunning(QProcess* process) {
    runningOpeners().insert(process);
    const auto done = [process] {
        runningOpeners().erase(process);
        process->deleteLater();
    };
    QObject::connect(process, &QProcess::finished, process, done);
    QObject::connect(process, &QProcess::errorOccurred, process, done);
}

}  // namespace

int desktopOpen(const std::string& target, const std::string& directory) {
    const QUrl url = toUrl(target);
    if (url.isLocalFile()) {
        const QFileInfo file(url.toLocalFile());
        if (!file.exists()) {
            return kFileNotFound;
        }
        if (!file.isReadable()) {
            return kAccessDenied;
        }
    }
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        return QDesktopServices::openUrl(url) ? kSuccess : kNoAssociation;
    }
    auto process = std::make_unique<QProcess>();
    if (!directory.empty() && QDir(QString::fromStdString(directory)).exists()) {
        process->setWorkingDirectory(QString::fromStdString(directory));
    }
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    const QString argument =
        url.isLocalFile() ? url.toLocalFile() : QString::fromUtf8(url.toEncoded());
    process->start(opener, {argument});
    if (!process->waitForStarted()) {
        log("shell: " + opener.toStdString() + " did not start");
        return kNoAssociation;
    }
    if (!process->waitForFinished(kOpenerWaitMs)) {
        keepRunning(process.release());
        return kSuccess;
    }
    if (process->exitStatus() != QProcess::NormalExit) {
        return kAccessDenied;
    }
    const int status = process->exitCode();
    if (status != 0) {
        log("shell: xdg-open " + target + " ended with " + std::to_string(status));
    }
    return fromOpenerStatus(status);
}

}  // namespace platform
