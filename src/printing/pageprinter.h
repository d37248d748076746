#pragma once
// The print component without its windows: the settings, the recording of
// pages against a reference device (the current printer, or the screen as an
// 8.5 x 11 inch page), the header, footer and page number of every page, and
// the layout of rich text page by page. TPreviewPrinter adds the preview and
// printing; korvet-cli uses this part alone (Qt Gui only).
#include <QPainter>
#include <QTextDocument>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "printing/options.h"
#include "printing/pages.h"

namespace printing {

class PagePrinter : public PrinterSettings {
  public:
    explicit PagePrinter(const PrinterSettings& settings = {});
    virtual ~PagePrinter();
    PagePrinter(const PagePrinter&) = delete;
    PagePrinter& operator=(const PagePrinter&) = delete;

    // Recording. Canvas, NewPage and EndDoc belong between BeginDoc and
    // EndDoc; used otherwise they throw std::logic_error.
    void BeginDoc();
    void NewPage();
    void EndDoc();
    // The canvas of the page being recorded (reference pixels from the
    // paper's corner); marks the page drawn on.
    QPainter* Canvas();
    int PageCount() const;
    bool Recording() const { return recording_; }

    // Lays the whole document out as pages, replacing the pages recorded
    // before. Lines are never cut between pages; a block that asks for a page
    // break before (or after) it gets one; a line taller than the body still
    // takes a page of its own, so the layout always ends.
    void PrintRichEdit(const QTextDocument& document);

    // The recorded pages; nullptr before the first BeginDoc.
    const PageRecording* Pages() const { return pages_.get(); }

    // Writes the recorded pages to a PDF file (atomically: the old file stays
    // when writing fails). False on failure.
    bool SaveToPdf(const std::filesystem::path& path) const;

    // Notifications; none is needed.
    std::function<void(const std::string&)> OnStatus;
    std::function<void()> OnNewPage;
    std::function<void()> OnOwnerHeight;
    std::function<void()> OnOwnerDraw;

    // Lengths in Units as reference-device pixels, and back.
    int toPixelsX(double length) const;
    int toPixelsY(double length) const;
    double fromPixelsX(int pixels) const;

  protected:
    // The current printer's page in an orientation; nullopt when there is no
    // printer (the screen is then the reference device).
    virtual std::optional<platform::PageMetrics> printerPage(bool landscape) const;
    // The screen as a reference device: 8.5 x 11 inches at its resolution
    // (11 x 8.5 in landscape).
    static platform::PageMetrics screenPage(bool landscape);

    void status(const std::string& text) const;

  private:
    void closeCanvas();
    void drawPageTexts(int number);
    void drawLine(const std::string& text, const TFont& font, TAlignment align, int y);

    std::unique_ptr<PageRecording> pages_;
    std::unique_ptr<QPainter> canvas_;
    QFont canvasFont_{QStringLiteral("Arial"), 10};
    QPen canvasPen_;
    QBrush canvasBrush_{Qt::NoBrush};
    bool recording_ = false;
    bool pageDrawn_ = false;
};

}  // namespace printing
