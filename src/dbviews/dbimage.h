#pragma once
// A picture holder bound to a graphic field of a data source's current row,
// the field chosen by name (setDataField("S5")). It shows the PNG, JPEG or
// BMP bytes of the field scaled to fit its contents while keeping their
// proportions, centred. An empty field or bytes that are no picture show
// nothing.
//
// The picture is read when it is asked for or painted, not on every move of
// the row: a hidden holder on a table that is walked costs nothing.
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <string>

#include "dbviews/sourcelink.h"

namespace dbviews {

class DBImage : public QLabel, public FieldBinding {
    Q_OBJECT
  public:
    explicit DBImage(QWidget* parent = nullptr);
    ~DBImage() override;

    // The field's picture at its own size; a null image when there is none.
    const QImage& picture() const;
    bool hasPicture() const { return !picture().isNull(); }
    // Where the picture is drawn inside the contents; empty without one.
    QRect pictureRect() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void rebound() override;
    void dataChanged();

    mutable bool stale_ = true;
    mutable QImage picture_;
    mutable int loads_ = 0;  // counts the readings of the field
    QPixmap scaled_;         // the picture at the size last drawn
    int scaledFor_ = -1;     // the reading scaled_ was made from
};

}  // namespace dbviews
