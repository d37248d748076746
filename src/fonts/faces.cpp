#include "fonts/faces.h"

#include "fonts/fonts.h"
#include "platform/textconv.h"

namespace fonts {
namespace {

QString face(const std::string& installed, size_t row) {
    return platform::qs(installed.empty() ? fontTable()[row].face : installed);
}

}  // namespace

QFont interfaceFont() {
    return QFont(face(interfaceFace(), 0));
}

QFont textFont(bool cyrillic) {
    QFont font(cyrillic ? face(cyrillicFace(), 2) : face(latinFace(), 1));
    font.setPointSize(10);
    return font;
}

}  // namespace fonts
