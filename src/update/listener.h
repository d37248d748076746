#pragma once
// What the update, installation and repair steps tell their caller. The
// update window routes messages and questions through platform::ui() and
// draws the rest; korvet-cli prints them. All texts are YUSCII bytes.
#include <string>
#include <vector>

namespace update {

enum class MessageKind {
    Plain,  // a plain message box with OK
    Error,  // an error dialog with OK
};

// Messages, questions and the progress bar: all the repair needs.
class Listener {
  public:
    virtual ~Listener() = default;

    virtual void message(const std::string& text, MessageKind kind = MessageKind::Plain) = 0;
    // A confirmation with OK and Cancel; true for OK.
    virtual bool confirm(const std::string& text) = 0;
    // The progress bar: position within 0 .. maximum.
    virtual void progress(long long position, long long maximum) = 0;
    // Called often while a long step runs, so a window can handle its events.
    virtual void idle() {}
    // What went wrong behind a message, in the engine's words, for the log.
    virtual void diagnostic(const std::string& text) { (void)text; }
};

// What an installed archive changes in the main window.
class InstallListener : public Listener {
  public:
    // The newest-regulations list, replaced by the titles of an archive that
    // carried the regulation table.
    virtual void newestList(const std::vector<std::string>& titles) = 0;
    // The date of the last update, "dd/mm/yyyy".
    virtual void updateDate(const std::string& date) = 0;
    // The tables changed: recount regulations, opinions and contracts.
    virtual void countsChanged() = 0;
};

// The two-state button of the update window.
enum class State {
    Idle,   // "&A`uriraj", black: the next click lists the server
    Ready,  // "&Po~ni", red: the next click fetches and installs
};

// The icon of a row of the new-files list.
enum class RowIcon {
    None,
    Archive,  // image 0: the name contains "zip"
    News,     // image 1: the name contains "txt"
};

// Everything the update window shows.
class UpdateListener : public InstallListener {
  public:
    virtual void statusText(const std::string& text) = 0;  // the status line
    virtual void rowsCleared() = 0;
    virtual void rowAdded(const std::string& name, RowIcon icon, const std::string& status) = 0;
    // Row by its position in the order of rowAdded since the last rowsCleared.
    virtual void rowStatus(int row, const std::string& status) = 0;
    virtual void stateChanged(State state) = 0;
    virtual void buttonEnabled(bool enabled) = 0;
};

}  // namespace update
