// Our own artwork for the list images, drawn once at first use.
#include "widgets/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "lists/listrules.h"

namespace widgets {
namespace {

// A page with a folded corner at (x, y).
void page(QPainter& p, int x, int y, const QColor& fill) {
    QPainterPath path;
    path.moveTo(x, y);
    path.lineTo(x + 7, y);
    path.lineTo(x + 10, y + 3);
    path.lineTo(x + 10, y + 13);
    path.lineTo(x, y + 13);
    path.closeSubpath();
    p.setPen(QColor(70, 70, 90));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(x + 7, y, x + 7, y + 3);
    p.drawLine(x + 7, y + 3, x + 10, y + 3);
    p.setPen(QColor(150, 150, 170));
    for (int line = y + 5; line <= y + 11; line += 2) {
        p.drawLine(x + 2, line, x + 8, line);
    }
}

QIcon draw(int index) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    switch (index) {
        case lists::kDocument:
            page(p, 2, 1, Qt::white);
            break;
        case lists::kRoot:
            page(p, 5, 0, QColor(235, 235, 245));
            page(p, 3, 1, QColor(245, 245, 250));
            page(p, 1, 2, Qt::white);
            break;
        case lists::kWithNotes:
            page(p, 4, 0, QColor(255, 245, 200));
            page(p, 1, 2, Qt::white);
            break;
        case lists::kArchived:
            page(p, 2, 1, QColor(255, 210, 170));
            break;
        case lists::kSortMarker: {
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(60, 60, 60));
            const QPointF triangle[] = {{4, 6}, {12, 6}, {8, 11}};
            p.drawPolygon(triangle, 3);
            break;
        }
        case lists::kFigure:
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QColor(40, 60, 120));
            p.setBrush(QColor(90, 130, 200));
            p.drawEllipse(QPointF(8, 4), 2.5, 2.5);
            p.drawRoundedRect(QRectF(4.5, 7.5, 7, 7), 2, 2);
            break;
    }
    return QIcon(pixmap);
}

}  // namespace

const std::vector<QIcon>& images() {
    static const std::vector<QIcon> all = [] {
        std::vector<QIcon> v;
        for (int i = 0; i <= lists::kFigure; ++i) {
            v.push_back(draw(i));
        }
        return v;
    }();
    return all;
}

const QIcon& image(int index) {
    static const QIcon none;
    const auto& all = images();
    return (index >= 0 && index < static_cast<int>(all.size())) ? all[index] : none;
}

}  // namespace widgets
