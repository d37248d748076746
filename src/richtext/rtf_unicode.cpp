// Unicode letters of the Serbian Latin and Cyrillic alphabets as YUSCII
// codes. Both scripts share the codes: Ш and Š are both '['.
#include "richtext/rtf_parser.h"

namespace rtf {
namespace {

// Cyrillic capitals U+0400..U+042F; 0 where the letter is not Serbian.
constexpr char kCyrillicUpper[48] = {
    0,   0,   '\\', 0,   0,   0,   0,   0,   'J', 'Q', 'W', ']', 0,   0,   0,   'X',
    'A', 'B', 'V',  'G', 'D', 'E', '@', 'Z', 'I', 0,   'K', 'L', 'M', 'N', 'O', 'P',
    'R', 'S', 'T',  'U', 'F', 'H', 'C', '^', '[', 0,   0,   0,   0,   0,   0,   0,
};

// Serbian Latin letters outside ASCII, with the digraph letters dž, lj, nj
// written as one character (capital, title case, small).
struct Letter {
    long codePoint;
    char code;
};
constexpr Letter kLatin[] = {
    {0x0160, '['}, {0x0161, '{'}, {0x0110, '\\'}, {0x0111, '|'}, {0x010C, '^'},
    {0x010D, '~'}, {0x0106, ']'}, {0x0107, '}'},  {0x017D, '@'}, {0x017E, '`'},
    {0x01C4, 'X'}, {0x01C5, 'X'}, {0x01C6, 'x'},  {0x01C7, 'Q'}, {0x01C8, 'Q'},
    {0x01C9, 'q'}, {0x01CA, 'W'}, {0x01CB, 'W'},  {0x01CC, 'w'},
};

int lowerOf(char upper) {
    // YUSCII letters and ASCII letters both take their small form at +0x20.
    return static_cast<unsigned char>(upper) + 0x20;
}

}  // namespace

int yusciiFromUnicode(long cp) {
    for (const Letter& letter : kLatin) {
        if (letter.codePoint == cp)
            return static_cast<unsigned char>(letter.code);
    }
    if (cp >= 0x0400 && cp < 0x0430) {
        char c = kCyrillicUpper[cp - 0x0400];
        return c != 0 ? static_cast<unsigned char>(c) : -1;
    }
    if (cp >= 0x0430 && cp < 0x0460) {
        // Small letters: U+0430..U+044F mirror U+0410..U+042F, U+0450..U+045F
        // mirror U+0400..U+040F.
        long upper = cp < 0x0450 ? cp - 0x20 : cp - 0x50;
        char c = kCyrillicUpper[upper - 0x0400];
        return c != 0 ? lowerOf(c) : -1;
    }
    return -1;
}

}  // namespace rtf
