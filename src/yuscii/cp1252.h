#pragma once
// Bytes 0x80-0xFF of stored texts are Windows-1252 characters, as the RTF
// header (\ansicpg1252) says: 0xA0-0xFF are Latin-1, 0x80-0x9F the
// typographic marks („ “ ” ‘ ’ – — … € and a few letters). Header only, so
// that the widget boundary and the RTF parser share one table.
namespace yuscii {

// The Unicode characters of bytes 0x80-0x9F; 0 for the five unused codes.
inline constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The character a byte stands for outside YUSCII's letters: ASCII and
// Latin-1 as themselves, 0x80-0x9F as above (an unused code as itself).
constexpr char16_t cp1252ToUnicode(unsigned char b) {
    if (b >= 0x80 && b < 0xA0 && kCp1252High[b - 0x80] != 0)
        return kCp1252High[b - 0x80];
    return b;
}

// The byte 0x80-0x9F of a typographic character; -1 when it has none.
constexpr int cp1252HighByte(char32_t u) {
    if (u < 0x100)
        return -1;
    for (int i = 0; i < 32; ++i) {
        if (kCp1252High[i] == u)
            return 0x80 + i;
    }
    return -1;
}

}  // namespace yuscii
