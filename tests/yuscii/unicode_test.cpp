// YUSCII text as real Unicode letters, for PDF text and exports.
#include <gtest/gtest.h>

#include <string>

#include "support/case_name.h"
#include "yuscii/unicode.h"

namespace {

struct Case {
    const char* name;
    std::string yuscii;
    yuscii::Script script;
    std::string utf8;
};

const Case kCases[] = {
    {"Latin letters", "^ovek `ivi u [umi, }e|i \\ak @ak ]ir", yuscii::Script::Latin,
     "Čovek živi u Šumi, ćeđi Đak Žak Ćir"},
    {"Latin digraphs in small and title case", "wiva qubav xep Wegov Qubo Xak",
     yuscii::Script::Latin, "njiva ljubav džep Njegov Ljubo Džak"},
    {"Latin digraphs in capitals", "WEGOV QUBAV XEP W", yuscii::Script::Latin,
     "NJEGOV LJUBAV DŽEP Nj"},
    {"Cyrillic letters", "^ovek `ivi u [umi, }e|i \\ak @ak ]ir", yuscii::Script::Cyrillic,
     "Човек живи у Шуми, ћеђи Ђак Жак Ћир"},
    {"Cyrillic digraph letters", "Wiva qubav xep WQX", yuscii::Script::Cyrillic,
     "Њива љубав џеп ЊЉЏ"},
    {"Y has no Cyrillic letter", "Yy 12", yuscii::Script::Cyrillic, "Yy 12"},
    {"Windows-1252 characters in both scripts", "\x84kraj\x93 \x96 5\x80\x85 \xe9",
     yuscii::Script::Latin, "„kraj“ – 5€… é"},
    {"Interface face: only the punctuation letters", "proxy [tam&pa", yuscii::Script::Interface,
     "proxy Štam&pa"},
    {"Windows-1252 characters in Cyrillic", "\x84kraj\x93 \x97", yuscii::Script::Cyrillic,
     "„крај“ —"},
};

class UnicodeCases : public ::testing::TestWithParam<Case> {};

TEST_P(UnicodeCases, RealLetters) {
    const Case& c = GetParam();
    EXPECT_EQ(yuscii::toUtf8(c.yuscii, c.script), c.utf8);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, UnicodeCases, ::testing::ValuesIn(kCases),
                         testsupport::CaseName());

TEST(Unicode, Utf16OfABmpText) {
    EXPECT_EQ(yuscii::toUnicode("[w\x80", yuscii::Script::Latin), u"Šnj€");
}

}  // namespace
