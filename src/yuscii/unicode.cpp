#include "yuscii/unicode.h"

#include <array>

namespace yuscii {
namespace {

// The ten punctuation letters in Latin, capitals first: @ [ \ ] ^, ` { | } ~.
char16_t punctuationLatin(unsigned char b) {
    switch (b) {
        case '@':
            return u'\u017D';
        case '[':
            return u'\u0160';
        case '\\':
            return u'\u0110';
        case ']':
            return u'\u0106';
        case '^':
            return u'\u010C';
        case '`':
            return u'\u017E';
        case '{':
            return u'\u0161';
        case '|':
            return u'\u0111';
        case '}':
            return u'\u0107';
        case '~':
            return u'\u010D';
        default:
            return 0;
    }
}

const char16_t* digraphLatin(unsigned char b) {
    switch (b) {
        case 'W':
            return u"Nj";
        case 'w':
            return u"nj";
        case 'Q':
            return u"Lj";
        case 'q':
            return u"lj";
        case 'X':
            return u"D\u017E";
        case 'x':
            return u"d\u017E";
        default:
            return nullptr;
    }
}

// YUSCII capitals (and @ [ \ ] ^) to Serbian Cyrillic capitals; 0: none.
std::array<char16_t, 128> cyrillicTable() {
    std::array<char16_t, 128> table{};
    const std::pair<char, char16_t> capitals[] = {
        {'A', u'\u0410'},  {'B', u'\u0411'}, {'V', u'\u0412'}, {'G', u'\u0413'}, {'D', u'\u0414'},
        {'\\', u'\u0402'}, {'E', u'\u0415'}, {'@', u'\u0416'}, {'Z', u'\u0417'}, {'I', u'\u0418'},
        {'J', u'\u0408'},  {'K', u'\u041A'}, {'L', u'\u041B'}, {'Q', u'\u0409'}, {'M', u'\u041C'},
        {'N', u'\u041D'},  {'W', u'\u040A'}, {'O', u'\u041E'}, {'P', u'\u041F'}, {'R', u'\u0420'},
        {'S', u'\u0421'},  {'T', u'\u0422'}, {']', u'\u040B'}, {'U', u'\u0423'}, {'F', u'\u0424'},
        {'H', u'\u0425'},  {'C', u'\u0426'}, {'^', u'\u0427'}, {'X', u'\u040F'}, {'[', u'\u0428'},
    };
    for (auto [code, capital] : capitals) {
        table[static_cast<unsigned char>(code)] = capital;
        // YUSCII small letters are ASCII case, and +0x20 for @ [ \ ] ^ too.
        const char16_t small = (capital >= u'\u0410' && capital <= u'\u042F')
                                   ? static_cast<char16_t>(capital + 0x20)
                                   : static_cast<char16_t>(capital + 0x50);
        table[static_cast<unsigned char>(code) + 0x20] = small;
    }
    return table;
}

}  // namespace

std::u16string toUnicode(std::string_view text, Script script) {
    static const std::array<char16_t, 128> cyrillic = cyrillicTable();
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (script == Script::Cyrillic && b < 128 && cyrillic[b] != 0) {
            out.push_back(cyrillic[b]);
        } else if (char16_t letter = punctuationLatin(b)) {
            out.push_back(letter);
        } else if (const char16_t* pair = script == Script::Latin ? digraphLatin(b) : nullptr) {
            out += pair;
        } else {
            out.push_back(static_cast<char16_t>(b));
        }
    }
    return out;
}

}  // namespace yuscii
