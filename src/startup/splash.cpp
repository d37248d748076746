#include "startup/splash.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include "widgets/bandart.h"

namespace startup {

QPixmap splashPicture() {
    QPixmap pixmap(kSplashWidth, kSplashHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRect all(0, 0, kSplashWidth, kSplashHeight);

    QLinearGradient ground(0, 0, 0, kSplashHeight);
    ground.setColorAt(0.0, QColor(22, 50, 98));
    ground.setColorAt(1.0, QColor(10, 24, 52));
    p.fillRect(all, ground);
    QRadialGradient glow(QPointF(110, 130), 190);
    glow.setColorAt(0.0, QColor(90, 140, 210, 120));
    glow.setColorAt(1.0, QColor(90, 140, 210, 0));
    p.fillRect(all, glow);

    // Ruled lines of a printed page on the right half.
    p.setPen(QPen(QColor(255, 255, 255, 22), 1));
    for (int y = 24; y < 220; y += 12) {
        p.drawLine(230, y, kSplashWidth - 24, y);
    }

    p.drawPixmap(30, 40, widgets::logo(160));

    QFont title(QStringLiteral("DejaVu Serif"));
    title.setPixelSize(34);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(212, 62, 330, 44), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Elektronski"));
    p.drawText(QRect(212, 104, 330, 44), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Trevion"));

    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(14);
    p.setFont(sub);
    p.setPen(QColor(214, 170, 74));
    p.drawText(QRect(214, 154, 320, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Propisi, mi\u0161ljenja i tipski ugovori"));

    p.setPen(QPen(QColor(214, 170, 74), 2));
    p.drawLine(0, 222, kSplashWidth, 222);

    sub.setPixelSize(12);
    p.setFont(sub);
    p.setPen(QColor(200, 210, 230));
    p.drawText(QRect(20, 237, 340, 21), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Priprema baze propisa, sa\u010dekajte..."));

    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(all.adjusted(0, 0, -1, -1));
    return pixmap;
}

}  // namespace startup
