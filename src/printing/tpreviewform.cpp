#include "printing/tpreviewform.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "fonts/fonts.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "platform/windowframe.h"
#include "printing/previewart.h"
#include "printing/tpreviewprinter.h"

namespace printing {

// The current page on white; the zoom tool's clicks.
class PagePanel final : public QWidget {
  public:
    PagePanel(TPreviewForm& form, const TPreviewPrinter& printer, QWidget* parent)
        : QWidget(parent), form_(form), printer_(printer) {
        setObjectName(QStringLiteral("PagePanel"));
        setCursor(zoomCursor());
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        const PageRecording* pages = printer_.Pages();
        if (pages == nullptr || form_.currentPage() >= pages->count()) {
            return;
        }
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.scale(static_cast<qreal>(width()) / pages->page().width,
                static_cast<qreal>(height()) / pages->page().height);
        pages->paint(p, form_.currentPage());
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
            form_.zoomAt(event->position().toPoint(), event->button() == Qt::LeftButton);
        }
    }

  private:
    TPreviewForm& form_;
    const TPreviewPrinter& printer_;
};

namespace {

enum ZoomChoice { kFitPage = 0, kFitWidth = 1, kCustom = 2 };
constexpr double kPercentages[] = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};
constexpr double kMinZoom = 0.15;
constexpr double kMaxZoom = 20.0;
constexpr double kZoomStep = 1.5;

void setHint(QWidget* control, const char* hint) {
    control->setToolTip(platform::qs(hint));
    control->setStatusTip(platform::qs(hint));
}

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(platform::qs(caption), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QToolButton* iconButton(QWidget* parent, const char* name, const QIcon& icon, const char* hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setIcon(icon);
    b->setCheckable(true);
    setHint(b, hint);
    return b;
}

QToolButton* speedButton(QWidget* parent, const char* name, Qt::ArrowType arrow, const char* hint) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setArrowType(arrow);
    b->setAutoRaise(true);
    setHint(b, hint);
    return b;
}

}  // namespace

TPreviewForm::TPreviewForm(TPreviewPrinter& printer, QWidget* parent)
    : QDialog(parent), printer_(printer) {
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QCoreApplication::applicationName());
    QFont face = font();
    face.setFamilies({QString::fromLatin1(fonts::kInterfaceFace), face.family()});
    setFont(face);
    platform::frameMaximised(*this);
    buildControls();

    // The starting zoom: fit to page, or to the width when so set.
    ZoomBox->setCurrentIndex(printer_.ZoomOption == TZoomOption::zoFitToWidth ? kFitWidth
                                                                              : kFitPage);
    connect(ZoomBox, &QComboBox::currentIndexChanged, this, [this] { layoutView(); });
    connect(FitPageBut, &QToolButton::clicked, this,
            [this] { ZoomBox->setCurrentIndex(kFitPage); });
    connect(FitWidthBut, &QToolButton::clicked, this,
            [this] { ZoomBox->setCurrentIndex(kFitWidth); });
    connect(ZoomCursorBut, &QToolButton::clicked, this,
            [this] { ZoomCursorBut->setChecked(true); });
    connect(PrintBut, &QPushButton::clicked, this, [this] {
        printer_.Print();
        panel_->update();
    });
    connect(PdfBut, &QPushButton::clicked, this, [this] { saveAsPdf(); });
    connect(CloseBut, &QPushButton::clicked, this, &QDialog::reject);
    connect(FirstPageSpeed, &QToolButton::clicked, this, [this] { gotoPage(0); });
    connect(PrevPageSpeed, &QToolButton::clicked, this, [this] { gotoPage(current_ - 1); });
    connect(PrevPageBut, &QPushButton::clicked, this, [this] { gotoPage(current_ - 1); });
    connect(NextPageSpeed, &QToolButton::clicked, this, [this] { gotoPage(current_ + 1); });
    connect(NextPageBut, &QPushButton::clicked, this, [this] { gotoPage(current_ + 1); });
    connect(LastPageSpeed, &QToolButton::clicked, this,
            [this] { gotoPage(printer_.PageCount() - 1); });
}

TPreviewForm::~TPreviewForm() {
    setHintsShown(true);
}

