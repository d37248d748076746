#include <gtest/gtest.h>

#include <random>

#include "search/hits.h"

namespace {

using search::Hit;
using search::HitRule;

std::vector<std::string> found(std::string_view text, const char* searchText, HitRule rule,
                               bool cyrillic = false) {
    const auto hits =
        search::findHits(text, search::hitNeedles(search::hitWords(searchText, rule), cyrillic));
    std::vector<std::string> out;
    for (const Hit& h : hits) {
        out.emplace_back(text.substr(h.start, h.length));
    }
    return out;
}

TEST(Hits, FollowTheWordRuleOfTheSearch) {
    using V = std::vector<std::string>;
    const struct {
        const char* name;
        const char* text;
        const char* words;
        HitRule rule;
        V hits;
    } cases[] = {
        {"part of a longer word", "Zakon o radu. RADNI odnos", "rad", HitRule::Regulation,
         V{"rad", "RAD"}},
        {"A-Z either case", "Porez PDV pdv Pdv", "pdv", HitRule::Regulation,
         V{"PDV", "pdv", "Pdv"}},
        {"YUSCII letter, regulation: the small form", "pla}a PLA]A", "pla}a", HitRule::Regulation,
         V{"pla}a"}},
        {"YUSCII letter, opinion: as typed", "pla}a PLA]A", "pla}a", HitRule::Opinion, V{"PLA]A"}},
        {"a single Serbian capital stays capital", "^lan ~lan", "^", HitRule::Regulation, V{"^"}},
        {"two words, either order", "porez na dobit i dobit", "dobit porez", HitRule::Regulation,
         V{"porez", "dobit", "dobit"}},
        {"overlapping words become one hit", "ZAKONIK", "zakon konik", HitRule::Regulation,
         V{"ZAKONIK"}},
        {"no words, no hits", "zakon", "   ", HitRule::Regulation, V{}},
        {"a word that does not occur", "zakon", "ugovor", HitRule::Regulation, V{}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(found(c.text, c.words, c.rule), c.hits) << c.name;
    }
}

TEST(Hits, CyrillicTextFindsTheCyrillicForms) {
    using V = std::vector<std::string>;
    const struct {
        const char* name;
        const char* text;
        const char* words;
        V hits;
    } cases[] = {
        {"digraphs as single letters", "qubav i wega, xak", "ljubav njega d`ak",
         V{"qubav", "wega", "xak"}},
        {"a digraph kept apart as well", "iwekcija i injekcija", "injekcija",
         V{"iwekcija", "injekcija"}},
        {"a word with Y has no form", "yoga", "yoga", V{}},
        {"plain letters", "Zakon o radu", "rad", V{"rad"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(found(c.text, c.words, HitRule::Regulation, true), c.hits) << c.name;
    }
    EXPECT_EQ(search::cyrillicForm("LJUDI NJIVA D@EP"), "QUDI WIVA XEP");
    EXPECT_EQ(search::cyrillicForm("YU"), std::nullopt);
}

TEST(Hits, CountEqualsAPlainScan) {
    std::mt19937 random(7);
    std::string text;
    const char letters[] = "abAB ~^";
    for (int i = 0; i < 20000; ++i) {
        text += letters[random() % 7];
    }
    for (const char* word : {"ab", "aba", "~a", "b b"}) {
        const std::string needle =
            search::hitNeedles(search::hitWords(word, HitRule::Regulation), false).at(0);
        size_t plain = 0;
        for (size_t p = 0; p + needle.size() <= text.size();) {
            bool same = true;
            for (size_t k = 0; k < needle.size() && same; ++k) {
                const char t = text[p + k] >= 'A' && text[p + k] <= 'Z'
                                   ? static_cast<char>(text[p + k] - 'A' + 'a')
                                   : text[p + k];
                same = t == needle[k];
            }
            if (same) {
                ++plain;
                p += needle.size();
            } else {
                ++p;
            }
        }
        EXPECT_EQ(search::findHits(text, {needle}).size(), plain) << word;
    }
}

TEST(Hits, ContextAroundTheFirstOccurrence) {
    const std::string text =
        "Prvi deo teksta koji je dugacak i nema trazenih reci.\nDrugi red govori o porezu na "
        "dodatu vrednost i o porezu na dobit, a onda ide jos mnogo teksta do kraja.";
    const auto words =
        search::hitNeedles(search::hitWords("dobit porez", HitRule::Regulation), false);
    const auto c = search::hitContext(text, words, 20);
    ASSERT_TRUE(c.has_value());
    EXPECT_TRUE(c->cutBefore);
    EXPECT_TRUE(c->cutAfter);
    EXPECT_EQ(c->excerpt, "Drugi red govori o porezu na dodatu vrednost");
    ASSERT_EQ(c->bold.size(), 1u);
    EXPECT_EQ(c->excerpt.substr(c->bold[0].start, c->bold[0].length), "porez");

    const auto whole = search::hitContext("o porezu", words, 40);
    ASSERT_TRUE(whole.has_value());
    EXPECT_FALSE(whole->cutBefore);
    EXPECT_FALSE(whole->cutAfter);
    EXPECT_EQ(search::hitContext("nista", words, 40), std::nullopt);
}

}  // namespace
