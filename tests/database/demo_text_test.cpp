#include <gtest/gtest.h>

#include "demo/rtf_writer.h"
#include "demo/yuscii_convert.h"

namespace {

using demo::SourceError;

TEST(DemoYuscii, SerbianLettersAndTypographicMarks) {
    const std::pair<const char*, const char*> cases[] = {
        {"Šš Đđ Čč Ćć Žž", "[{ \\| ^~ ]} @`"},
        {"„Zakon“ ‘o’ radu – član — 5…", "\"Zakon\" 'o' radu - ~lan - 5..."},
        {"a\u00A0b", "a b"},
        {"Plain ASCII 0-9 <ugov1> *_+", "Plain ASCII 0-9 <ugov1> *_+"},
        {"", ""},
    };
    for (const auto& [utf8, yuscii] : cases) {
        EXPECT_EQ(demo::utf8ToYuscii(utf8, "f.txt", 1), yuscii) << utf8;
    }
}

TEST(DemoYuscii, UnstorableCharactersNameFileAndLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"a[b", "propisi/001.txt:7: the character '[' is a Serbian letter"},
        {"x`y", "propisi/001.txt:7: the character '`'"},
        {"ä", "propisi/001.txt:7: character U+00E4 cannot be stored"},
        {"Ж", "propisi/001.txt:7: character U+0416"},
        {"a\tb", "propisi/001.txt:7: control character U+0009"},
        {"\xC5", "propisi/001.txt:7: malformed UTF-8"},
        {"\xC5\x41", "propisi/001.txt:7: malformed UTF-8"},
    };
    for (const auto& [utf8, message] : cases) {
        try {
            demo::utf8ToYuscii(utf8, "propisi/001.txt", 7);
            ADD_FAILURE() << "no error for " << utf8;
        } catch (const SourceError& e) {
            EXPECT_TRUE(std::string(e.what()).starts_with(message)) << e.what();
        }
    }
}

