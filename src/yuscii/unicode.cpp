#include "yuscii/unicode.h"

#include "yuscii/cp1252.h"

namespace yuscii {
namespace {

// Cyrillic capitals of the upper-case codes A-Z (0 for Y).
constexpr char16_t kCyrillicLetters[26] = {
    u'А', u'Б', u'Ц', u'Д', u'Е', u'Ф', u'Г', u'Х', u'И', u'Ј', u'К', u'Л', u'М',
    u'Н', u'О', u'П', u'Љ', u'Р', u'С', u'Т', u'У', u'В', u'Њ', u'Џ', 0,    u'З',
};

bool isUpperLetter(unsigned char b) {
    return (b >= 'A' && b <= 'Z') || b == '@' || (b >= '[' && b <= '^');
}
bool isLowerLetter(unsigned char b) {
    return (b >= 'a' && b <= 'z') || b == '`' || (b >= '{' && b <= '~');
}

// The Latin letters of the punctuation codes, capitals first (@ [ \ ] ^).
char16_t latinPunctuationLetter(unsigned char b) {
    switch (b) {
        case '@':
            return u'Ž';
        case '[':
            return u'Š';
        case '\\':
            return u'Đ';
        case ']':
            return u'Ć';
        case '^':
            return u'Č';
        case '`':
            return u'ž';
        case '{':
            return u'š';
        case '|':
            return u'đ';
        case '}':
            return u'ć';
        case '~':
            return u'č';
        default:
            return 0;
    }
}

char16_t cyrillicLetter(unsigned char b) {
    const bool lower = isLowerLetter(b);
    const unsigned char upper = lower ? static_cast<unsigned char>(b - 0x20) : b;
    char16_t c = 0;
    if (upper >= 'A' && upper <= 'Z') {
        c = kCyrillicLetters[upper - 'A'];
    } else {
        switch (upper) {
            case '@':
                c = u'Ж';
                break;
            case '[':
                c = u'Ш';
                break;
            case '\\':
                c = u'Ђ';
                break;
            case ']':
                c = u'Ћ';
                break;
            case '^':
                c = u'Ч';
                break;
            default:
                break;
        }
    }
    if (c == 0)
        return 0;
    if (!lower)
        return c;
    return c >= u'А' && c <= u'Я' ? static_cast<char16_t>(c + 0x20)
                                  : static_cast<char16_t>(c + 0x50);
}

void appendLatin(std::u16string& out, std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (char16_t c = latinPunctuationLetter(b)) {
        out += c;
        return;
    }
    const char16_t* digraph = nullptr;
    switch (b | 0x20) {
        case 'w':
            digraph = u"nj";
            break;
        case 'q':
            digraph = u"lj";
            break;
        case 'x':
            digraph = u"dž";
            break;
        default:
            out += cp1252ToUnicode(b);
            return;
    }
    out += (b & 0x20) ? digraph[0] : static_cast<char16_t>(digraph[0] - 0x20);
    // A capital digraph letter is all capitals inside a word in capitals
    // (NJEGOV), title case elsewhere (Njegov).
    const auto next = i + 1 < s.size() ? static_cast<unsigned char>(s[i + 1]) : 0;
    const auto prev = i > 0 ? static_cast<unsigned char>(s[i - 1]) : 0;
    const bool capitals =
        !(b & 0x20) && (isUpperLetter(next) || (isUpperLetter(prev) && !isLowerLetter(next)));
    char16_t second = digraph[1];
    if (capitals)
        second = second == u'ž' ? u'Ž' : static_cast<char16_t>(second - 0x20);
    out += second;
}

}  // namespace

std::u16string toUnicode(std::string_view s, Script script) {
    std::u16string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (script == Script::Latin) {
            appendLatin(out, s, i);
            continue;
        }
        const auto b = static_cast<unsigned char>(s[i]);
        if (script == Script::Interface) {
            const char16_t c = latinPunctuationLetter(b);
            out += c != 0 ? c : cp1252ToUnicode(b);
            continue;
        }
        const char16_t c = cyrillicLetter(b);
        out += c != 0 ? c : cp1252ToUnicode(b);
    }
    return out;
}

std::string toUtf8(std::string_view s, Script script) {
    std::string out;
    out.reserve(s.size());
    for (char16_t c : toUnicode(s, script)) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace yuscii
