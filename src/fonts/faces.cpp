#include "fonts/faces.h"

#include "fonts/fonts.h"
#include "platform/textconv.h"

namespace fonts {
namespace {

// The installed name, or the font table's before installfonts() has run.
const std::string& face(const std::string& installed, size_t row) {
    return installed.empty() ? fontTable()[row].face : installed;
}

}  // namespace

QFont interfaceFont() {
    return QFont(platform::qs(face(interfaceFace(), 0)));
}

QFont textFont(bool cyrillic) {
    QFont font(platform::qs(textFace(cyrillic)));
    font.setPointSize(10);
    return font;
}

std::string textFace(bool cyrillic) {
    return cyrillic ? face(cyrillicFace(), 2) : face(latinFace(), 1);
}

}  // namespace fonts