void TPreviewForm::buildControls() {
    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("ToolPanel"));
    auto* tools = new QHBoxLayout(top);
    tools->setContentsMargins(4, 4, 4, 4);
    PrintBut = button(top, "PrintBut", "[tam&pa");
    PdfBut = button(top, "PdfBut", "Sa~uvaj kao PDF");
    setHint(PdfBut, "Snimanje prikazanih strana u PDF datoteku");
    PrevPageBut = button(top, "PrevPageBut", "Pre&thodna");
    NextPageBut = button(top, "NextPageBut", "&Slede}a");
    ZoomBox = new QComboBox(top);
    ZoomBox->setObjectName(QStringLiteral("ZoomBox"));
    for (const char* item : {"Cela strana", "Puna {irina", "Korisni~ki", "25%", "50%", "75%",
                             "100%", "125%", "150%", "200%", "300%", "400%"}) {
        ZoomBox->addItem(platform::qs(item));
    }
    FitPageBut = iconButton(top, "FitPageBut", fitPageIcon(), "Fit to Page");
    FitWidthBut = iconButton(top, "FitWidthBut", fitWidthIcon(), "Fit to Width");
    ZoomCursorBut =
        iconButton(top, "ZoomCursorBut", zoomToolIcon(), "Selects the Zoom Tool to zoom in or out");
    ZoomCursorBut->setChecked(true);
    CloseBut = button(top, "CloseBut", "&Zatvori");
    for (QWidget* w :
         std::initializer_list<QWidget*>{PrintBut, PdfBut, PrevPageBut, NextPageBut, ZoomBox,
                                         FitPageBut, FitWidthBut, ZoomCursorBut}) {
        tools->addWidget(w);
    }
    tools->addStretch(1);
    tools->addWidget(CloseBut);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("ScrollBox"));
    scroll_->setBackgroundRole(QPalette::Dark);
    scroll_->setWidgetResizable(false);
    scroll_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box_ = new QWidget;
    box_->setObjectName(QStringLiteral("PageBox"));
    panel_ = new PagePanel(*this, printer_, box_);
    scroll_->setWidget(box_);
    scroll_->viewport()->installEventFilter(this);

    auto* bottom = new QWidget(this);
    bottom->setObjectName(QStringLiteral("StatusPanel"));
    auto* status = new QHBoxLayout(bottom);
    status->setContentsMargins(4, 2, 4, 2);
    FirstPageSpeed =
        speedButton(bottom, "FirstPageSpeed", Qt::UpArrow, "Go to First Page in Document");
    PrevPageSpeed =
        speedButton(bottom, "PrevPageSpeed", Qt::LeftArrow, "Move to Previous Page in Document");
    NextPageSpeed =
        speedButton(bottom, "NextPageSpeed", Qt::RightArrow, "Advance to Next Page in Document");
    LastPageSpeed =
        speedButton(bottom, "LastPageSpeed", Qt::DownArrow, "Go to Last Page in Document");
    CurPageLabel = new QLabel(bottom);
    CurPageLabel->setObjectName(QStringLiteral("CurPageLabel"));
    ZoomLabel = new QLabel(bottom);
    ZoomLabel->setObjectName(QStringLiteral("ZoomLabel"));
    status->addWidget(FirstPageSpeed);
    status->addWidget(PrevPageSpeed);
    status->addWidget(CurPageLabel);
    status->addWidget(NextPageSpeed);
    status->addWidget(LastPageSpeed);
    status->addStretch(1);
    status->addWidget(ZoomLabel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(top);
    layout->addWidget(scroll_, 1);
    layout->addWidget(bottom);
}

void TPreviewForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    platform::fillScreenWhenMaximised(*this);
    setHintsShown(false);
    gotoPage(0);
    layoutView();
}

void TPreviewForm::done(int result) {
    setHintsShown(true);
    QDialog::done(result);
}

void TPreviewForm::setHintsShown(bool shown) {
    // The application's hints stay off while the preview is open.
    if (shown == !hintsOff_) {
        return;
    }
    hintsOff_ = !shown;
    if (shown) {
        qApp->removeEventFilter(this);
    } else {
        qApp->installEventFilter(this);
    }
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
    if (hintsOff_ && event->type() == QEvent::ToolTip) {
        return true;
    }
    if (watched == scroll_->viewport() && event->type() == QEvent::Resize) {
        layoutView();
    }
    return QDialog::eventFilter(watched, event);
}

