#include "database/datasets.h"

#include <gtest/gtest.h>

#include "database/filters.h"
#include "database/schema.h"
#include "small_db.h"

namespace {

namespace f = database::filters;

std::vector<std::string> column(engine::Table& t, const char* field) {
    std::vector<std::string> values;
    for (t.first(); !t.eof(); t.next()) {
        values.push_back(t.fieldByName(field).asString());
    }
    return values;
}

using Values = std::vector<std::string>;

class Datasets : public testsupport::SmallDataTest {};

TEST_F(Datasets, OpenAllOpensEveryDatasetWithItsSettings) {
    for (engine::Table* t :
         {&data.Glavna, &data.Zakoni, &data.Glasnici, &data.arhiva, &data.Table1, &data.lookzakoni,
          &data.lookbrojevi, &data.lookglasnici, &data.misljenja, &data.ministarstva, &data.oblasti,
          &data.vrstezakona, &data.ugovori, &data.KorisnickiUgovori, &data.link}) {
        EXPECT_TRUE(t->active()) << t->name();
    }
    EXPECT_TRUE(data.Zakoni.readOnly());
    EXPECT_FALSE(data.KorisnickiUgovori.readOnly());
    EXPECT_TRUE(data.Zakoni.filterCaseInsensitive());
    EXPECT_FALSE(data.Table1.filterCaseInsensitive());
    EXPECT_FALSE(data.link.filterCaseInsensitive());
    EXPECT_EQ(data.DataSource2.dataSet(), &data.Zakoni);
    EXPECT_EQ(data.DataSource4.dataSet(), &data.misljenja);
    EXPECT_EQ(data.DataSource4.name(), "DataSource4");
    EXPECT_TRUE(data.DataSource10.enabled());
    EXPECT_EQ(data.oblasti.recordCount(), 3);
    EXPECT_EQ(data.vrstezakona.recordCount(), 3);
    EXPECT_EQ(data.ugovori.field(database::pos::kUgovoriStrane).asInteger(), 2);
}

TEST_F(Datasets, ZakoniFollowsThePublicationEntryOfGlavna) {
    Values pairs;
    for (data.Glavna.first(); !data.Glavna.eof(); data.Glavna.next()) {
        ASSERT_EQ(data.Zakoni.recordCount(), 1);
        pairs.push_back(data.Glavna.field(0).asString() + "=" +
                        data.Zakoni.field(database::pos::kZakoniId).asString() + " " +
                        data.Zakoni.field(database::pos::kZakoniBg).asString());
    }
    EXPECT_EQ(pairs, (Values{"1=1 12/2005", "2=2 12a/2005", "3=3 5/1999", "4=4 3/2006"}));
}

TEST_F(Datasets, GlasniciStartsUnlinkedAndFollowsGlavnaOnceLinked) {
    EXPECT_EQ(data.Glasnici.masterSource(), &data.Glavna);
    EXPECT_EQ(data.Glasnici.recordCount(), 2);
    data.Glasnici.setMasterFields("ID_GLASNIKA");
    data.Glavna.setFilter(f::brojeviById(3));
    data.Glavna.setFiltered(true);
    data.Glavna.first();
    ASSERT_EQ(data.Glasnici.recordCount(), 1);
    EXPECT_EQ(data.Glasnici.field(database::pos::kGlasniciNaziv).asString(), "Sl. list SRJ");
}

TEST_F(Datasets, BrowsingByGazetteYearAndIssue) {
    data.Glavna.setFilter(f::brojeviByGazetteYear(1, "2005"));
    data.Glavna.setFiltered(true);
    EXPECT_EQ(column(data.Glavna, "ID_BROJA"), (Values{"1", "2"}));
    data.Glavna.setFilter(f::brojeviByGazetteYearIssue(1, "2005", "12A"));  // case-insensitive
    EXPECT_EQ(column(data.Glavna, "ID_BROJA"), (Values{"2"}));
    data.Glavna.setFilter(f::brojeviByGazetteForTree(2));
    EXPECT_EQ(column(data.Glavna, "GODINA_stampanja"), (Values{"1999"}));
    data.Glasnici.setFilter(f::glasniciByName("SL. LIST SRJ"));
    data.Glasnici.setFiltered(true);
    EXPECT_EQ(column(data.Glasnici, "ID_GLASNIKA"), (Values{"2"}));
}

TEST_F(Datasets, OpeningByTitleAndIssueTellsSameTitlesApart) {
    data.Zakoni.setMasterFields("");  // the opening flow cuts the link first
    data.Zakoni.setFilter(f::zakoniByTitleAndBg("Zakon o radu", "5/1999"));
    data.Zakoni.setFiltered(true);
    EXPECT_EQ(column(data.Zakoni, "ID_ZAKONA"), (Values{"3"}));
    data.Zakoni.setFilter(f::zakoniByTitle("Zakon o radu"));
    data.Zakoni.first();
    EXPECT_EQ(data.Zakoni.field(0).asString(), "1");  // title only: the first row
    data.Zakoni.setFilter(f::zakoniByTitle("Zakon o 'porezu'"));
    EXPECT_EQ(column(data.Zakoni, "ID_ZAKONA"), (Values{"2"}));
    data.Zakoni.setFilter(f::zakoniByTitleAndBgArchive("Uredba o ceni", "3/2006"));
    EXPECT_EQ(column(data.Zakoni, "ID_ZAKONA"), (Values{"4"}));
    data.Zakoni.setFilter(f::zakoniByTitleAndBgVersions("Uredba o ceni", "3/2006"));
    EXPECT_EQ(column(data.Zakoni, "ID_ZAKONA"), (Values{"4"}));

    // Restoring: the link field, the index fields and no filter.
    data.Zakoni.setFilter("");
    data.Zakoni.setMasterFields("ID_BROJA");
    data.Zakoni.setIndexFieldNames("ID_ZAKONA");
    data.Glavna.first();
    EXPECT_EQ(column(data.Zakoni, "ID_ZAKONA"), (Values{"1"}));
}

TEST_F(Datasets, AreaAndTypeFilters) {
    data.Zakoni.setMasterFields("");
    data.Zakoni.setFiltered(true);
    data.Zakoni.setFilter(f::zakoniByArea(3));
    EXPECT_EQ(column(data.Zakoni, "ID_ZAKONA"), (Values{"1", "3"}));
    data.Zakoni.setFilter(f::zakoniByAreaAndType(2, 2));
    EXPECT_EQ(column(data.Zakoni, "ID_ZAKONA"), (Values{"4"}));
    data.Zakoni.setFilter(f::zakoniByType(1));
    EXPECT_EQ(column(data.Zakoni, "ID_ZAKONA"), (Values{"1", "2", "3"}));
}

TEST_F(Datasets, ArchiveAndDatesFollowTheCurrentRegulation) {
    data.Glavna.first();  // regulation 1
    EXPECT_EQ(column(data.arhiva, "PRETHODI_MU"), (Values{"3"}));
    EXPECT_EQ(column(data.Table1, "DAN"), (Values{"1", "3"}));
    data.Glavna.next();  // regulation 2: no archive row, no dates
    EXPECT_TRUE(data.arhiva.isEmpty());
    EXPECT_TRUE(data.Table1.isEmpty());
    data.Glavna.next();  // regulation 3
    EXPECT_EQ(column(data.arhiva, "NASLEDJUJE_GA"), (Values{"1"}));

    data.arhiva.setMasterSource(nullptr);
    data.arhiva.setFilter(f::arhivaNeighbours(1));
    data.arhiva.setFiltered(true);
    EXPECT_EQ(column(data.arhiva, "BROJ_ZAKONA"), (Values{"1", "3"}));

    // The archive view reverses the link (arhiva no longer follows Zakoni).
    data.Zakoni.setMasterFields("");
    data.Zakoni.setMasterSource(&data.arhiva);
    data.Zakoni.setMasterFields("BROJ_ZAKONA");
    data.arhiva.first();
    EXPECT_EQ(column(data.Zakoni, "BG"), (Values{"12/2005"}));
}

TEST_F(Datasets, LookupsFollowLookzakoni) {
    data.lookzakoni.setFilter(f::zakoniByTitle("Zakon o radu"));
    data.lookzakoni.setFiltered(true);
    data.lookzakoni.first();
    EXPECT_EQ(column(data.lookbrojevi, "ID_BROJA"), (Values{"1"}));
    EXPECT_EQ(column(data.lookglasnici, "Naziv_glasnika"), (Values{"Sl. glasnik RS"}));
    data.lookzakoni.setFilter(f::zakoniById(3));
    EXPECT_EQ(column(data.lookglasnici, "Naziv_glasnika"), (Values{"Sl. list SRJ"}));
}

TEST_F(Datasets, OpinionsFollowTheMinistryUntilTheLinkIsCut) {
    EXPECT_EQ(data.misljenja.masterSource(), &data.ministarstva);
    data.ministarstva.first();
    EXPECT_EQ(column(data.misljenja, "BROJ_MISLJENJA"), (Values{"11", "12"}));
    data.ministarstva.next();
    EXPECT_EQ(column(data.misljenja, "BROJ_MISLJENJA"), (Values{"10"}));
    data.misljenja.setMasterFields("");
    EXPECT_EQ(column(data.misljenja, "BROJ_MISLJENJA"), (Values{"11", "12", "10"}));

    data.misljenja.setFilter(f::misljenjaByTitleAndDate("PorEz na dobit", "05", "03", "2006"));
    data.misljenja.setFiltered(true);
    EXPECT_EQ(column(data.misljenja, "BROJ_MISLJENJA"), (Values{"10"}));
    data.misljenja.setFilter(f::misljenjaByDateRange(1, 1, 2004, 10, 10, 2005));
    EXPECT_EQ(column(data.misljenja, "BROJ_MISLJENJA"), (Values{"11", "12"}));
    data.ministarstva.setFilter(f::ministarstvaByName("ministarstvo privrede"));
    data.ministarstva.setFiltered(true);
    EXPECT_EQ(column(data.ministarstva, "MINISTARSTVO"), (Values{"2"}));
}

TEST_F(Datasets, LinkRowsCarryTheOpinionsPositionInDrugiOrder) {
    data.link.setFilter(f::linkByRegulation(1));
    data.link.setFiltered(true);
    ASSERT_EQ(data.link.recordCount(), 1);
    data.link.first();
    EXPECT_EQ(data.link.field(database::pos::kLinkMisljenje).asInteger(), 2);
    EXPECT_EQ(data.link.field(database::pos::kLinkZakon).asInteger(), 1);
    data.link.setFilter(f::linkByOpinion(10));
    EXPECT_EQ(column(data.link, "MIS"), (Values{"1"}));
    data.misljenja.setMasterFields("");
    data.misljenja.moveBy(2);
    EXPECT_EQ(data.misljenja.field(database::pos::kMisljenjaBroj).asInteger(), 10);
}

TEST_F(Datasets, UserContractsAreWritableAndMayShareAName) {
    for (int i = 0; i < 2; ++i) {
        data.KorisnickiUgovori.append();
        data.KorisnickiUgovori.field(database::pos::kKorisnickiNaziv).setString("Korisnicki A");
        data.KorisnickiUgovori.field(database::pos::kKorisnickiTekst).setBytes("{\\rtf1 x}");
        data.KorisnickiUgovori.post();
    }
    data.KorisnickiUgovori.setFilter(f::korisnickiByName("korisnicki a"));
    data.KorisnickiUgovori.setFiltered(true);
    EXPECT_EQ(data.KorisnickiUgovori.recordCount(), 2);
    data.ugovori.setFilter(f::ugovoriByName("UGOVOR O DELU"));
    data.ugovori.setFiltered(true);
    EXPECT_EQ(data.ugovori.recordCount(), 1);
}

TEST_F(Datasets, SelectionWindowLinksAndCaseSensitiveFilters) {
    database::SelectionData sel(db.session);
    sel.openAll();
    sel.selzakoni.setFilter(f::zakoniByTitle("zakon o radu"));
    sel.selzakoni.setFiltered(true);
    EXPECT_TRUE(sel.selzakoni.isEmpty());
    sel.selzakoni.setFilter(f::zakoniByTitle("Zakon o radu"));
    EXPECT_EQ(sel.selzakoni.recordCount(), 2);
    sel.selzakoni.last();  // regulation 3
    EXPECT_EQ(column(sel.selbrojevi, "GODINA_stampanja"), (Values{"1999"}));
    EXPECT_EQ(column(sel.selglasnici, "Naziv_glasnika"), (Values{"Sl. list SRJ"}));
    sel.closeAll();
}

TEST_F(Datasets, AttachmentsFollowTheMainZakoni) {
    database::AttachmentData att(db.session, data.Zakoni);
    att.open();
    data.Glavna.first();
    ASSERT_EQ(att.Table1.recordCount(), 1);
    EXPECT_TRUE(att.Table1.fieldByName("S1").isNull());
    EXPECT_EQ(att.Table1.fieldByName("S2").asString(), "BM-picture-bytes");
    data.Glavna.next();
    EXPECT_TRUE(att.Table1.isEmpty());
    EXPECT_FALSE(att.Table1.filterCaseInsensitive());
    att.close();
}

}  // namespace
