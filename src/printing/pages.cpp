#include "printing/pages.h"

#include <QAbstractTextDocumentLayout>
#include <QIODevice>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextLayout>
#include <cmath>

namespace printing {
namespace {

int pageMetric(const platform::PageMetrics& page, QPaintDevice::PaintDeviceMetric metric) {
    switch (metric) {
        case QPaintDevice::PdmWidth:
            return page.width;
        case QPaintDevice::PdmHeight:
            return page.height;
        case QPaintDevice::PdmWidthMM:
            return static_cast<int>(std::lround(page.width * 25.4 / page.dpiX));
        case QPaintDevice::PdmHeightMM:
            return static_cast<int>(std::lround(page.height * 25.4 / page.dpiY));
        case QPaintDevice::PdmDpiX:
        case QPaintDevice::PdmPhysicalDpiX:
            return page.dpiX;
        case QPaintDevice::PdmDpiY:
        case QPaintDevice::PdmPhysicalDpiY:
            return page.dpiY;
        case QPaintDevice::PdmNumColors:
            return 0x7fffffff;
        case QPaintDevice::PdmDepth:
            return 32;
        case QPaintDevice::PdmDevicePixelRatio:
            return 1;
        case QPaintDevice::PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
}

void drawItem(QPainter& painter, const TextItem& item, const ReferenceDevice& device) {
    QTextLayout layout(item.text, item.font, const_cast<ReferenceDevice*>(&device));
    layOutOneLine(layout);
    painter.setPen(item.color);
    layout.draw(&painter, item.pos);
}

}  // namespace

QTextLine layOutOneLine(QTextLayout& layout) {
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setLineWidth(1e6);
    }
    layout.endLayout();
    return line;
}

int ReferenceDevice::metric(PaintDeviceMetric metric) const {
    return pageMetric(page_, metric);
}

int PageCanvas::metric(PaintDeviceMetric metric) const {
    return pageMetric(page_, metric);
}

PageRecording::PageRecording(const platform::PageMetrics& page)
    : device_(std::make_unique<ReferenceDevice>(page)) {}

PageRecording::~PageRecording() = default;

qreal PageRecording::widthInches() const {
    return static_cast<qreal>(page().width) / page().dpiX;
}

qreal PageRecording::heightInches() const {
    return static_cast<qreal>(page().height) / page().dpiY;
}

void PageRecording::setDocument(std::unique_ptr<QTextDocument> document) {
    document_ = std::move(document);
}

void PageRecording::paint(QPainter& painter, int index) const {
    if (index < 0 || index >= count()) {
        return;
    }
    const RecordedPage& page = pages_[static_cast<size_t>(index)];
    painter.save();
    for (const TextItem& item : page.texts) {
        drawItem(painter, item, *device_);
    }
    if (page.body && document_) {
        const BodySlice& slice = *page.body;
        painter.save();
        painter.translate(slice.body.left(), slice.body.top() - slice.top);
        // The whole paper's width: glyphs that overhang the margin stay whole.
        const QRectF sliceRect(-slice.body.left(), slice.top, this->page().width,
                               slice.bottom - slice.top);
        painter.setClipRect(sliceRect, Qt::IntersectClip);
        // The layout draws every line that touches its clip; the lines of the
        // neighbouring pages only touch the slice's edges, and must not reach
        // the page at all (a PDF keeps clipped text as text).
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = sliceRect.adjusted(0, 0.5, 0, -0.5);
        context.palette.setColor(QPalette::Text, Qt::black);
        document_->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    if (page.canvas) {
        page.canvas->play(&painter);
    }
    painter.restore();
}

QStringList PageRecording::pageText(int index) const {
    QStringList lines;
    if (index < 0 || index >= count()) {
        return lines;
    }
    const RecordedPage& page = pages_[static_cast<size_t>(index)];
    if (page.body && document_) {
        for (QTextBlock block = document_->begin(); block.isValid(); block = block.next()) {
            const QTextLayout* layout = block.layout();
            for (int i = 0; layout != nullptr && i < layout->lineCount(); ++i) {
                const QTextLine line = layout->lineAt(i);
                const qreal y = layout->position().y() + line.y();
                if (y >= page.body->top && y < page.body->bottom) {
                    lines << block.text().mid(line.textStart(), line.textLength());
                }
            }
        }
    }
    for (const TextItem& item : page.texts) {
        lines << item.text;
    }
    return lines;
}

bool writePdf(const PageRecording& recording, QIODevice& out, const QString& title) {
    constexpr int kResolution = 1200;
    QPdfWriter writer(&out);
    writer.setResolution(kResolution);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Korvet"));
    writer.setPageSize(QPageSize(QSizeF(recording.widthInches(), recording.heightInches()),
                                 QPageSize::Inch, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    const qreal sx = static_cast<qreal>(kResolution) / recording.page().dpiX;
    const qreal sy = static_cast<qreal>(kResolution) / recording.page().dpiY;
    for (int i = 0; i < recording.count(); ++i) {
        if (i > 0 && !writer.newPage()) {
            painter.end();
            return false;
        }
        painter.save();
        painter.scale(sx, sy);
        recording.paint(painter, i);
        painter.restore();
    }
    return painter.end();
}

}  // namespace printing