void TPreviewForm::gotoPage(int index) {
    const int count = printer_.PageCount();
    current_ = std::clamp(index, 0, std::max(count - 1, 0));
    char text[64];
    std::snprintf(text, sizeof text, "Strana %d od %d", current_ + 1, count);
    CurPageLabel->setText(platform::qs(text));
    const bool later = current_ + 1 < count;
    const bool earlier = current_ > 0;
    NextPageBut->setEnabled(later);
    NextPageSpeed->setEnabled(later);
    LastPageSpeed->setEnabled(later);
    PrevPageBut->setEnabled(earlier);
    PrevPageSpeed->setEnabled(earlier);
    FirstPageSpeed->setEnabled(earlier);
    panel_->update();
}

double TPreviewForm::chosenFactor() const {
    const PageRecording* pages = printer_.Pages();
    const double ppiX = logicalDpiX();
    const double ppiY = logicalDpiY();
    const QSize view = scroll_->viewport()->size();
    const int choice = ZoomBox->currentIndex();
    if (pages != nullptr && choice == kFitPage) {
        return (view.height() - 20) / ppiY / pages->heightInches();
    }
    if (pages != nullptr && choice == kFitWidth) {
        return (view.width() - 20) / ppiX / pages->widthInches();
    }
    if (choice == kCustom) {
        return factor_;
    }
    const int percent = choice - kCustom - 1;
    if (percent >= 0 && percent < static_cast<int>(std::size(kPercentages))) {
        return kPercentages[percent];
    }
    return 1.0;
}

void TPreviewForm::layoutView() {
    factor_ = std::clamp(chosenFactor(), kMinZoom, kMaxZoom);
    const PageRecording* pages = printer_.Pages();
    const double widthIn = pages != nullptr ? pages->widthInches() : 8.5;
    const double heightIn = pages != nullptr ? pages->heightInches() : 11.0;
    const int pw = static_cast<int>(logicalDpiX() * factor_ * widthIn);
    const int ph = static_cast<int>(logicalDpiY() * factor_ * heightIn);
    const QSize view = scroll_->viewport()->size();
    const int bw = std::max(pw + 20, view.width() - 1);
    const int bh = std::max(ph + 20, view.height() - 1);
    box_->resize(bw, bh);
    panel_->setGeometry(bw > pw + 20 ? (bw - pw) / 2 : 10, bh > ph + 20 ? (bh - ph) / 2 : 10, pw,
                        ph);
    FitPageBut->setChecked(ZoomBox->currentIndex() == kFitPage);
    FitWidthBut->setChecked(ZoomBox->currentIndex() == kFitWidth);
    QLocale locale;
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    ZoomLabel->setText(locale.toString(static_cast<qlonglong>(std::llround(factor_ * 100))) +
                       QLatin1Char('%'));
    panel_->update();
}

void TPreviewForm::zoomAt(QPoint point, bool zoomIn) {
    const QSize before = panel_->size();
    const double fx = before.width() > 0 ? static_cast<double>(point.x()) / before.width() : 0.5;
    const double fy = before.height() > 0 ? static_cast<double>(point.y()) / before.height() : 0.5;
    factor_ = zoomIn ? factor_ * kZoomStep : factor_ / kZoomStep;
    {
        const QSignalBlocker block(ZoomBox);
        ZoomBox->setCurrentIndex(kCustom);
    }
    layoutView();
    const QRect page = panel_->geometry();
    const QSize view = scroll_->viewport()->size();
    scroll_->horizontalScrollBar()->setValue(
        static_cast<int>(page.x() + fx * page.width() - view.width() / 2.0));
    scroll_->verticalScrollBar()->setValue(
        static_cast<int>(page.y() + fy * page.height() - view.height() / 2.0));
}

void TPreviewForm::saveAsPdf() {
    const std::string suggested = printer_.Title.empty() ? std::string() : printer_.Title + ".pdf";
    auto name = platform::ui().saveFileName("Sa~uvaj kao PDF", "PDF (*.pdf)", suggested);
    if (!name || name->empty()) {
        return;
    }
    std::string path = *name;
    const QString lower = QString::fromStdString(path).toLower();
    if (!lower.endsWith(QStringLiteral(".pdf"))) {
        path += ".pdf";
    }
    if (!printer_.SaveToPdf(path)) {
        platform::ui().message(
            "PDF datoteka nije sa~uvana. Proverite da li folder postoji i da li imate pravo "
            "upisa u njega.",
            platform::Icon::Error);
    }
}

}  // namespace printing
