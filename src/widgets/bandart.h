#pragma once
// The program's own artwork, drawn at run time: the logo (an open book with
// a column of text beside a section mark), the main window's top band and
// the document window's title strip.
#include <QPixmap>

class QWidget;

namespace widgets {

// The logo, size by size pixels, on a transparent ground.
QPixmap logo(int size);

// The top band: the logo at the left and a picture stretched over the rest.
QWidget* createBand(QWidget* parent);

// The title strip: a banner at the left and a picture stretched over the rest.
QWidget* createStrip(QWidget* parent);

}  // namespace widgets
