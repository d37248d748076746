#pragma once
// The print-preview component: PagePrinter's layout with the preview window
// and printing on the current printer, both through the platform seam. At
// creation the settings pass through the user's stored page presets.
//
//   auto* printer = new printing::TPreviewPrinter(printing::mainWindowSettings(), this);
//   if (printing::printerReady()) {        // default printer check, setup dialog
//       printer->PrintRichEdit(*edit->document());
//       printer->Preview();
//   }
#include <QObject>
#include <QTextEdit>

#include "printing/pageprinter.h"

namespace printing {

class TPreviewPrinter : public QObject, public PagePrinter {
    Q_OBJECT
  public:
    explicit TPreviewPrinter(const PrinterSettings& settings, QObject* owner = nullptr);

    using PagePrinter::PrintRichEdit;
    // The rich-text control's document.
    void PrintRichEdit(const QTextEdit& control);

    // Shows the preview window modally over the recorded pages.
    void Preview();
    // The print dialog, then the chosen pages once per copy, each copy a job
    // of its own. True when the dialog was confirmed.
    bool Print();
    // Pages first to last (from 0) as one print job.
    void PrintRange(int first, int last);

  protected:
    std::optional<platform::PageMetrics> printerPage(bool landscape) const override;
};

// The print commands' check: without a default printer shows "Printer nije
// detektovan" and gives false; otherwise shows the printer setup dialog and
// gives whether it was confirmed.
bool printerReady();
// The check alone, with its message.
bool hasDefaultPrinter();

}  // namespace printing
