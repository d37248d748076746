#include "printing/pageprinter.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QSaveFile>
#include <QScreen>
#include <QTextBlock>
#include <QTextLayout>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "platform/textconv.h"
#include "printing/unicodetext.h"
#include "printing/waitcursor.h"

namespace printing {
namespace {

constexpr double kTwips = 1440.0;

// One line of the laid-out document: its top and bottom in document pixels,
// and the page breaks its block asks for.
struct LineSpan {
    qreal top;
    qreal bottom;
    bool breakBefore;
    bool breakAfter;
};

std::vector<LineSpan> lineSpans(const QTextDocument& doc) {
    std::vector<LineSpan> spans;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* layout = block.layout();
        if (layout == nullptr || layout->lineCount() == 0) {
            continue;
        }
        const auto policy = block.blockFormat().pageBreakPolicy();
        const qreal y = layout->position().y();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            spans.push_back({y + line.y(), y + line.y() + line.height(),
                             i == 0 && (policy & QTextFormat::PageBreak_AlwaysBefore) != 0,
                             i + 1 == layout->lineCount() &&
                                 (policy & QTextFormat::PageBreak_AlwaysAfter) != 0});
        }
    }
    return spans;
}

// The document tops of the pages: a page takes lines while they fit whole in
// the body's height, and always at least one.
std::vector<qreal> pageTops(const std::vector<LineSpan>& spans, qreal bodyHeight) {
    std::vector<qreal> tops{0.0};
    bool hasLine = false;
    bool breakPending = false;
    for (const LineSpan& span : spans) {
        const bool overflows = span.bottom - tops.back() > bodyHeight;
        if (hasLine && (breakPending || span.breakBefore || overflows)) {
            tops.push_back(span.top);
        }
        hasLine = true;
        breakPending = span.breakAfter;
    }
    return tops;
}

int lineWidth(const QString& text, const QFont& font, ReferenceDevice& device) {
    QTextLayout layout(text, font, &device);
    return static_cast<int>(std::lround(layOutOneLine(layout).naturalTextWidth()));
}

}  // namespace

PagePrinter::PagePrinter(const PrinterSettings& settings) : PrinterSettings(settings) {}

PagePrinter::~PagePrinter() {
    closeCanvas();
}

std::optional<platform::PageMetrics> PagePrinter::printerPage(bool /*landscape*/) const {
    return std::nullopt;
}

platform::PageMetrics PagePrinter::screenPage(bool landscape) {
    int dpiX = 96;
    int dpiY = 96;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            dpiX = static_cast<int>(std::lround(screen->logicalDotsPerInchX()));
            dpiY = static_cast<int>(std::lround(screen->logicalDotsPerInchY()));
        }
    }
    const double width = landscape ? 11.0 : 8.5;
    const double height = landscape ? 8.5 : 11.0;
    return {dpiX,
            dpiY,
            static_cast<int>(std::lround(width * dpiX)),
            static_cast<int>(std::lround(height * dpiY)),
            0,
            0};
}

void PagePrinter::status(const std::string& text) const {
    if (OnStatus) {
        OnStatus(text);
    }
}

int PagePrinter::toPixelsX(double length) const {
    return static_cast<int>(std::lround(length * pages_->page().dpiX / unitFactor(Units)));
}

int PagePrinter::toPixelsY(double length) const {
    return static_cast<int>(std::lround(length * pages_->page().dpiY / unitFactor(Units)));
}

double PagePrinter::fromPixelsX(int pixels) const {
    return static_cast<double>(pixels) / pages_->page().dpiX * unitFactor(Units);
}

void PagePrinter::BeginDoc() {
    closeCanvas();
    recording_ = true;
    const bool landscape = Orientation == TPrinterOrientation::poLandscape;
    pages_ =
        std::make_unique<PageRecording>(printerPage(landscape).value_or(screenPage(landscape)));
    NewPage();
}

void PagePrinter::NewPage() {
    if (!recording_) {
        throw std::logic_error("Assertion failure");
    }
    closeCanvas();
    pages_->pages().emplace_back();
    pageDrawn_ = false;
    if (OnNewPage) {
        OnNewPage();
    }
    char text[64];
    std::snprintf(text, sizeof text, "Kreiram stranu %d", PageCount());
    status(text);
}

void PagePrinter::EndDoc() {
    if (!recording_) {
        throw std::logic_error("Assertion failure");
    }
    recording_ = false;
    closeCanvas();
    if (!pageDrawn_ && !pages_->pages().empty()) {
        pages_->pages().pop_back();
    }
    status("Kreiranje gotovo");
}

