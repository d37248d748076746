#pragma once
// The YUSCII faces as the windows assign them, also before installfonts()
// has set the process-wide names.
#include <QFont>
#include <string>

namespace fonts {

QFont interfaceFont();          // "YU Sans Serif"
QFont textFont(bool cyrillic);  // "CHelvetica" or "YHelvetica", 10 points
// The name of textFont's face (YUSCII).
std::string textFace(bool cyrillic);

}  // namespace fonts
