#include "database/filters.h"

#include <gtest/gtest.h>

namespace {

namespace f = database::filters;

struct Case {
    std::string built;
    const char* expected;
};

// The templates, spacing included, with a value containing a quote where the
// template takes text.
TEST(Filters, TemplatesAreExact) {
    const Case cases[] = {
        {f::zakoniByTitleAndBg("Zakon o 'radu'", "12/2005"),
         "Naziv_zakona= 'Zakon o ''radu''' AND BG= '12/2005'"},
        {f::zakoniByTitleAndBgArchive("Zakon o radu", "12/2005"),
         "Naziv_zakona= 'Zakon o radu'AND BG= '12/2005'"},
        {f::zakoniByTitleAndBgVersions("Zakon o radu", "12/2005"),
         "Naziv_zakona= 'Zakon o radu'AND BG='12/2005'"},
        {f::zakoniByTitle("O'Neil"), "Naziv_zakona= 'O''Neil'"},
        {f::zakoniById(17), "ID_ZAKONA= '17'"},
        {f::zakoniByAreaAndType(3, 2), "ID_KATEGORIJE_ZAKONA=3 AND ID_TIPA_ZAKONA='2'"},
        {f::zakoniByArea(3), "ID_KATEGORIJE_ZAKONA=3"},
        {f::zakoniByType(0), "ID_TIPA_ZAKONA='0'"},
        {f::brojeviByGazetteForSearch(2), "ID_GLASNIKA = '2'"},
        {f::brojeviByGazette(2), "ID_GLASNIKA='2'"},
        {f::brojeviByGazetteYear(2, "2005"), "ID_GLASNIKA='2' AND GODINA_stampanja='2005'"},
        {f::brojeviByGazetteYearIssue(2, "2005", "12a"),
         "ID_GLASNIKA='2' AND GODINA_stampanja='2005' AND BROJ='12a'"},
        {f::brojeviByGazetteForTree(2), "id_GLASNIKa='2'"},
        {f::brojeviByGazetteYearForTree(2, "2005"), "id_GLASNIKa='2' AND GODINA_stampanja='2005'"},
        {f::brojeviById(40), "ID_BROJA='40'"},
        {f::glasniciByName("Slu`beni glasnik"), "naziv_glasnika='Slu`beni glasnik'"},
        {f::arhivaByNumber(9), "BROJ_ZAKONA= '9'"},
        {f::arhivaNeighbours(9), "BROJ_ZAKONA = '9' OR PRETHODI_MU= '9' OR NASLEDJUJE_GA= '9'"},
        {f::misljenjaByDateRange(1, 2, 2004, 31, 12, 2006),
         "DAN>= '1' AND MESEC>='2' AND GODINA>= '2004' AND DAN<= '31' AND MESEC<='12' AND "
         "GODINA<= '2006'"},
        {f::misljenjaByTitleAndDate("Porez 'na' dobit", "05", "03", "2006"),
         "NAZIV_MISLJENJA= 'Porez ''na'' dobit' AND DAN='05' AND MESEC='03' AND GODINA='2006'"},
        {f::ministarstvaByName("Ministarstvo finansija"),
         "IME_MINISTARSTVA= 'Ministarstvo finansija'"},
        {f::linkByRegulation(5), "MIS= '5'"},
        {f::linkByOpinion(7), "PROP= '7'"},
        {f::ugovoriByName("Ugovor o delu"), "NAZIV_UGOVORA= 'Ugovor o delu'"},
        {f::korisnickiByName("Korisnicki 'A'"), "NAZIV_UG='Korisnicki ''A'''"},
        {f::korisnickiByNameSpaced("Korisnicki A"), "NAZIV_UG= 'Korisnicki A'"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.built, c.expected);
    }
}

TEST(Filters, QuoteDoublesEveryQuote) {
    EXPECT_EQ(f::quote(""), "''");
    EXPECT_EQ(f::quote("'"), "''''");
    EXPECT_EQ(f::quote("a''b"), "'a''''b'");
    EXPECT_EQ(f::quote(-3), "'-3'");
}

}  // namespace
