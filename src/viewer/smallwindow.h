#pragma once
// The frame of the small windows the document window opens: a single border
// with only the close box, a fixed client area, centred on the screen (a
// dialog without a parent is centred when it is shown).
#include <QDialog>

namespace viewer {

inline void frameFixed(QDialog& window, int width, int height) {
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
    window.setFixedSize(width, height);
}

}  // namespace viewer
