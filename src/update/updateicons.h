#pragma once
// The two 32 by 32 pictures of the update window's list, drawn at run time:
// an archive (image 0) and a news sheet (image 1).
#include <QIcon>

#include "update/listener.h"

namespace update {

// The picture of a row's icon; a null icon for RowIcon::None.
QIcon rowIcon(RowIcon icon);

}  // namespace update
