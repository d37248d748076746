// The filter language: every filter template of the program, quoting, case
// folding, blank values and malformed texts.
#include <gtest/gtest.h>

#include <algorithm>

#include "engine_fixture.h"

namespace enginetest {
namespace {

using engine::FilterError;
using Rows = std::vector<std::string>;

class FilterTest : public EngineTest {
  protected:
    FilterTest() { fillSampleData(db()); }

    Rows filtered(const std::string& table, const std::string& filter, const std::string& field,
                  bool caseInsensitive = true) {
        auto t = open(table, true);
        t->setFilterCaseInsensitive(caseInsensitive);
        t->setFilter(filter);
        t->setFiltered(true);
        return column(*t, field);
    }
};

struct TemplateCase {
    const char* table;
    const char* filter;
    const char* field;
    Rows expected;
};

TEST_F(FilterTest, EveryTemplateOfTheProgramSelectsItsRows) {
    const TemplateCase cases[] = {
        {"TB_Zakoni", "Naziv_zakona= 'Zakon o porezu' AND BG= '12/2005'", "ID_ZAKONA", {"12"}},
        {"TB_Zakoni", "Naziv_zakona= 'Zakon o porezu' AND BG='1a/2006'", "ID_ZAKONA", {"14"}},
        {"TB_Zakoni", "Naziv_zakona= 'Zakon o porezu'AND BG= '1a/2006'", "ID_ZAKONA", {"14"}},
        {"TB_Zakoni", "Naziv_zakona= 'Zakon o porezu'", "ID_ZAKONA", {"12", "14"}},
        {"TB_Zakoni", "ID_ZAKONA= '13'", "Naziv_zakona", {"Zakon o 'X'"}},
        {"TB_Zakoni", "ID_KATEGORIJE_ZAKONA=3 AND ID_TIPA_ZAKONA='2'", "ID_ZAKONA", {"13"}},
        {"TB_Zakoni", "ID_KATEGORIJE_ZAKONA=4", "ID_ZAKONA", {"14", "15"}},
        {"TB_Zakoni", "ID_TIPA_ZAKONA='1'", "ID_ZAKONA", {"12", "14", "16"}},
        {"TB_Brojevi", "ID_GLASNIKA = '1'", "ID_BROJA", {"12", "13", "14"}},
        {"TB_Brojevi", "ID_GLASNIKA='2'", "ID_BROJA", {"15", "16"}},
        {"TB_Brojevi", "ID_GLASNIKA='1' AND GODINA_stampanja='2005'", "ID_BROJA", {"12", "13"}},
        {"TB_Brojevi",
         "ID_GLASNIKA='1' AND GODINA_stampanja='2005' AND BROJ='2'",
         "ID_BROJA",
         {"13"}},
        {"TB_Brojevi", "id_GLASNIKa='2'", "ID_BROJA", {"15", "16"}},
        {"TB_Brojevi", "id_GLASNIKa='1' AND GODINA_stampanja='2006'", "ID_BROJA", {"14"}},
        {"TB_Brojevi", "ID_BROJA='15'", "BROJ", {"12"}},
        {"TB_Glasnici", "naziv_glasnika='Slu`beni list'", "ID_GLASNIKA", {"2"}},
        {"TB_Arhiva", "BROJ_ZAKONA= '14'", "PRETHODI_MU", {"12"}},
        {"TB_Arhiva",
         "BROJ_ZAKONA = '14' OR PRETHODI_MU= '14' OR NASLEDJUJE_GA= '14'",
         "BROJ_ZAKONA",
         {"14", "12"}},
        {"TB_Misljenja",
         "DAN>= '01' AND MESEC>='03' AND GODINA>= '2006' AND DAN<= '05' AND MESEC<='03' AND "
         "GODINA<= '2006'",
         "BROJ_MISLJENJA",
         {"1", "3"}},
        {"TB_Misljenja",
         "NAZIV_MISLJENJA= 'O porezu' AND DAN='05' AND MESEC='03' AND GODINA='2006'",
         "BROJ_MISLJENJA",
         {"1"}},
        {"TB_Ministarstva", "IME_MINISTARSTVA= 'Ministarstvo rada'", "MINISTARSTVO", {"2"}},
        {"TB_link", "MIS= '12'", "POZ", {"0", "2"}},
        {"TB_link", "PROP= '1'", "ZAK", {"12", "14"}},
        {"TB_Korisnicki", "NAZIV_UG='Korisnicki ugovor'", "NAZIV_UG", {"Korisnicki ugovor"}},
        {"TB_Korisnicki", "NAZIV_UG= 'Korisnicki ugovor'", "NAZIV_UG", {"Korisnicki ugovor"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        EXPECT_EQ(filtered(c.table, c.filter, c.field), c.expected);
    }
}

TEST_F(FilterTest, QuotedValuesAreDataNotSyntax) {
    EXPECT_EQ(filtered("TB_Zakoni", "Naziv_zakona= 'Zakon o ''X'''", "ID_ZAKONA"), Rows{"13"});
    // A value that would change an SQL statement if it were pasted into one.
    EXPECT_EQ(filtered("TB_Zakoni", "Naziv_zakona= 'x'' OR ''1''=''1'", "ID_ZAKONA"), Rows{});
    EXPECT_EQ(filtered("TB_Zakoni", "Naziv_zakona= 'a\"; DROP TABLE TB_Zakoni; --'", "ID_ZAKONA"),
              Rows{});
    EXPECT_TRUE(db().hasTable("TB_Zakoni"));
}

TEST_F(FilterTest, CaseFoldingCoversAToZOnly) {
    const char* upper = "Naziv_zakona= 'ZAKON O POREZU'";
    EXPECT_EQ(filtered("TB_Zakoni", upper, "ID_ZAKONA", true), (Rows{"12", "14"}));
    EXPECT_EQ(filtered("TB_Zakoni", upper, "ID_ZAKONA", false), Rows{});
    // '{' and '[' are the small and the capital s with caron: never folded.
    EXPECT_EQ(filtered("TB_Zakoni", "Naziv_zakona= 'UREDBA O {UMAMA'", "ID_ZAKONA", true),
              Rows{"15"});
    EXPECT_EQ(filtered("TB_Zakoni", "Naziv_zakona= 'Uredba o [umama'", "ID_ZAKONA", true), Rows{});
}

TEST_F(FilterTest, BlankValuesAndComparisons) {
    struct Case {
        const char* filter;
        Rows expected;  // in any order
    };
    const Case cases[] = {
        {"Naziv_zakona= ''", {"16"}},  // the blank title matches the empty value
        {"Naziv_zakona<>''", {"12", "13", "14", "15"}},
        {"Naziv_zakona<>'Zakon o porezu'", {"13", "15", "16"}},  // a blank differs too
        {"Naziv_zakona>='U'", {"12", "13", "14", "15"}},         // a blank is never >=
        {"Naziv_zakona< 'Zakon'", {"15"}},
        {"ID_ZAKONA>13 AND ID_ZAKONA<=15", {"14", "15"}},
        {"ID_ZAKONA> -1.5 AND ID_ZAKONA<12.5", {"12"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        Rows ids = filtered("TB_Zakoni", c.filter, "ID_ZAKONA");
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(ids, c.expected);
    }
    // An empty value against a number field matches a blank number.
    sql("INSERT INTO TB_Arhiva VALUES (99, NULL, 0)");
    EXPECT_EQ(filtered("TB_Arhiva", "PRETHODI_MU= ''", "BROJ_ZAKONA"), Rows{"99"});
    EXPECT_EQ(filtered("TB_Arhiva", "PRETHODI_MU= '0'", "BROJ_ZAKONA"), (Rows{"12", "15"}));
}

TEST_F(FilterTest, UnquotedNumberAgainstTextComparesTheText) {
    EXPECT_EQ(filtered("TB_Brojevi", "BROJ=12", "ID_BROJA"), (Rows{"12", "15"}));
    EXPECT_EQ(filtered("TB_Brojevi", "BROJ='05'", "ID_BROJA"), Rows{"16"});
    EXPECT_EQ(filtered("TB_Brojevi", "BROJ=5", "ID_BROJA"), Rows{});  // '05' is text
}

TEST_F(FilterTest, OrBindsLooserThanAndAndParenthesesGroup) {
    EXPECT_EQ(
        filtered("TB_Zakoni", "ID_ZAKONA=12 OR ID_ZAKONA=13 AND ID_TIPA_ZAKONA=1", "ID_ZAKONA"),
        Rows{"12"});
    EXPECT_EQ(
        filtered("TB_Zakoni", "(ID_ZAKONA=12 OR ID_ZAKONA=13) AND ID_TIPA_ZAKONA=2", "ID_ZAKONA"),
        Rows{"13"});
    EXPECT_EQ(
        filtered("TB_Zakoni", "id_zakona=12 or ID_ZAKONA=16 and id_tipa_zakona=1", "ID_ZAKONA"),
        (Rows{"12", "16"}));
}

TEST_F(FilterTest, MalformedFiltersNameProblemAndPositionAndChangeNothing) {
    struct Case {
        const char* filter;
        size_t position;
        const char* problem;
    };
    const Case cases[] = {
        {"Naziv_zakona= 'abc", 14, "unterminated"},
        {"Nepoznato= 'x'", 0, "unknown field Nepoznato"},
        {"Naziv_zakona= ", 14, "value expected"},
        {"Naziv_zakona= 'x' AND", 21, "field name expected"},
        {"Naziv_zakona= 'x' AND OR ID_ZAKONA=1", 22, "field name expected"},
        {"ID_ZAKONA= 'abc'", 11, "type mismatch"},
        {"Naziv_zakona 'x'", 13, "operator expected"},
        {"(ID_ZAKONA=1", 12, "')' expected"},
        {"ID_ZAKONA=1)", 11, "')'"},
        {"ID_ZAKONA=1 ID_BROJA=2", 12, "AND, OR or end"},
        {"Latinica='x'", 0, "cannot be compared"},
        {"ID_ZAKONA=#", 10, "unexpected character"},
        {"ID_ZAKONA=12abc", 10, "malformed number"},
    };
    auto t = open("TB_Zakoni", true);
    t->setFilter("ID_TIPA_ZAKONA='2'");
    t->setFiltered(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        try {
            t->setFilter(c.filter);
            ADD_FAILURE() << "no FilterError";
        } catch (const FilterError& e) {
            EXPECT_EQ(e.position(), c.position);
            EXPECT_NE(e.problem().find(c.problem), std::string::npos) << e.problem();
            EXPECT_NE(std::string(e.what()).find(std::to_string(c.position)), std::string::npos);
        }
        EXPECT_EQ(t->filter(), "ID_TIPA_ZAKONA='2'");
        EXPECT_EQ(column(*t, "ID_ZAKONA"), (Rows{"13", "15"}));
    }
}

TEST_F(FilterTest, NestingHasALimitReportedWithItsPosition) {
    auto nested = [](size_t depth) {
        return std::string(depth, '(') + "ID_ZAKONA > 13" + std::string(depth, ')');
    };
    EXPECT_EQ(filtered("TB_Zakoni", nested(engine::kMaxFilterNesting), "ID_ZAKONA"),
              (Rows{"14", "15", "16"}));
    // Ten thousand levels overflowed the stack; past the limit the first
    // parenthesis too many is the position.
    for (size_t depth : {engine::kMaxFilterNesting + 1, size_t{10000}, size_t{200000}}) {
        SCOPED_TRACE(depth);
        try {
            filtered("TB_Zakoni", nested(depth), "ID_ZAKONA");
            ADD_FAILURE() << "no FilterError";
        } catch (const FilterError& e) {
            EXPECT_EQ(e.position(), engine::kMaxFilterNesting);
            EXPECT_NE(e.problem().find("nested"), std::string::npos) << e.problem();
        }
    }
}

TEST_F(FilterTest, FilterSetWhileClosedIsCheckedAtOpen) {
    engine::Table t(session_, "Zakoni");
    t.setDatabaseName("Zakoni");
    t.setTableName("TB_Zakoni");
    EXPECT_THROW(t.setFilter("ID_ZAKONA="), FilterError);  // syntax at once
    t.setFilter("Nepoznato='1'");
    t.setFiltered(true);
    EXPECT_THROW(t.open(), FilterError);
    EXPECT_FALSE(t.active());
    t.setFilter("ID_ZAKONA='14'");
    t.open();
    EXPECT_EQ(column(t, "BG"), Rows{"1a/2006"});
}

TEST_F(FilterTest, FilteringOffShowsAllRowsAndBlankTextMeansNoFilter) {
    auto t = open("TB_Zakoni", true);
    t->setFilter("ID_ZAKONA=12");
    EXPECT_EQ(t->recordCount(), 5);  // not filtered yet
    t->setFiltered(true);
    EXPECT_EQ(t->recordCount(), 1);
    t->setFiltered(false);
    EXPECT_EQ(t->recordCount(), 5);
    t->setFiltered(true);
    t->setFilter("   ");
    EXPECT_EQ(t->recordCount(), 5);
}

}  // namespace
}  // namespace enginetest
