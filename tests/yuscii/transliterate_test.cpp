#include "yuscii/transliterate.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using yuscii::transliterate;

TEST(Transliterate, EveryLetterBecomesPlainLatin) {
    struct Case {
        std::string yuscii, plain;
    };
    const Case cases[] = {
        {"x X w { |", "dz DZ nj s dj"},
        {"wWqQxX", "njNjljLjdzDZ"},
        {"{[}]~^@`|\\", "sScCcCZzdjDj"},
        {"Pre&tra`i", "Pre&trazi"},
        {"[tam&pa", "Stam&pa"},
        {"Zakon o porezu na dobit 12/2005 (~l. 3)", "Zakon o porezu na dobit 12/2005 (cl. 3)"},
        {"wax", "njadz"},
        {"", ""},
        {"\xE9\x01", "\xE9\x01"},  // other bytes stay
        // Windows-1252 typographic characters stay: „Šuma“ – 5€…
        {"\x84[uma\x93 \x96 5\x80\x85", "\x84Suma\x93 \x96 5\x80\x85"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(transliterate(c.yuscii), c.plain) << c.yuscii;
    }
}

TEST(Transliterate, SecondPassChangesNothing) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    const std::string once = transliterate(all);
    EXPECT_EQ(transliterate(once), once);
}

}  // namespace
