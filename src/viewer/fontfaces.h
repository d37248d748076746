#pragma once
// The YUSCII faces of the document windows, also before installfonts() has
// set the process-wide names.
#include <QFont>

namespace viewer {

QFont interfaceFont();          // "YU Sans Serif"
QFont textFont(bool cyrillic);  // "CHelvetica" or "YHelvetica", 10 points

}  // namespace viewer