TEST(DemoYuscii, CyrillicDigraphsAndTheirSeparator) {
    struct Case {
        const char* yuscii;
        const char* latin;
        const char* cyrillic;
    } cases[] = {
        {"njiva Njego[ NJIVA nJ", "njiva Njego[ NJIVA nJ", "wiva Wego[ WIVA w"},
        {"ljubav Ljubav LJUBAV", "ljubav Ljubav LJUBAV", "qubav Qubav QUBAV"},
        {"d`ep D`ep D@EP", "d`ep D`ep D@EP", "xep Xep XEP"},
        {"in+jekcija kon+junktura", "injekcija konjunktura", "injekcija konjunktura"},
        {"nad+`iveti pod+`anr", "nad`iveti pod`anr", "nad`iveti pod`anr"},
        {"2+2 a+b n+", "2+2 a+b n+", "2+2 a+b n+"},
        {"dj lz", "dj lz", "dj lz"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(demo::latinText(c.yuscii), c.latin) << c.yuscii;
        EXPECT_EQ(demo::cyrillicText(c.yuscii), c.cyrillic) << c.yuscii;
    }
}

TEST(DemoRtf, EscapesTheYusciiLettersThatAreRtfSyntax) {
    EXPECT_EQ(demo::rtfEscape("{ta} \\ak |"), "\\{ta\\} \\\\ak |");
}

TEST(DemoRtf, MarkupBecomesParagraphs) {
    const std::vector<demo::SourceLine> body = {
        {1, "# ZAKON"},
        {2, "## ^lan 1."},
        {3, "### Odeljak _prvi_"},
        {4, "Tekst **va`an** i _kosi_ {to}."},
        {5, "- 1) stavka **b**"},
        {6, "   "},
        {7, "# A **B** C"},
    };
    EXPECT_EQ(demo::markupToRtf(body, demo::Script::Latin, "f.txt"),
              "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 YHelvetica;}}\n"
              "\\viewkind4\\uc1\\f0\\fs20\n"
              "\\pard\\qc\\b ZAKON\\b0\\par\n"
              "\\pard\\qc\\b ^lan 1.\\b0\\par\n"
              "\\pard\\qc\\i Odeljak prvi\\i0\\par\n"
              "\\pard\\qj\\fi567 Tekst \\b va`an\\b0  i \\i kosi\\i0  \\{to\\}.\\par\n"
              "\\pard\\qj\\li567 1) stavka \\b b\\b0\\par\n"
              "\\pard\\qc\\b A B C\\b0\\par\n"
              "}\n");
}

TEST(DemoRtf, CyrillicUsesItsFontAndLetters) {
    const std::string rtf =
        demo::markupToRtf({{1, "Wiva i in+jekcija, njiva"}}, demo::Script::Cyrillic, "f.txt");
    EXPECT_NE(rtf.find("CHelvetica;"), std::string::npos);
    EXPECT_NE(rtf.find("Wiva i injekcija, wiva"), std::string::npos);
}

// Printed Serbian Cyrillic keeps the Roman numerals of headings in Latin.
TEST(DemoRtf, CyrillicKeepsLeadingRomanNumeralsInTheLatinFace) {
    const std::pair<const char*, const char*> cases[] = {
        {"### IV. AKCIONARSKO", "\\pard\\qc\\i {\\f1 IV}. AKCIONARSKO\\i0\\par"},
        {"### XLIX. KRAJ", "{\\f1 XLIX}. KRAJ"},
        {"- I. stavka", "{\\f1 I}. stavka"},
        {"IIII. nije broj", "\\fi567 IIII. nije broj"},
        {"VI nema ta~ke", "\\fi567 VI nema ta~ke"},
        {"Ivan. ime", "\\fi567 Ivan. ime"},
    };
    for (const auto& [line, expected] : cases) {
        const std::string rtf = demo::markupToRtf({{1, line}}, demo::Script::Cyrillic, "f.txt");
        EXPECT_NE(rtf.find(expected), std::string::npos) << rtf;
        EXPECT_NE(rtf.find("{\\f1\\fnil\\fcharset0 YHelvetica;}"), std::string::npos);
    }
    // The Latin text has nothing to switch.
    EXPECT_EQ(demo::markupToRtf({{1, "### IV. A"}}, demo::Script::Latin, "f.txt").find("\\f1"),
              std::string::npos);
}

TEST(DemoRtf, UnclosedMarkupNamesFileAndLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"a **b", "f.txt:9: unclosed ** at column 3"},
        {"a _b", "f.txt:9: unclosed _ at column 3"},
    };
    for (const auto& [line, message] : cases) {
        try {
            demo::markupToRtf({{9, line}}, demo::Script::Latin, "f.txt");
            ADD_FAILURE() << line;
        } catch (const SourceError& e) {
            EXPECT_EQ(std::string(e.what()), message);
        }
    }
}

TEST(DemoRtf, NoteIsPaddedToItsExactStoredLength) {
    for (size_t length : {200u, 201u}) {
        const std::string rtf =
            demo::noteToRtf({3, "Kratka napomena."}, demo::Script::Latin, "f.txt", length);
        EXPECT_EQ(rtf.size(), length);
        const size_t text = rtf.find("Kratka napomena.");
        ASSERT_NE(text, std::string::npos);
        const size_t end = rtf.size() - std::string("\\par\n}\n").size();
        EXPECT_EQ(rtf.substr(end), "\\par\n}\n");
        EXPECT_EQ(rtf.find_first_not_of(' ', text + 16), end);
    }
    EXPECT_THROW(demo::noteToRtf({3, std::string(300, 'a')}, demo::Script::Latin, "f.txt", 201),
                 SourceError);
    const std::string plain = demo::noteToRtf({3, "Kratka."}, demo::Script::Latin, "f.txt");
    EXPECT_TRUE(plain.ends_with("\\pard\\qj Kratka.\\par\n}\n"));
}

}  // namespace
