#pragma once
// The splash picture of the start-up window (our own artwork, drawn at run
// time), 549 by 288 pixels.
#include <QPixmap>

namespace startup {
inline constexpr int kSplashWidth = 549;
inline constexpr int kSplashHeight = 288;
QPixmap splashPicture();
}  // namespace startup
