#pragma once
// The update window: the files on the publisher's server not yet fetched,
// the two-state update button (list the server; fetch, install or offer as
// news), the progress of each transfer and the status line. It owns the
// update controller, and with it the FTP session and the table utility's
// session, for the whole run; closing it only hides it. The repair of the
// settings page runs on the same utility session.
//
// What an installed archive changes in the main window goes out through the
// signals; the proxy is asked through links. src/app connects both.
#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "update/listener.h"

class QLabel;
class QProgressBar;
class QStatusBar;
class QToolButton;
class QTreeWidget;

namespace engine {
class Session;
}
namespace update {
class UpdateController;
}

class Tupdater : public QDialog {
    Q_OBJECT
  public:
    // The datasets' session; the window works on its database alias.
    explicit Tupdater(engine::Session& session, QWidget* parent = nullptr);
    ~Tupdater() override;

    // The proxy as the settings page had it when the program started.
    struct Proxy {
        bool use = false;       // "Koristi proxy server"
        std::string address;    // Edit14
        std::string portLine;   // the settings file's proxy-port line
        std::string portField;  // Edit15
    };
    struct Links {
        std::function<Proxy()> proxy;  // empty: no proxy
    };
    Links links;

    // The part of the creation that needs the links: the FTP settings with
    // the proxy, the table utility's session, the renaming of the old local
    // archive names. src/app runs it once the links are set; the first
    // click runs it when nobody did.
    void FormCreate();

    // The repair of every table on the window's utility session; listener
    // shows its progress and messages. True when it succeeded.
    bool repair(update::Listener& listener);

    void SpeedButton1Click();
    void SpeedButton4Click();

  Q_SIGNALS:
    // An archive with the regulation table replaced the newest list.
    void newestListChanged(const std::vector<std::string>& titles);
    // An archive was installed on this date ("dd/mm/yyyy").
    void updateDateSet(const std::string& date);
    // The tables changed: the counts of regulations, opinions and contracts.
    void countsChanged();
    // A click that installed archives has ended: the search index wants its
    // rebuild.
    void tablesChanged();

  private:
    class View;
    void buildWindow();
    update::UpdateController& controller();

    engine::Session& session_;
    std::unique_ptr<View> view_;  // the controller's listener: outlives it
    std::unique_ptr<update::UpdateController> controller_;
    bool installed_ = false;  // the click under way installed an archive

    // Controls (names as in the window's design); tests find them by
    // object name.
    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label3 = nullptr;
    QTreeWidget* ListView1 = nullptr;  // the new files: name, status
    QLabel* Label2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QToolButton* SpeedButton1 = nullptr;  // "&A`uriraj" / "&Po~ni"
    QToolButton* SpeedButton4 = nullptr;  // "&Zatvori"
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusText = nullptr;  // the status bar's one line
};
