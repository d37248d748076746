#include "platform/pastetext.h"

#include <QList>
#include "platform/textconv.h"
#include "yuscii/yuscii.h"

namespace platform {

std::string ysFromOutside(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (char32_t cp : text.toUcs4()) {
        // Latin-1 and our own letter characters keep their bytes; the keyboard
        // mapping is for typed keys only, not for pasted punctuation.
        if (cp > 0xFF && (cp < kYusciiLetterBase || cp > kYusciiLetterBase + 0xFF)) {
            if (const std::optional<char> letter = yuscii::fromUnicodeKey(cp)) {
                out.push_back(*letter);
                continue;
            }
        }
        const int b = cp > 0xFFFF ? -1 : yusciiByte(QChar(static_cast<char16_t>(cp)));
        out.push_back(b >= 0 ? static_cast<char>(b) : '?');
    }
    return out;
}

}  // namespace platform
