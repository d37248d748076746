#pragma once
// The printer whose settings every print uses: the printer setup dialog
// changes it, the preview prints on it.
#include <memory>
#include <optional>
#include <string>

#include "platform/ui.h"

class QPrinter;

namespace platform {

QPrinter& sharedPrinter();

// The shared printer's page in an orientation; nullopt when the print system
// knows no printer.
std::optional<PageMetrics> sharedPrinterPage(bool landscape);

// Qt's print dialog on the shared printer, offering pages 1 to pageCount.
std::optional<PrintChoice> sharedPrintDialog(int pageCount);

// A job on the shared printer, one copy.
std::unique_ptr<PrintJob> sharedPrinterJob(const std::string& title, bool landscape);

}  // namespace platform
