#include "platform/ui.h"

#include "platform/printer.h"

namespace platform {

Ui& qtUi();  // ui_qt.cpp

namespace {
Ui* installed = nullptr;
}

Ui& ui() {
    return installed ? *installed : qtUi();
}

void setUi(Ui* implementation) {
    installed = implementation;
}

std::optional<PageMetrics> Ui::printerPage(bool landscape) {
    return sharedPrinterPage(landscape);
}

std::optional<PrintChoice> Ui::printPages(int pageCount) {
    if (!printDialog()) {
        return std::nullopt;
    }
    return PrintChoice{false, 1, pageCount, 1};
}

std::unique_ptr<PrintJob> Ui::startPrintJob(const std::string& title, bool landscape) {
    return sharedPrinterJob(title, landscape);
}

std::optional<std::string> Ui::saveFileName(const std::string& /*caption*/,
                                            const std::string& /*filter*/,
                                            const std::string& /*suggested*/) {
    return std::nullopt;
}

}  // namespace platform
