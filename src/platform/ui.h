#pragma once
// The one seam through which the program shows message boxes, asks
// questions, shows windows modally, opens printer dialogs, calls the shell,
// uses the clipboard and beeps. The running program installs QtUi; tests
// install a scripted implementation that records every text and answers from
// a queue. All texts are YUSCII bytes.
#include <optional>
#include <string>

class QDialog;

namespace platform {

enum class Icon { None, Information, Warning, Error, Question };

class Ui {
  public:
    virtual ~Ui() = default;

    // A plain message box with an OK button (the system font; most texts are
    // plain ASCII).
    virtual void message(const std::string& text, Icon icon = Icon::None) = 0;

    // A confirmation with OK and Cancel; true for OK. Closing the box counts
    // as Cancel.
    virtual bool confirm(const std::string& text, Icon icon = Icon::Question) = 0;

    // An input box; the entered text on OK, nullopt on Cancel.
    virtual std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                             const std::string& initial) = 0;

    // Shows a window modally and returns its result code.
    virtual int showModal(QDialog& dialog) = 0;

    // Printer setup and print dialogs; true when the user confirmed.
    virtual bool printerSetup() = 0;
    virtual bool printDialog() = 0;

    // The default printer's name; empty when none is configured.
    virtual std::string defaultPrinter() = 0;

    // Opens a document or link with the desktop; returns a shell result code
    // (above 32 is success, smaller values are the documented error codes).
    virtual int shellOpen(const std::string& verb, const std::string& target,
                          const std::string& directory) = 0;

    // Plain-text clipboard. ownsClipboardText() tells whether the text on the
    // clipboard was put there by this program.
    virtual std::string clipboardText() = 0;
    virtual void setClipboardText(const std::string& text) = 0;
    virtual bool ownsClipboardText() = 0;

    // A short system beep.
    virtual void beep() = 0;
};

// The installed implementation (QtUi until setUi is called).
Ui& ui();
// Installs an implementation; nullptr goes back to QtUi. Not owned.
void setUi(Ui* implementation);

}  // namespace platform
