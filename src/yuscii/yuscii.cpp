#include "yuscii/yuscii.h"

#include <array>
#include <utility>

namespace yuscii {

namespace {

unsigned char byte(char ch) {
    return static_cast<unsigned char>(ch);
}

bool isYusciiLower(char ch) {
    return ch == '`' || (byte(ch) >= 0x7B && byte(ch) <= 0x7E);
}
bool isYusciiUpper(char ch) {
    return ch == '@' || (byte(ch) >= 0x5B && byte(ch) <= 0x5E);
}

// Serbian Cyrillic capitals U+0400..U+042F as the Latin letter of the same
// YUSCII code; 0 where the letter is not Serbian. Lower case is the capital's
// code point + 0x20 (U+0430..U+044F) or + 0x50 (U+0450..U+045F).
constexpr std::array<char, 0x30> kCyrillicCapitals = [] {
    std::array<char, 0x30> t{};
    t[0x02] = '\\';  // Ђ
    t[0x08] = 'J';   // Ј
    t[0x09] = 'Q';   // Љ
    t[0x0A] = 'W';   // Њ
    t[0x0B] = ']';   // Ћ
    t[0x0F] = 'X';   // Џ
    // А Б В Г Д Е Ж З И (Й) К Л М Н О П Р С Т У Ф Х Ц Ч Ш; the rest of the
    // Russian letters have no Serbian counterpart.
    const char basic[] = "ABVGDE@ZI\0KLMNOPRSTUFHC^[";
    for (size_t i = 0; i + 1 < sizeof basic; ++i) {
        t[0x10 + i] = basic[i];
    }
    return t;
}();

}  // namespace

char yusciiupper(char ch) {
    return isYusciiLower(ch) ? static_cast<char>(byte(ch) - 0x20) : ch;
}

char yusciilower(char ch) {
    return isYusciiUpper(ch) ? static_cast<char>(byte(ch) + 0x20) : ch;
}

std::string yupperW(std::string_view s) {
    std::string out(s);
    for (char& ch : out) {
        if (ch >= 'a' && ch <= 'z') {
            ch = static_cast<char>(ch - 'a' + 'A');
        }
        ch = yusciiupper(ch);
    }
    return out;
}

std::string ylowerW(std::string_view s) {
    std::string out(s);
    for (char& ch : out) {
        if (ch >= 'A' && ch <= 'Z') {
            ch = static_cast<char>(ch - 'A' + 'a');
        }
        ch = yusciilower(ch);
    }
    return out;
}

char yusciitounicod(char ch) {
    switch (ch) {
        case '[':
            return '{';
        case '{':
            return '[';
        case ']':
            return '|';
        case '}':
            return '\\';
        case ';':
            return '~';
        case ':':
            return '^';
        case '\'':
            return '}';
        case '"':
            return ']';
        case '\\':
            return '`';
        case '|':
            return '@';
        default:
            return ch;
    }
}

std::optional<char> fromUnicodeKey(char32_t cp) {
    if (cp <= 0xFF) {
        return yusciitounicod(static_cast<char>(cp));
    }
    // Serbian Latin letters with diacritics, capital and small.
    static constexpr std::pair<char32_t, char> kLatin[] = {
        {U'\u0160', '['},  {U'\u0161', '{'},  // Š š
        {U'\u010C', '^'},  {U'\u010D', '~'},  // Č č
        {U'\u0106', ']'},  {U'\u0107', '}'},  // Ć ć
        {U'\u0110', '\\'}, {U'\u0111', '|'},  // Đ đ
        {U'\u017D', '@'},  {U'\u017E', '`'},  // Ž ž
    };
    for (const auto& [letter, code] : kLatin) {
        if (cp == letter) {
            return code;
        }
    }
    char capital = 0;
    if (cp >= 0x400 && cp < 0x430) {
        capital = kCyrillicCapitals[cp - 0x400];
    } else if (cp >= 0x430 && cp < 0x450) {
        capital = kCyrillicCapitals[cp - 0x430 + 0x10];
    } else if (cp >= 0x450 && cp < 0x460) {
        capital = kCyrillicCapitals[cp - 0x450];
    } else {
        return std::nullopt;
    }
    if (capital == 0) {
        return std::nullopt;
    }
    // A small letter enters the lower case of its capital's code.
    if (cp < 0x430) {
        return capital;
    }
    return capital >= 'A' && capital <= 'Z' ? static_cast<char>(capital - 'A' + 'a')
                                            : yusciilower(capital);
}

}  // namespace yuscii
