#include "compare/references.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compare/versions.h"
#include "search_db.h"

namespace {

using compare::Reference;

// A sentence and the references found in it, each as the linked words and
// the target ("12" for an article, "gazette|issue/year" for an issue).
struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> found;
};

std::vector<std::string> describe(const std::string& text) {
    std::vector<std::string> out;
    for (const Reference& r : compare::findReferences(text)) {
        const std::string words = text.substr(r.start, r.length);
        out.push_back(r.kind == Reference::Kind::Article
                          ? words + "->" + r.article
                          : words + "->" + r.gazette + "|" + r.issue + "/" + r.year);
    }
    return out;
}

class ReferenceForms : public ::testing::TestWithParam<Case> {};

TEST_P(ReferenceForms, AreFound) {
    EXPECT_EQ(describe(GetParam().text), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReferenceForms,
    ::testing::Values(
        Case{"nominative", "u smislu ~lan 12. ovog zakona", {"~lan 12->12"}},
        Case{"genitive", "iz ~lana 5. stav 2.", {"~lana 5->5"}},
        Case{"dative_locative", "u ~lanu 7a ovog zakona", {"~lanu 7a->7a"}},
        Case{"instrumental", "~lanom 3. propisano je", {"~lanom 3->3"}},
        Case{"plural", "~lanovima 4. i 5.", {"~lanovima 4->4"}},
        Case{"capital_at_sentence_start", "Tekst. ^lanom 9. ure|eno je", {"^lanom 9->9"}},
        Case{"abbreviation", "vidi ~l. 12 i dalje", {"~l. 12->12"}},
        Case{"heading_line_is_no_reference", "^lan 12.\nTekst.", {}},
        Case{"word_without_number", "ovog ~lana i drugih", {}},
        Case{"other_word", "~lanak 5. i ~lanarina 3", {}},
        Case{"one_issue",
             "(\"Slu`beni glasnik RS\", br. 24/2005)",
             {"24/2005->Slu`beni glasnik RS|24/2005"}},
        Case{"abbreviated_gazette_several_issues",
             "(\"Sl. glasnik RS\", br. 24/2005, 61/2005 i 54/2009)",
             {"24/2005->Sl. glasnik RS|24/2005", "61/2005->Sl. glasnik RS|61/2005",
              "54/2009->Sl. glasnik RS|54/2009"}},
        Case{"word_broj",
             "\"Slu`beni list SRJ\", broj 12a/1999",
             {"12a/1999->Slu`beni list SRJ|12a/1999"}},
        Case{"quote_without_gazette", "\"Neki naziv\", br. 5/2005", {}},
        Case{"gazette_without_issue", "\"Slu`beni glasnik RS\" uredi", {}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(GazetteKey, FormsOfOneGazetteAgree) {
    EXPECT_EQ(compare::gazetteKey("Slu`beni glasnik RS"), "GLASNIK RS");
    EXPECT_EQ(compare::gazetteKey("Sl. glasnik RS"), "GLASNIK RS");
    EXPECT_EQ(compare::gazetteKey("Slu`benom glasniku Republike Srbije"), "GLASNIK RS");
    EXPECT_EQ(compare::gazetteKey("Slu`beni list SRJ"), "LIST SRJ");
    EXPECT_NE(compare::gazetteKey("Slu`beni glasnik RS - Me|unarodni ugovori"), "GLASNIK RS");
}

TEST(ArticleLinks, OnlyArticlesTheTextHas) {
    const std::string text = "^lan 1.\nVidi ~lan 2. i ~lan 7.\n^lan 2.\nTekst.\n";
    const auto links = compare::articleLinks(text, compare::findReferences(text));
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(links[0].reference.article, "2");
    EXPECT_EQ(links[0].target, text.find("^lan 2."));
    EXPECT_EQ(links[0].heading, "^lan 2.");
}

TEST(IssueLookup, FindsTheRegulationsOfAnIssue) {
    searchtest::SearchDb db;
    db.gazette(1, "Slu`beni glasnik RS");
    db.gazette(2, "Slu`beni list SRJ");
    db.regulation({.id = 1, .gazette = 1, .year = "2005", .issue = "24", .title = "Zakon o radu"});
    db.regulation({.id = 2, .gazette = 1, .year = "2005", .issue = "24", .title = "Zakon o PDV"});
    db.regulation({.id = 3, .gazette = 2, .year = "2005", .issue = "24", .title = "Zakon o SRJ"});
    db.regulation({.id = 4, .gazette = 1, .year = "2006", .issue = "5", .title = "Uredba"});
    auto titles = [&](const std::string& gazette, const std::string& issue,
                      const std::string& year) {
        std::vector<std::string> out;
        for (const auto& v : compare::regulationsInIssue(db.session(), gazette, issue, year)) {
            out.push_back(v.title);
        }
        return out;
    };
    EXPECT_EQ(titles("Sl. glasnik RS", "24", "2005"),
              (std::vector<std::string>{"Zakon o radu", "Zakon o PDV"}));
    EXPECT_EQ(titles("Slu`beni glasnik RS", "5", "2006"), (std::vector<std::string>{"Uredba"}));
    EXPECT_TRUE(titles("Slu`beni glasnik RS", "99", "2005").empty());
    EXPECT_EQ(titles("Sl. list SRJ", "24", "2005"), (std::vector<std::string>{"Zakon o SRJ"}));
}

}  // namespace
