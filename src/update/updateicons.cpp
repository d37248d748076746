#include "update/updateicons.h"

#include <QPainter>
#include <QPixmap>

namespace update {

namespace {

// A transparent 32 by 32 picture drawn by paint, smoothed.
template <class Paint>
QPixmap picture(Paint paint) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    p.end();
    return pixmap;
}

// A parcel tied with a zip strip down its middle.
QPixmap archive() {
    return picture([](QPainter& p) {
        p.setPen(QPen(QColor(110, 80, 30), 1.5));
        p.setBrush(QColor(236, 196, 112));
        p.drawRoundedRect(QRectF(3.5, 6.5, 25, 21), 2, 2);
        p.setBrush(QColor(250, 222, 150));
        p.drawRect(QRectF(3.5, 6.5, 25, 5));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(70, 70, 80));
        p.drawRect(QRectF(14, 6.5, 4, 21));
        p.setBrush(QColor(210, 210, 220));
        for (int y = 8; y < 27; y += 3) {
            p.drawRect(QRectF(14.5, y, 3, 1.5));
        }
    });
}

// A folded sheet of news with a headline and lines of text.
QPixmap news() {
    return picture([](QPainter& p) {
        p.setPen(QPen(QColor(70, 70, 90), 1.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 3.5, 23, 25));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 70, 150));
        p.drawRect(QRectF(7, 6, 18, 4));
        p.setBrush(QColor(150, 150, 170));
        for (int y = 13; y <= 25; y += 3) {
            p.drawRect(QRectF(7, y, y == 25 ? 11 : 18, 1.5));
        }
    });
}

}  // namespace

QIcon rowIcon(RowIcon icon) {
    static const QIcon images[] = {QIcon(archive()), QIcon(news())};
    switch (icon) {
        case RowIcon::Archive:
            return images[0];
        case RowIcon::News:
            return images[1];
        case RowIcon::None:
            break;
    }
    return {};
}

}  // namespace update
