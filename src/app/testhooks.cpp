#include "app/testhooks.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/windows.h"
#include "platform/env.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "settings/settings.h"

namespace app {
namespace {

using platform::env;

class LoggingUi final : public platform::Ui {
  public:
    LoggingUi(std::string path, platform::Ui& real, bool realBoxes)
        : path_(std::move(path)), real_(real), realBoxes_(realBoxes) {}

    void message(const std::string& text, platform::Icon icon) override {
        log("message", text);
        if (realBoxes_) {
            answerSoon();
            real_.message(text, icon);
        }
    }
    bool confirm(const std::string& text, platform::Icon icon) override {
        log("confirm", text);
        if (realBoxes_) {
            answerSoon();
            return real_.confirm(text, icon);
        }
        return true;
    }
    std::optional<std::string> input(const std::string&, const std::string& prompt,
                                     const std::string& initial) override {
        log("input", prompt);
        return initial;
    }
    int showModal(QDialog& dialog) override {
        log("modal", platform::ys(dialog.windowTitle()));
        return real_.showModal(dialog);
    }
    bool printerSetup() override { return false; }
    bool printDialog() override { return false; }
    std::string defaultPrinter() override { return real_.defaultPrinter(); }
    int shellOpen(const std::string& verb, const std::string& target,
                  const std::string& directory) override {
        log("shell", verb + "|" + target + "|" + directory);
        return 42;
    }
    std::string clipboardText() override { return real_.clipboardText(); }
    void setClipboardText(const std::string& text) override { real_.setClipboardText(text); }
    bool ownsClipboardText() override { return real_.ownsClipboardText(); }
    void beep() override {}

  private:
    // The real box is shown; a moment later it is logged with the window it
    // sits over ("box over: <title>", or "box on top" for one that stays
    // above every window) and answered with OK.
    void answerSoon() {
        QTimer::singleShot(300, QCoreApplication::instance(), [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                log("box", "not shown");
                return;
            }
            if (box->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
                log("box", "on top");
            } else if (QWidget* owner = box->parentWidget()) {
                log("box over", platform::ys(owner->window()->windowTitle()));
            } else {
                log("box", "without owner");
            }
            box->button(QMessageBox::Ok)->click();
        });
    }

    void log(const char* kind, const std::string& text) {
        std::ofstream out(path_, std::ios::binary | std::ios::app);
        out << kind << ": " << text << '\n';
    }

    std::string path_;
    platform::Ui& real_;
    bool realBoxes_;
};

}  // namespace

void installUiLog() {
    if (const char* path = env("KORVET_UI_LOG")) {
        static LoggingUi logging(path, platform::ui(), env("KORVET_REAL_BOXES") != nullptr);
        platform::setUi(&logging);
    }
}

void installRunHooks(Windows& windows) {
    const char* shots = env("KORVET_SCREENSHOT");
    if (shots == nullptr && env("KORVET_AUTOCLOSE") == nullptr) {
        return;
    }
    const std::string prefix = shots != nullptr ? shots : "";
    if (!prefix.empty()) {
        windows.form2->grab().save(QString::fromStdString(prefix + "-splash.png"));
    }
    TForm1* main = windows.form1.get();
    // Polls from inside the main window's modal loop as well.
    auto* poll = new QTimer(QCoreApplication::instance());
    poll->setInterval(200);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, prefix, main] {
        if (!main->isVisible() || main->firstActivation) {
            return;
        }
        poll->stop();
        QTimer::singleShot(700, main, [prefix, main] {
            if (!prefix.empty()) {
                if (QScreen* screen = QGuiApplication::primaryScreen()) {
                    screen->grabWindow(0).save(QString::fromStdString(prefix + "-main.png"));
                }
                for (int page = 0; page < settings::kPageCount; ++page) {
                    main->selectPage(page);
                    // Let the page lay itself out before it is drawn.
                    QCoreApplication::processEvents();
                    main->grab().save(
                        QString::fromStdString(prefix + "-page" + std::to_string(page) + ".png"));
                }
            }
            main->close();
        });
    });
    poll->start();
}

}  // namespace app
