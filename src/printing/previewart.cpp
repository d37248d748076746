#include "printing/previewart.h"

#include <QPainter>
#include <QPixmap>

namespace printing {
namespace {

QPixmap blank(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawPage(QPainter& p, const QRect& r) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(Qt::gray, 1));
    for (int y = r.top() + 3; y < r.bottom() - 1; y += 2) {
        p.drawLine(r.left() + 2, y, r.right() - 2, y);
    }
}

void drawGlass(QPainter& p, const QPointF& centre, qreal radius) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2.5, Qt::SolidLine, Qt::RoundCap));
    const QPointF handle = centre + QPointF(radius * 0.72, radius * 0.72);
    p.drawLine(handle, handle + QPointF(radius * 0.9, radius * 0.9));
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(220, 235, 255, 200));
    p.drawEllipse(centre, radius, radius);
}

}  // namespace

QIcon fitPageIcon() {
    QPixmap pixmap = blank(16);
    QPainter p(&pixmap);
    drawPage(p, QRect(3, 1, 10, 14));
    return QIcon(pixmap);
}

QIcon fitWidthIcon() {
    QPixmap pixmap = blank(16);
    QPainter p(&pixmap);
    drawPage(p, QRect(1, 3, 14, 12));
    p.setPen(QPen(Qt::darkBlue, 1));
    p.drawLine(2, 1, 13, 1);
    p.drawLine(2, 1, 4, 0);
    p.drawLine(13, 1, 11, 0);
    return QIcon(pixmap);
}

QIcon zoomToolIcon() {
    QPixmap pixmap = blank(16);
    QPainter p(&pixmap);
    drawGlass(p, QPointF(6, 6), 4.5);
    return QIcon(pixmap);
}

QCursor zoomCursor() {
    QPixmap pixmap = blank(32);
    QPainter p(&pixmap);
    drawGlass(p, QPointF(11, 11), 8);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(QPointF(7, 11), QPointF(15, 11));
    p.drawLine(QPointF(11, 7), QPointF(11, 15));
    p.end();
    return QCursor(pixmap, 11, 11);
}

}  // namespace printing
