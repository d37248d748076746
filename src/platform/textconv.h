#pragma once
// YUSCII bytes become QString only at the widget boundary: every byte maps to
// the character of the same code, which the YUSCII fonts draw as a Serbian
// letter.
#include <QString>
#include <string>

namespace platform {

inline QString qs(const std::string& yuscii) {
    return QString::fromLatin1(yuscii.data(), static_cast<qsizetype>(yuscii.size()));
}
inline QString qs(const char* yuscii) { return QString::fromLatin1(yuscii); }

// Back to bytes; characters above 0xFF become '?'.
std::string ys(const QString& text);

}  // namespace platform
