#include "dbviews/dbimage.h"

#include <QPainter>
#include <climits>

namespace dbviews {

DBImage::DBImage(QWidget* parent)
    : QLabel(parent), FieldBinding([this](engine::Event) { dataChanged(); }) {}

DBImage::~DBImage() = default;

void DBImage::rebound() {
    dataChanged();
}

void DBImage::dataChanged() {
    stale_ = true;
    update();
}

const QImage& DBImage::picture() const {
    if (stale_) {
        stale_ = false;
        ++loads_;
        picture_ = QImage();
        auto field = boundField();
        if (field && field->dataSize() > 0 && field->dataSize() <= INT_MAX) {
            const std::string bytes = field->asString();
            // Bytes that are no picture leave the image null.
            picture_.loadFromData(reinterpret_cast<const uchar*>(bytes.data()),
                                  static_cast<int>(bytes.size()));
        }
    }
    return picture_;
}

QRect DBImage::pictureRect() const {
    const QImage& image = picture();
    const QRect area = contentsRect();
    if (image.isNull() || area.isEmpty()) {
        return {};
    }
    const QSize size = image.size().scaled(area.size(), Qt::KeepAspectRatio);
    QRect rect(QPoint(0, 0), size);
    rect.moveCenter(area.center());
    return rect;
}

void DBImage::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    const QRect rect = pictureRect();
    if (rect.isEmpty()) {
        scaled_ = QPixmap();
        return;
    }
    if (scaled_.size() != rect.size() || scaledFor_ != loads_) {
        scaledFor_ = loads_;
        scaled_ = QPixmap::fromImage(
            picture_.scaled(rect.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    QPainter painter(this);
    painter.drawPixmap(rect.topLeft(), scaled_);
}

}  // namespace dbviews
