#include "demo/yuscii_convert.h"

#include <cstdio>

namespace demo {

std::string where(std::string_view file, int line) {
    return std::string(file) + ":" + std::to_string(line) + ": ";
}

namespace {

// The ten YUSCII letters: code point -> code.
struct Letter {
    char32_t cp;
    char code;
};
constexpr Letter kLetters[] = {
    {U'\u0160', '['}, {U'\u0161', '{'}, {U'\u0110', '\\'}, {U'\u0111', '|'}, {U'\u010C', '^'},
    {U'\u010D', '~'}, {U'\u0106', ']'}, {U'\u0107', '}'},  {U'\u017D', '@'}, {U'\u017E', '`'},
};

// Typographic characters and their plain replacements.
struct Replacement {
    char32_t cp;
    const char* text;
};
constexpr Replacement kReplacements[] = {
    {U'\u201E', "\""}, {U'\u201C', "\""}, {U'\u201D', "\""},  {U'\u2018', "'"}, {U'\u2019', "'"},
    {U'\u2013', "-"},  {U'\u2014', "-"},  {U'\u2026', "..."}, {U'\u00A0', " "},
};

bool isYusciiLetterCode(char c) {
    for (const Letter& l : kLetters) {
        if (l.code == c) {
            return true;
        }
    }
    return false;
}

// Decodes one code point at i; returns false on malformed UTF-8.
bool decode(std::string_view s, size_t& i, char32_t& cp) {
    const auto b = static_cast<unsigned char>(s[i]);
    int extra = 0;
    if (b < 0x80) {
        cp = b;
    } else if ((b & 0xE0) == 0xC0) {
        cp = b & 0x1F;
        extra = 1;
    } else if ((b & 0xF0) == 0xE0) {
        cp = b & 0x0F;
        extra = 2;
    } else if ((b & 0xF8) == 0xF0) {
        cp = b & 0x07;
        extra = 3;
    } else {
        return false;
    }
    if (extra > 0 && i + extra >= s.size()) {
        return false;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) {
            return false;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    i += extra + 1;
    return true;
}

std::string describe(char32_t cp) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
    return buf;
}

}  // namespace

std::string utf8ToYuscii(std::string_view utf8, std::string_view file, int line) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        if (!decode(utf8, i, cp)) {
            throw SourceError(where(file, line) + "malformed UTF-8");
        }
        if (cp < 0x80) {
            const char c = static_cast<char>(cp);
            if (isYusciiLetterCode(c)) {
                throw SourceError(where(file, line) + "the character '" + std::string(1, c) +
                                  "' is a Serbian letter in YUSCII and cannot be stored");
            }
            if (cp < 0x20 || cp == 0x7F) {
                throw SourceError(where(file, line) + "control character " + describe(cp));
            }
            out += c;
            continue;
        }
        bool done = false;
        for (const Letter& l : kLetters) {
            if (l.cp == cp) {
                out += l.code;
                done = true;
                break;
            }
        }
        for (const Replacement& r : kReplacements) {
            if (!done && r.cp == cp) {
                out += r.text;
                done = true;
            }
        }
        if (!done) {
            throw SourceError(where(file, line) + "character " + describe(cp) +
                              " cannot be stored in YUSCII");
        }
    }
    return out;
}

namespace {

// The single Cyrillic letter for two Latin letters, or 0 when they form none.
char digraph(char first, char second) {
    const bool upper = first >= 'A' && first <= 'Z';
    const char f = static_cast<char>(upper ? first - 'A' + 'a' : first);
    if ((f == 'n' || f == 'l') && (second == 'j' || second == 'J')) {
        const char c = f == 'n' ? 'w' : 'q';
        return upper ? static_cast<char>(c - 'a' + 'A') : c;
    }
    if (f == 'd' && (second == '`' || second == '@')) {
        return upper ? 'X' : 'x';
    }
    return 0;
}

std::string convert(std::string_view s, bool cyrillic) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (i + 2 < s.size() && s[i + 1] == '+' && digraph(s[i], s[i + 2]) != 0) {
            out += s[i];
            out += s[i + 2];
            i += 2;
            continue;
        }
        if (cyrillic && i + 1 < s.size()) {
            const char d = digraph(s[i], s[i + 1]);
            if (d != 0) {
                out += d;
                ++i;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

}  // namespace

std::string latinText(std::string_view yuscii) {
    return convert(yuscii, false);
}

std::string cyrillicText(std::string_view yuscii) {
    return convert(yuscii, true);
}

}  // namespace demo
