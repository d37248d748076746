#include "platform/textconv.h"

namespace platform {

std::string ys(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        char16_t u = c.unicode();
        out.push_back(u <= 0xFF ? static_cast<char>(u) : '?');
    }
    return out;
}

}  // namespace platform
