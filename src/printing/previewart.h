#pragma once
// The preview window's small pictures, drawn rather than shipped: the fit
// buttons, the zoom tool and its cursor.
#include <QCursor>
#include <QIcon>

namespace printing {

QIcon fitPageIcon();
QIcon fitWidthIcon();
QIcon zoomToolIcon();
// The zoom cursor ("ZOOM_CURSOR"): a magnifying glass, hot spot in the lens.
QCursor zoomCursor();

}  // namespace printing
