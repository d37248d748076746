#pragma once
// The program's own artwork, drawn at run time: the logo (an open book with
// a column of text beside a section mark) and the main window's top band.
#include <QPixmap>

class QWidget;

namespace bandart {

// The logo, size by size pixels, on a transparent ground.
QPixmap logo(int size);

// The top band: the logo at the left and a picture stretched over the rest.
QWidget* createBand(QWidget* parent);

}  // namespace bandart
