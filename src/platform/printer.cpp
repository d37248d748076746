#include "platform/printer.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/textconv.h"

namespace platform {
namespace {

void orient(QPrinter& printer, bool landscape) {
    printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

PageMetrics metricsOf(QPrinter& printer) {
    const int dpi = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect paper = layout.fullRectPixels(dpi);
    const QRect printable = layout.paintRectPixels(dpi);
    return {dpi, dpi, paper.width(), paper.height(), printable.left(), printable.top()};
}

class QtPrintJob final : public PrintJob {
  public:
    QtPrintJob(const std::string& title, bool landscape) : printer_(sharedPrinter()) {
        orient(printer_, landscape);
        printer_.setDocName(qs(title));
        printer_.setFullPage(false);
        printer_.setCopyCount(1);  // each copy is a job of its own
    }
    ~QtPrintJob() override { finish(); }

    PageMetrics metrics() const override { return metricsOf(printer_); }

    QPainter* newPage(int /*pageNumber*/) override {
        if (!painter_.isActive()) {
            if (started_ || !painter_.begin(&printer_)) {
                return nullptr;
            }
            started_ = true;
            return &painter_;
        }
        return printer_.newPage() ? &painter_ : nullptr;
    }

    bool finish() override {
        if (painter_.isActive()) {
            return painter_.end() && printer_.printerState() != QPrinter::Error;
        }
        return started_;
    }

  private:
    QPrinter& printer_;
    QPainter painter_;
    bool started_ = false;
};

}  // namespace

QPrinter& sharedPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}

std::optional<PageMetrics> sharedPrinterPage(bool landscape) {
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        return std::nullopt;
    }
    QPrinter& printer = sharedPrinter();
    orient(printer, landscape);
    PageMetrics page = metricsOf(printer);
    if (page.width <= 0 || page.height <= 0) {
        return std::nullopt;
    }
    return page;
}

std::optional<PrintChoice> sharedPrintDialog(int pageCount) {
    QPrinter& printer = sharedPrinter();
    printer.setCopyCount(1);
    QPrintDialog dialog(&printer);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, pageCount);
    printer.setFromTo(1, pageCount);
    printer.setPrintRange(QPrinter::AllPages);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    PrintChoice choice;
    choice.pageRange = printer.printRange() == QPrinter::PageRange;
    choice.fromPage = printer.fromPage();
    choice.toPage = printer.toPage();
    choice.copies = printer.copyCount();
    printer.setCopyCount(1);
    return choice;
}

std::unique_ptr<PrintJob> sharedPrinterJob(const std::string& title, bool landscape) {
    return std::make_unique<QtPrintJob>(title, landscape);
}

}  // namespace platform
