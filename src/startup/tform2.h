#pragma once
// The start-up window: the application's first window. Its creation guards
// against a second instance, sets the process date format, opens the
// database session, adds the fonts and reads the program version; then it
// shows the splash picture while a timer fills the progress bar, and hands
// over to the main window, shown modally. Closing it ends the program.
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QProgressBar;
class QTimer;

namespace engine {
class Session;
}
namespace platform {
class InstanceLock;
}

class TForm2 : public QWidget {
    Q_OBJECT
  public:
    // The named lock standing in for the mutex "TrevionMutex".
    static constexpr const char* kMutexName = "TrevionMutex";
    static constexpr const char* kAlreadyRunning =
        "Trevion je vec startovan. Pritisnite taster OK za prekid startovanja nove instance.";

    // What the start-up window asks of the main window it hands over to;
    // src/app sets these when it wires the windows (an empty function does
    // nothing, and without showMain there is no hand-over).
    struct Links {
        std::function<void()> hints;     // the main window's hint handler (dohints)
        std::function<void()> showMain;  // shows the main window modally
    };
    Links links;

    // The database could not be opened at start.
    static constexpr const char* kOpenFailed =
        "Baza propisa se ne moze otvoriti. Proverite da li se folder Podatci sa tabelama nalazi "
        "pored programa, pa ponovo pokrenite program.";

    // Runs FormCreate on the given session.
    explicit TForm2(engine::Session& session, QWidget* parent = nullptr);
    ~TForm2() override;

    std::vector<std::string> ff;  // line buffer of the settings file

    // Set once pocetak() has run.
    bool started = false;
    // The pause with the full bar before the hand-over (0 in tests).
    int handoverPauseMs = 1000;
    // Ends the program; QCoreApplication::exit(0) unless a test replaces it.
    std::function<void()> endProgram;

    // True when another instance runs: this one ends without a main window.
    bool terminated() const { return terminated_; }
    // True once the window has closed. A close while the other windows are
    // still being created (a message box of theirs runs the events) comes
    // before the message loop, which must then not start.
    bool ended() const { return ended_; }
    // src/app calls this once the links are set: a hand-over that came due
    // while the windows were still being created runs when the message loop
    // starts.
    void linksReady();

    void pocetak();
    void Timer1Timer();

    // Engine environment: whether the engine is registered (its key in the
    // machine hive), its installation through "BDEinst.dll" in the program
    // directory, and the check of the registered engine's version (false:
    // the user refused to go on). GetFileVersionStr reads a file's version
    // stamp; empty when it has none.
    bool GetPelmatistryInfo();
    void instalirajBDE();
    bool proveriverzijuBDE();
    static std::string GetFileVersionStr(const std::string& path);
    // The question a version other than the delivered ones asks.
    static std::string versionQuestion(const std::string& version);

    // Font files pocetak() added; 0 when the faces were there already (a
    // later start in the same session).
    int fontsAdded = 0;

    // What the main window's first activation and close ask: hide this
    // window, stop its timer for good, close it (which ends the program).
    void hideStartup();
    void stopTimer();
    void closeStartup();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FormCreate();
    void handOver();

    engine::Session& session_;
    std::unique_ptr<platform::InstanceLock> mutex_;
    bool terminated_ = false;
    bool handingOver_ = false;
    bool handoverDue_ = false;
    bool ended_ = false;
    // The installer could not be loaded: the window closes once the message
    // loop runs, and there is no hand-over.
    bool closeRequested_ = false;
    // The registered engine's folder (without a trailing backslash) and
    // version, as the version check found them.
    std::string engineDir_;
    std::string engineVersion_;

  private:
    // Handlers reached through the controls.
    // The hand-over (the picture's click handler).
    void Image1Click();
    void ProgressBar1MouseDown();

    // Controls (names as in the window's design); tests find them by
    // object name.
    QWidget* Panel1 = nullptr;
    QLabel* Image1 = nullptr;  // the splash picture, 549 by 288
    QProgressBar* ProgressBar1 = nullptr;
    QTimer* Timer1 = nullptr;
};
