#pragma once
// Recorded pages: what each page draws, in the reference device's pixels
// from the paper's top-left corner, replayed on any painter (the preview, a
// printer, a PDF file). A page holds its text lines (header, footer, page
// number), the slice of the laid-out document that falls on it, and what a
// caller drew on its canvas.
#include <QColor>
#include <QFont>
#include <QPaintDevice>
#include <QPicture>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTextDocument>
#include <memory>
#include <optional>
#include <vector>

#include "platform/printpage.h"

class QIODevice;
class QPainter;
class QTextLayout;
class QTextLine;

namespace printing {

// A paint device with a page's metrics and no painting of its own: text is
// laid out against it, so that fonts take the reference device's resolution.
class ReferenceDevice final : public QPaintDevice {
  public:
    explicit ReferenceDevice(const platform::PageMetrics& page) : page_(page) {}
    const platform::PageMetrics& page() const { return page_; }
    QPaintEngine* paintEngine() const override { return nullptr; }

  protected:
    int metric(PaintDeviceMetric metric) const override;

  private:
    platform::PageMetrics page_;
};

// Lays a text layout out as one line, unwrapped, with design metrics (as
// header and footer lines are measured and drawn); gives the line.
QTextLine layOutOneLine(QTextLayout& layout);

// One line of text (Unicode) whose top-left corner is at pos; width is its
// measured width.
struct TextItem {
    QString text;
    QFont font;
    QColor color;
    QPointF pos;
    int width = 0;
};

// The part [top, bottom) of the document (document pixels) shown in the body
// rectangle (page pixels).
struct BodySlice {
    qreal top = 0;
    qreal bottom = 0;
    QRectF body;
};

// The canvas of a page: a recording at the reference device's resolution.
class PageCanvas final : public QPicture {
  public:
    explicit PageCanvas(const platform::PageMetrics& page) : page_(page) {}

  protected:
    int metric(PaintDeviceMetric metric) const override;

  private:
    platform::PageMetrics page_;
};

struct RecordedPage {
    std::vector<TextItem> texts;
    std::optional<BodySlice> body;
    std::unique_ptr<PageCanvas> canvas;
};

class PageRecording {
  public:
    explicit PageRecording(const platform::PageMetrics& page);
    ~PageRecording();

    const platform::PageMetrics& page() const { return device_->page(); }
    const ReferenceDevice& device() const { return *device_; }
    // Paper size in inches.
    qreal widthInches() const;
    qreal heightInches() const;

    std::vector<RecordedPage>& pages() { return pages_; }
    const std::vector<RecordedPage>& pages() const { return pages_; }
    int count() const { return static_cast<int>(pages_.size()); }

    // The document the body slices show, laid out against device().
    void setDocument(std::unique_ptr<QTextDocument> document);
    const QTextDocument* document() const { return document_.get(); }

    // Draws page index with the painter's coordinates in reference pixels
    // from the paper's corner. An index out of range draws nothing.
    void paint(QPainter& painter, int index) const;

    // The text of a page: the lines of its body, then its header, footer and
    // page number.
    QStringList pageText(int index) const;

  private:
    std::unique_ptr<ReferenceDevice> device_;
    std::unique_ptr<QTextDocument> document_;  // destroyed before the device
    std::vector<RecordedPage> pages_;
};

// Writes pages first to last (from 0) as a PDF document of the recording's
// paper size; false when the output fails.
bool writePdf(const PageRecording& recording, QIODevice& out, const QString& title);

}  // namespace printing
