#include "yuscii/unicode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using yuscii::Script;

TEST(Unicode, LettersAreSpeltAsTheirFaceDrawsThem) {
    struct Case {
        std::string yuscii;
        Script script;
        std::u16string unicode;
    };
    const Case cases[] = {
        {"^lan 1.", Script::Latin, u"Član 1."},
        {"@[\\]^`{|}~", Script::Latin, u"ŽŠĐĆČžšđćč"},
        {"wWqQxX", Script::Latin, u"njNjljLjdžDž"},
        {"proxy [tam&pa", Script::Interface, u"proxy Štam&pa"},
        {"^lan 1.", Script::Cyrillic, u"Члан 1."},
        {"ABVGD\\E@ZIJKLQMNWOPRST]UFHC^X[", Script::Cyrillic, u"АБВГДЂЕЖЗИЈКЛЉМНЊОПРСТЋУФХЦЧЏШ"},
        {"abvgd|e`zijklqmnwoprst}ufhc~x{", Script::Cyrillic, u"абвгдђежзијклљмнњопрстћуфхцчџш"},
        {"Yy 12/2005 (", Script::Cyrillic, u"Yy 12/2005 ("},
        {"\xE9\x01", Script::Latin, u"\u00E9\u0001"},  // other bytes keep their code
        {"", Script::Latin, u""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(yuscii::toUnicode(c.yuscii, c.script), c.unicode) << c.yuscii;
    }
}

}  // namespace
