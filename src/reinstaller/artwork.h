#pragma once
// Pelmat's own artwork, drawn at run time: the picture of the top panel
// (589 by 39 pixels; its left part shows in the window) and the program's icon.
#include <QPixmap>

namespace reinstaller {

inline constexpr int kPictureWidth = 589;
inline constexpr int kPictureHeight = 39;

QPixmap topPicture();
// The icon, size by size pixels, on a transparent ground.
QPixmap icon(int size);

}  // namespace reinstaller
