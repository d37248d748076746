#pragma once
// The YUSCII faces as the windows assign them, also before installfonts()
// has set the process-wide names.
#include <QFont>

namespace fonts {

QFont interfaceFont();          // "YU Sans Serif"
QFont textFont(bool cyrillic);  // "CHelvetica" or "YHelvetica", 10 points

}  // namespace fonts
