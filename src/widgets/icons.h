#pragma once
// The six 16 by 16 images shared by the lists and trees of the main window
// and the selection window, in the order of lists::Image.
#include <QIcon>
#include <vector>

namespace widgets {
const std::vector<QIcon>& images();
const QIcon& image(int index);
}  // namespace widgets
