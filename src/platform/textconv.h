#pragma once
// YUSCII bytes become QString only at the widget boundary. Every byte maps to
// the character of the same code, except the ten punctuation codes that are
// Serbian letters (@ [ \ ] ^ ` { | } ~): they map into a private-use block
// (U+E000 + code), which the YUSCII fonts draw as the same letters. Text
// layout then treats them as letters: a line never breaks inside a word
// after đ or ć, and word selection keeps such words whole. Bytes 0x80-0x9F
// are the Windows-1252 typographic characters („ “ ” – — … €).
#include <QChar>
#include <QString>
#include <string>
#include <string_view>

#include "yuscii/cp1252.h"

namespace platform {

inline constexpr char16_t kYusciiLetterBase = 0xE000;

// Whether a byte is one of the ten YUSCII letter codes in ASCII punctuation.
constexpr bool isPunctuationLetter(unsigned char b) {
    return b == 0x40 || (b >= 0x5B && b <= 0x5E) || b == 0x60 || (b >= 0x7B && b <= 0x7E);
}

inline QChar qchar(unsigned char b) {
    return QChar(isPunctuationLetter(b) ? static_cast<char16_t>(kYusciiLetterBase + b)
                                        : yuscii::cp1252ToUnicode(b));
}

// The YUSCII byte a character stands for; -1 when it stands for none.
inline int yusciiByte(QChar c) {
    const char16_t u = c.unicode();
    if (u <= 0xFF) {
        return u;
    }
    if (u >= kYusciiLetterBase && u <= kYusciiLetterBase + 0xFF) {
        return u - kYusciiLetterBase;
    }
    return yuscii::cp1252HighByte(u);
}

inline QString qs(std::string_view yuscii) {
    QString out(static_cast<qsizetype>(yuscii.size()), Qt::Uninitialized);
    QChar* p = out.data();
    for (char c : yuscii) {
        *p++ = qchar(static_cast<unsigned char>(c));
    }
    return out;
}
inline QString qs(const std::string& yuscii) {
    return qs(std::string_view(yuscii));
}
inline QString qs(const char* yuscii) {
    return qs(std::string_view(yuscii));
}

// YUSCII bytes for other programs: every byte its own (Windows-1252)
// character, the letter codes as the ASCII punctuation they are stored as.
inline QString qsStored(std::string_view yuscii) {
    QString out(static_cast<qsizetype>(yuscii.size()), Qt::Uninitialized);
    QChar* p = out.data();
    for (char c : yuscii) {
        *p++ = QChar(yuscii::cp1252ToUnicode(static_cast<unsigned char>(c)));
    }
    return out;
}

// Back to bytes; characters that stand for no byte become '?'.
inline std::string ys(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        int b = yusciiByte(c);
        out.push_back(b >= 0 ? static_cast<char>(b) : '?');
    }
    return out;
}

// The plain text of a text edit as bytes: its paragraph and line separators
// become line feeds, a non-breaking space a space.
inline std::string ysPlain(QString text) {
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    return ys(text);
}

}  // namespace platform
