// The start-up window: creation, the splash timer and the hand-over.
#include "startup/tform2.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <filesystem>

#include "engine/types.h"
#include "fonts/fonts.h"
#include "platform/files.h"
#include "platform/guard.h"
#include "platform/instancelock.h"
#include "platform/log.h"
#include "platform/programdir.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "settings/settings.h"
#include "startup/session.h"
#include "startup/splash.h"
#include "widgets/apphint.h"
#include "yuscii/appclear.h"

TForm2::TForm2(engine::Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), session_(session) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(platform::qs("Startup"));
    setFixedSize(startup::kSplashWidth, startup::kSplashHeight);
    endProgram = [] { QCoreApplication::exit(0); };

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(rect());
    Image1 = new QLabel(Panel1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, startup::kSplashWidth, startup::kSplashHeight);
    Image1->setPixmap(startup::splashPicture());
    Image1->installEventFilter(this);
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(376, 237, 163, 21);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->installEventFilter(this);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1);
    platform::connectGuarded(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    FormCreate();
}

TForm2::~TForm2() = default;

void TForm2::FormCreate() {
    const std::filesystem::path programDir = platform::programDir();
    // 1.
    startup::setNetDir(session_, programDir);
    // 2.
    settings::dateFormat() = settings::DateFormat{'/', "dd/mm/yyyy", "dd/mm/yyyy"};
    // 3. The lock stays held while this instance runs; the kernel drops it
    // when the process ends, so a crashed instance blocks nothing.
    mutex_ = std::make_unique<platform::InstanceLock>(kMutexName);
    if (!mutex_->acquire(100)) {
        // This instance ends at once after its message.
        terminated_ = true;
        platform::ui().message(kAlreadyRunning);
        return;
    }
    // 4.
    started = false;
    // 5.
    if (!GetPelmatistryInfo()) {
        instalirajBDE();
    }
    // 6. to 9.
    try {
        startup::openDatabase(session_, programDir);
    } catch (const engine::Error& e) {
        platform::log(std::string("opening the database: ") + e.what());
        platform::ui().message(kOpenFailed, platform::Icon::Error);
    }
    // 10.
    pocetak();
    // 11.
    std::error_code ec;
    if (std::filesystem::exists(settings::kCfgFile, ec)) {
        ff = platform::readTextLines(settings::kCfgFile).value_or(std::vector<std::string>{});
        if (ff.size() > 9) {
            settings::programVersion() = settings::versionFromCfg(ff);
        }
    }
    // 12.
    show();
}

void TForm2::pocetak() {
    QCoreApplication::setApplicationName(QStringLiteral("Trevion"));
    static bool hooked = false;
    if (!hooked) {
        hooked = true;
        yuscii::appclearOnDeactivation(QCoreApplication::instance());
        yuscii::plainOutgoingText(QCoreApplication::instance(), fonts::latinFace(),
                                  fonts::cyrillicFace());
    }
    fontsAdded = fonts::installfonts();
    started = true;
    Timer1->start();
}

void TForm2::Timer1Timer() {
    ProgressBar1->setValue(std::min(ProgressBar1->value() + 10, ProgressBar1->maximum()));
    if (ProgressBar1->value() <= 90) {
        return;
    }
    Timer1->stop();
    if (handoverPauseMs > 0) {
        ProgressBar1->repaint();
        QThread::msleep(static_cast<unsigned long>(handoverPauseMs));
    }
    Image1Click();
}

void TForm2::Image1Click() {
    if (handingOver_ || closeRequested_) {
        return;  // the main window is up already, or the program ends
    }
    // 1.
    if (links.hints) {
        widgets::watchHints(QCoreApplication::instance());
        widgets::setHintHandler(links.hints);
    }
    // 2. and 3.
    if (!proveriverzijuBDE()) {
        close();
        return;
    }
    // 4. An earlier click, before the bar is full, leaves it to the timer.
    if (started && ProgressBar1->value() == ProgressBar1->maximum()) {
        handOver();
    }
}

void TForm2::handOver() {
    if (!links.showMain) {
        // The bar filled while a message box of a window still being created
        // ran the events: the main window is shown once the windows are wired.
        handoverDue_ = true;
        return;
    }
    handingOver_ = true;
    links.showMain();
}

void TForm2::linksReady() {
    if (!handoverDue_) {
        return;
    }
    handoverDue_ = false;
    QTimer::singleShot(0, this, [this] {
        if (handingOver_ || closeRequested_ || ended_) {
            return;
        }
        platform::guarded([this] {
            if (links.hints) {
                widgets::watchHints(QCoreApplication::instance());
                widgets::setHintHandler(links.hints);
            }
            handOver();
        });
    });
}

void TForm2::ProgressBar1MouseDown() {
    Image1Click();
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        platform::guarded([this] { Image1Click(); });
        return true;
    }
    if (watched == ProgressBar1 && event->type() == QEvent::MouseButtonPress) {
        platform::guarded([this] { ProgressBar1MouseDown(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TForm2::hideStartup() {
    hide();
}

void TForm2::stopTimer() {
    Timer1->stop();
}

void TForm2::closeStartup() {
    close();
}

void TForm2::closeEvent(QCloseEvent* event) {
    // The start-up window is the application's main window: closing it ends
    // the program.
    event->accept();
    Timer1->stop();
    ended_ = true;
    if (endProgram) {
        endProgram();
    }
}
