#include "reinstaller/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace reinstaller {
namespace {

const QColor kSteel(38, 74, 128);
const QColor kLight(120, 160, 205);
const QColor kGreen(46, 140, 76);

// The engine: a stack of three discs, with a circling arrow at its lower
// right that stands for the re-installation. Drawn into the square box.
void paintEngine(QPainter& p, const QRectF& box) {
    const qreal s = box.width();
    const QRectF body(box.left() + s * 0.12, box.top() + s * 0.08, s * 0.56, s * 0.76);
    const qreal lid = body.height() * 0.22;
    QLinearGradient side(body.topLeft(), body.topRight());
    side.setColorAt(0.0, kSteel);
    side.setColorAt(0.5, kLight);
    side.setColorAt(1.0, kSteel);
    QPainterPath barrel;
    barrel.moveTo(body.left(), body.top() + lid / 2);
    barrel.lineTo(body.left(), body.bottom() - lid / 2);
    barrel.arcTo(QRectF(body.left(), body.bottom() - lid, body.width(), lid), 180, 180);
    barrel.lineTo(body.right(), body.top() + lid / 2);
    barrel.closeSubpath();
    p.setPen(QPen(kSteel.darker(140), qMax<qreal>(1.0, s / 48)));
    p.setBrush(side);
    p.drawPath(barrel);
    // The seams between the discs.
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 2; ++i) {
        const qreal y = body.top() + (body.height() - lid) * i / 3;
        p.drawArc(QRectF(body.left(), y, body.width(), lid), 180 * 16, 180 * 16);
    }
    p.setBrush(kLight.lighter(125));
    p.drawEllipse(QRectF(body.left(), body.top(), body.width(), lid));

    // The arrow circling back onto itself.
    const QRectF ring(box.left() + s * 0.50, box.top() + s * 0.50, s * 0.44, s * 0.44);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(ring.adjusted(-s * 0.04, -s * 0.04, s * 0.04, s * 0.04));
    const qreal w = s * 0.08;
    p.setPen(QPen(kGreen, w, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    const QRectF arc = ring.adjusted(w, w, -w, -w);
    p.drawArc(arc, 100 * 16, 290 * 16);
    // The head at the arc's end (100 degrees, the top).
    const QPointF tip(arc.center().x() + arc.width() / 2 * 0.17, arc.top() - w * 0.05);
    QPainterPath head;
    head.moveTo(tip + QPointF(w * 1.4, 0));
    head.lineTo(tip + QPointF(-w * 0.3, -w * 1.2));
    head.lineTo(tip + QPointF(-w * 0.3, w * 1.2));
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPath(head);
}

}  // namespace

QPixmap topPicture() {
    QPixmap pixmap(kPictureWidth, kPictureHeight);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paintEngine(p, QRectF(8, 2, 35, 35));
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(17);
    title.setBold(true);
    p.setFont(title);
    p.setPen(kSteel);
    p.drawText(QRect(52, 0, 320, 24), Qt::AlignLeft | Qt::AlignBottom,
               QStringLiteral("BDE Re/Instalator"));
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(10);
    p.setFont(sub);
    p.setPen(QColor(90, 100, 115));
    p.drawText(QRect(53, 24, 320, 14), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Ponovna registracija baze podataka Treviona"));
    // A rule fading out to the right along the bottom.
    QLinearGradient rule(0, 0, kPictureWidth, 0);
    rule.setColorAt(0.0, kSteel);
    rule.setColorAt(1.0, QColor(255, 255, 255));
    p.fillRect(QRect(0, kPictureHeight - 2, kPictureWidth, 2), rule);
    return pixmap;
}

QPixmap icon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    paintEngine(p, QRectF(0, 0, size, size));
    return pixmap;
}

}  // namespace reinstaller
