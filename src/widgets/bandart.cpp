#include "widgets/bandart.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace widgets {
namespace {

const QColor kNavy(18, 42, 84);
const QColor kGold(214, 170, 74);

// The ground of the band and the strip: navy, fading into lighter blue.
QLinearGradient ground(const QPointF& from, const QPointF& to) {
    QLinearGradient g(from, to);
    g.setColorAt(0.0, kNavy);
    g.setColorAt(0.6, QColor(40, 82, 140));
    g.setColorAt(1.0, QColor(120, 160, 205));
    return g;
}

// The stretched part: the ground with the ruled lines of a printed page.
void paintPicture(QPainter& p, const QRect& r) {
    p.fillRect(r, ground(r.topLeft(), r.topRight()));
    p.setPen(QPen(QColor(255, 255, 255, 28), 1));
    for (int y = r.top() + 9; y < r.bottom(); y += 9) {
        p.drawLine(r.left(), y, r.right(), y);
    }
    p.setPen(QPen(kGold, 2));
    p.drawLine(r.left(), r.bottom() - 1, r.right(), r.bottom() - 1);
}

class Band final : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        paintPicture(p, rect());
        const int size = height() - 14;
        p.drawPixmap(12, 7, logo(size));
        QFont title(QStringLiteral("DejaVu Serif"));
        title.setPixelSize(24);
        title.setBold(true);
        p.setFont(title);
        p.setPen(Qt::white);
        p.drawText(QRect(24 + size, 0, width(), height() - 18), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Elektronski Trevion"));
        QFont sub(QStringLiteral("DejaVu Sans"));
        sub.setPixelSize(12);
        p.setFont(sub);
        p.setPen(kGold);
        p.drawText(QRect(26 + size, height() - 28, width(), 20), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Propisi, mi\u0161ljenja i ugovori"));
    }
};

class Strip final : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), ground(QPointF(0, 0), QPointF(width(), 0)));
        p.setPen(QPen(kGold, 2));
        p.drawLine(0, height() - 1, width(), height() - 1);
        QFont banner(QStringLiteral("DejaVu Serif"));
        banner.setPixelSize(20);
        banner.setBold(true);
        p.setFont(banner);
        p.setPen(Qt::white);
        p.drawText(rect().adjusted(14, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Elektronski Trevion"));
    }
};

}  // namespace

QPixmap logo(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    // Round gold seal.
    p.setPen(QPen(kNavy, 2));
    p.setBrush(kGold);
    p.drawEllipse(QRectF(2, 2, 60, 60));
    // An open book.
    QPainterPath left;
    left.moveTo(32, 22);
    left.cubicTo(26, 17, 17, 17, 12, 19);
    left.lineTo(12, 45);
    left.cubicTo(17, 43, 26, 43, 32, 48);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(32, 22);
    right.cubicTo(38, 17, 47, 17, 52, 19);
    right.lineTo(52, 45);
    right.cubicTo(47, 43, 38, 43, 32, 48);
    right.closeSubpath();
    p.setBrush(Qt::white);
    p.setPen(QPen(kNavy, 1.6));
    p.drawPath(left);
    p.drawPath(right);
    // Lines of text on both pages.
    p.setPen(QPen(kNavy, 1.2));
    for (int i = 0; i < 4; ++i) {
        const double y = 25 + i * 5;
        p.drawLine(QPointF(16, y), QPointF(28, y + 1.5));
        p.drawLine(QPointF(36, y + 1.5), QPointF(48, y));
    }
    return pixmap;
}

QWidget* createBand(QWidget* parent) {
    return new Band(parent);
}

QWidget* createStrip(QWidget* parent) {
    return new Strip(parent);
}

}  // namespace widgets