QPainter* PagePrinter::Canvas() {
    if (!recording_) {
        throw std::logic_error("Canvas is not available before BeginDoc");
    }
    pageDrawn_ = true;
    if (!canvas_) {
        // Each page starts with the font, pen and brush the previous one
        // ended with; the first with Arial 10 pt and a clear brush.
        RecordedPage& page = pages_->pages().back();
        page.canvas = std::make_unique<PageCanvas>(pages_->page());
        canvas_ = std::make_unique<QPainter>(page.canvas.get());
        canvas_->setFont(canvasFont_);
        canvas_->setPen(canvasPen_);
        canvas_->setBrush(canvasBrush_);
    }
    return canvas_.get();
}

void PagePrinter::closeCanvas() {
    if (canvas_) {
        canvasFont_ = canvas_->font();
        canvasPen_ = canvas_->pen();
        canvasBrush_ = canvas_->brush();
        canvas_->end();
        canvas_.reset();
    }
}

int PagePrinter::PageCount() const {
    return pages_ ? pages_->count() : 0;
}

void PagePrinter::drawLine(const std::string& text, const TFont& font, TAlignment align, int y) {
    pageDrawn_ = true;
    if (text.empty()) {
        return;
    }
    const QFont face = unicodeFont(font);
    const QString unicode = unicodeText(text, font.qfont().family());
    const int width = lineWidth(unicode, face, const_cast<ReferenceDevice&>(pages_->device()));
    const int pageWidth = pages_->page().width;
    int x = toPixelsX(TextOptions.MarginLeft);
    if (align == TAlignment::taRightJustify) {
        x = pageWidth - toPixelsX(TextOptions.MarginRight) - width;
    } else if (align == TAlignment::taCenter) {
        x = pageWidth / 2 - width / 2;
    }
    pages_->pages().back().texts.push_back({unicode, face, font.Color, QPointF(x, y), width});
}

void PagePrinter::drawPageTexts(int number) {
    const TTextOptions& t = TextOptions;
    const int headerY = toPixelsY(t.HeaderMargin);
    const int footerY = pages_->page().height - toPixelsY(t.FooterMargin);
    drawLine(t.Header, t.HeaderFont, t.HeaderAlign, headerY);
    drawLine(t.Footer, t.FooterFont, t.FooterAlign, footerY);
    if (t.PrintPageNumber != TPageNumberPos::pnNone) {
        drawLine(pageNumberText(t.PageNumText, number), t.PageNumFont, t.PageNumAlign,
                 t.PrintPageNumber == TPageNumberPos::pnBottom ? footerY : headerY);
    }
}

void PagePrinter::PrintRichEdit(const QTextDocument& source) {
    WaitCursor wait;
    // Every margin is read as inches during the layout.
    const TUnits savedUnits = Units;
    Units = TUnits::unInches;
    try {
        BeginDoc();
        const platform::PageMetrics page = pages_->page();
        const TTextOptions& t = TextOptions;
        const double left = std::round(t.MarginLeft * kTwips);
        const double top = std::round(t.MarginTop * kTwips);
        const double right = std::round((pages_->widthInches() - t.MarginRight) * kTwips);
        const double bottom = std::round((pages_->heightInches() - t.MarginBottom) * kTwips);
        // Margins that leave no room still give a body an inch wide and a
        // pixel high, so that every page takes at least one line.
        QRectF body(left * page.dpiX / kTwips, top * page.dpiY / kTwips,
                    std::max((right - left) * page.dpiX / kTwips, static_cast<double>(page.dpiX)),
                    std::max((bottom - top) * page.dpiY / kTwips, 1.0));

        std::unique_ptr<QTextDocument> doc = unicodeDocument(source);
        doc->setDocumentMargin(0);
        doc->setUseDesignMetrics(true);
        doc->documentLayout()->setPaintDevice(const_cast<ReferenceDevice*>(&pages_->device()));
        doc->setTextWidth(body.width());
        doc->pageCount();  // lays the whole document out
        const qreal end = doc->size().height();
        const std::vector<qreal> tops = pageTops(lineSpans(*doc), body.height());
        pages_->setDocument(std::move(doc));

        for (size_t i = 0; i < tops.size(); ++i) {
            if (i > 0) {
                NewPage();
            }
            drawPageTexts(static_cast<int>(i) + 1);
            const qreal sliceEnd = i + 1 < tops.size() ? tops[i + 1] : std::max(end, tops[i]);
            pages_->pages().back().body = BodySlice{tops[i], sliceEnd, body};
        }
        EndDoc();
    } catch (...) {
        recording_ = false;
        closeCanvas();
        Units = savedUnits;
        throw;
    }
    Units = savedUnits;
}

bool PagePrinter::SaveToPdf(const std::filesystem::path& path) const {
    if (!pages_) {
        return false;
    }
    QSaveFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (!writePdf(*pages_, file, platform::qs(Title))) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace printing
