#include "yuscii/yuscii.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using namespace yuscii;

TEST(YusciiCase, LetterPairsDifferBy0x20) {
    const std::string upper = "@[\\]^";
    const std::string lower = "`{|}~";
    for (size_t i = 0; i < upper.size(); ++i) {
        EXPECT_EQ(yusciiupper(lower[i]), upper[i]);
        EXPECT_EQ(yusciilower(upper[i]), lower[i]);
        EXPECT_EQ(yusciiupper(upper[i]), upper[i]);
        EXPECT_EQ(yusciilower(lower[i]), lower[i]);
    }
}

TEST(YusciiCase, OtherBytesUnchangedAsciiLettersToo) {
    for (int b = 0; b < 256; ++b) {
        char ch = static_cast<char>(b);
        if (std::string("@[\\]^`{|}~").find(ch) != std::string::npos) {
            continue;
        }
        EXPECT_EQ(yusciiupper(ch), ch) << b;
        EXPECT_EQ(yusciilower(ch), ch) << b;
    }
}

TEST(YusciiCase, WholeStrings) {
    struct Case {
        std::string lower, upper;
    };
    const Case cases[] = {
        {"\x7E\x61\x7B", "\x5E\x41\x5B"},  // č a š / Č A Š
        {"pre`i wqx", "PRE@I WQX"},
        {"1. ~lan {", "1. ^LAN ["},
        {"", ""},
        {"\xE9", "\xE9"},  // bytes above 0x7F stay
    };
    for (const auto& c : cases) {
        EXPECT_EQ(yupperW(c.lower), c.upper) << c.lower;
        EXPECT_EQ(ylowerW(c.upper), c.lower) << c.upper;
    }
}

TEST(YusciiKeyboard, MappingTable) {
    const std::string typed = "[{]};:'\"\\|";
    const std::string yuscii = "{[|\\~^}]`@";
    for (size_t i = 0; i < typed.size(); ++i) {
        EXPECT_EQ(yusciitounicod(typed[i]), yuscii[i]) << typed[i];
    }
    for (char ch : std::string("aZ09 @`^~-=,./?")) {
        EXPECT_EQ(yusciitounicod(ch), ch) << ch;
    }
}

TEST(YusciiKeyboard, UnicodeKeys) {
    struct Case {
        char32_t typed;
        std::optional<char> code;
    };
    const Case cases[] = {
        // Latin-1 goes through the keyboard mapping.
        {U';', '~'},
        {U'a', 'a'},
        {U'\u00E9', '\xE9'},
        // Serbian Latin letters.
        {U'Š', '['},
        {U'š', '{'},
        {U'Č', '^'},
        {U'č', '~'},
        {U'Ć', ']'},
        {U'ć', '}'},
        {U'Đ', '\\'},
        {U'đ', '|'},
        {U'Ž', '@'},
        {U'ž', '`'},
        // Serbian Cyrillic letters as their Latin counterparts.
        {U'А', 'A'},
        {U'б', 'b'},
        {U'В', 'V'},
        {U'г', 'g'},
        {U'Е', 'E'},
        {U'И', 'I'},
        {U'к', 'k'},
        {U'Х', 'H'},
        {U'ц', 'c'},
        {U'Љ', 'Q'},
        {U'љ', 'q'},
        {U'Њ', 'W'},
        {U'њ', 'w'},
        {U'Џ', 'X'},
        {U'џ', 'x'},
        {U'Ш', '['},
        {U'ш', '{'},
        {U'Ч', '^'},
        {U'ч', '~'},
        {U'Ћ', ']'},
        {U'ћ', '}'},
        {U'Ђ', '\\'},
        {U'ђ', '|'},
        {U'Ж', '@'},
        {U'ж', '`'},
        {U'Ј', 'J'},
        {U'ј', 'j'},
        // No YUSCII code: Russian-only letters, other scripts, symbols.
        {U'Й', std::nullopt},
        {U'щ', std::nullopt},
        {U'Я', std::nullopt},
        {U'ё', std::nullopt},
        {U'€', std::nullopt},
        {U'ő', std::nullopt},
        {U'\U0001F600', std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fromUnicodeKey(c.typed), c.code) << static_cast<unsigned>(c.typed);
    }
}

TEST(YusciiKeyboard, WholeSerbianCyrillicAlphabet) {
    // Азбука order against the Latin letters of the same YUSCII codes.
    const std::u32string cyr = U"АБВГДЂЕЖЗИЈКЛЉМНЊОПРСТЋУФХЦЧЏШ";
    const std::string lat = "ABVGD\\E@ZIJKLQMNWOPRST]UFHC^X[";
    ASSERT_EQ(cyr.size(), lat.size());
    for (size_t i = 0; i < cyr.size(); ++i) {
        EXPECT_EQ(fromUnicodeKey(cyr[i]), lat[i]) << i;
        const char32_t small = cyr[i] < 0x410 ? cyr[i] + 0x50 : cyr[i] + 0x20;
        EXPECT_EQ(fromUnicodeKey(small), ylowerW(std::string(1, lat[i]))[0]) << i;
    }
}

}  // namespace
