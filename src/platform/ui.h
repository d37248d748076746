#pragma once
// The one seam through which the program shows message boxes, asks
// questions, shows windows modally, opens printer dialogs, calls the shell,
// uses the clipboard and beeps. The running program installs QtUi; tests
// install a scripted implementation that records every text and answers from
// a queue. All texts are YUSCII bytes.
#include <memory>
#include <optional>
#include <string>

#include "platform/printpage.h"

class QDialog;
class QPainter;

namespace platform {

// One print job. Pages are drawn in order; a page's painter counts printer
// pixels from the corner of the printable area.
class PrintJob {
  public:
    virtual ~PrintJob() = default;
    virtual PageMetrics metrics() const = 0;
    // The painter of the next page (the first call begins the first page);
    // nullptr when the printer failed. pageNumber (from 1) names the page.
    virtual QPainter* newPage(int pageNumber) = 0;
    // Ends the job; false when the printer reported a failure.
    virtual bool finish() = 0;
};

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

    // The print system. Each has a default here, so that a seam which
    // overrides only the dialogs above stays complete.
    //
    // The current printer's page in an orientation; nullopt when no printer
    // is installed. Default: the printer the setup dialog configures.
    virtual std::optional<PageMetrics> printerPage(bool landscape);
    // The print dialog offering pages 1 to pageCount; nullopt when cancelled.
    // Default: printDialog(), then all pages once.
    virtual std::optional<PrintChoice> printPages(int pageCount);
    // Starts a job on the current printer; nullptr when it cannot start.
    virtual std::unique_ptr<PrintJob> startPrintJob(const std::string& title, bool landscape);
    // The file name (UTF-8) the user gives in a save dialog; nullopt when
    // cancelled. filter is a dialog filter such as "PDF (*.pdf)". Default:
    // nothing is asked, nullopt.
    virtual std::optional<std::string> saveFileName(const std::string& caption,
                                                    const std::string& filter,
                                                    const std::string& suggested);

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
