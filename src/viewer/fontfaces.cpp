#include "viewer/fontfaces.h"

#include "platform/textconv.h"
#include "startup/fonts.h"

namespace viewer {
namespace {

QString face(const std::string& installed, size_t row) {
    return platform::qs(installed.empty() ? fonts::fontTable()[row].face : installed);
}

}  // namespace

QFont interfaceFont() {
    return QFont(face(fonts::interfaceFace(), 0));
}

QFont textFont(bool cyrillic) {
    QFont font(cyrillic ? face(fonts::cyrillicFace(), 2) : face(fonts::latinFace(), 1));
    font.setPointSize(10);
    return font;
}

}  // namespace viewer
