#include "printing/tpreviewprinter.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "platform/textconv.h"
#include "platform/ui.h"
#include "printing/pagepresets.h"
#include "printing/tpreviewform.h"
#include "printing/waitcursor.h"

namespace printing {
TPreviewPrinter::TPreviewPrinter(const PrinterSettings& settings, QObject* owner)
    : QObject(owner), PagePrinter(settings) {
    applyPagePresets(*this, platform::ys(QCoreApplication::applicationName()));
}

void TPreviewPrinter::PrintRichEdit(const QTextEdit& control) {
    PagePrinter::PrintRichEdit(*control.document());
}

std::optional<platform::PageMetrics> TPreviewPrinter::printerPage(bool landscape) const {
    return platform::ui().printerPage(landscape);
}

void TPreviewPrinter::Preview() {
    if (Recording()) {
        throw std::logic_error("Assertion failure");
    }
    TPreviewForm form(*this);
    platform::ui().showModal(form);
}

bool TPreviewPrinter::Print() {
    auto choice = platform::ui().printPages(std::max(PageCount(), 1));
    if (!choice) {
        return false;
    }
    int first = 0;
    int last = PageCount() - 1;
    if (choice->pageRange) {
        first = std::max(choice->fromPage, 1) - 1;
        last = std::min(choice->toPage, PageCount()) - 1;
    }
    for (int copy = 0; copy < std::max(choice->copies, 1); ++copy) {
        PrintRange(first, last);
    }
    return true;
}

void TPreviewPrinter::PrintRange(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, PageCount() - 1);
    if (first > last || Pages() == nullptr) {
        return;
    }
    WaitCursor wait;
    auto job = platform::ui().startPrintJob(Title, Orientation == TPrinterOrientation::poLandscape);
    if (!job) {
        return;
    }
    const platform::PageMetrics printer = job->metrics();
    const platform::PageMetrics& recorded = Pages()->page();
    for (int index = first; index <= last; ++index) {
        char text[64];
        std::snprintf(text, sizeof text, "Printing page %d", index + 1);
        status(text);
        QPainter* painter = job->newPage(index + 1);
        if (painter == nullptr) {
            break;
        }
        // Recorded coordinates count from the paper's corner.
        painter->save();
        painter->translate(-printer.offsetX, -printer.offsetY);
        painter->scale(static_cast<qreal>(printer.dpiX) / recorded.dpiX,
                       static_cast<qreal>(printer.dpiY) / recorded.dpiY);
        Pages()->paint(*painter, index);
        painter->restore();
    }
    job->finish();
    status("Print Job Complete");
}

bool hasDefaultPrinter() {
    if (platform::ui().defaultPrinter().empty()) {
        platform::ui().message("Printer nije detektovan");
        return false;
    }
    return true;
}

bool printerReady() {
    return hasDefaultPrinter() && platform::ui().printerSetup();
}

}  // namespace printing
