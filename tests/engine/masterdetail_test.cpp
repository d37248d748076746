// Master/detail links: following the master, cutting and restoring the link,
// chains of details, and a walk over a few thousand master rows.
#include <gtest/gtest.h>

#include "engine_fixture.h"

namespace enginetest {
namespace {

using engine::Error;
using engine::Event;
using engine::Table;
using Rows = std::vector<std::string>;

class MasterDetailTest : public EngineTest {
  protected:
    MasterDetailTest() {
        glavna = open("TB_Brojevi", true, "Glavna");
        zakoni = open("TB_Zakoni", true, "Zakoni");
        zakoni->setIndexFieldNames("ID_ZAKONA");
        zakoni->setMasterSource(glavna.get());
        zakoni->setMasterFields("ID_BROJA");
        arhiva = open("TB_Arhiva", false, "arhiva");
        arhiva->setIndexFieldNames("BROJ_ZAKONA");
        arhiva->setMasterSource(zakoni.get());
        arhiva->setMasterFields("ID_BROJA");
    }

    std::unique_ptr<Table> glavna, zakoni, arhiva;
};

class SampleMasterDetailTest : public MasterDetailTest {
  protected:
    SampleMasterDetailTest() { fillSampleData(db()); }
};

TEST_F(SampleMasterDetailTest, DetailsFollowEveryMoveOfTheMaster) {
    auto glasnici = open("TB_Glasnici", true, "Glasnici");
    glasnici->setIndexFieldNames("ID_GLASNIKA");
    glasnici->setMasterSource(glavna.get());
    glasnici->setMasterFields("ID_GLASNIKA");
    struct Expected {
        const char* zakon;
        const char* bg;
        Rows successors;  // arhiva's NASLEDJUJE_GA of the regulation
        const char* gazette;
    };
    const Expected expected[] = {
        {"12", "12/2005", {"14"}, "Slu`beni glasnik RS"},
        {"13", "2/2005", {}, "Slu`beni glasnik RS"},
        {"14", "1a/2006", {"0"}, "Slu`beni glasnik RS"},
        {"15", "12/2005", {"0"}, "Slu`beni list"},
        {"16", "05/2006", {}, "Slu`beni list"},
    };
    size_t row = 0;
    for (glavna->first(); !glavna->eof(); glavna->next(), ++row) {
        ASSERT_LT(row, std::size(expected));
        SCOPED_TRACE(row);
        EXPECT_EQ(zakoni->recordCount(), 1);
        EXPECT_EQ(zakoni->field(0).asString(), expected[row].zakon);
        EXPECT_EQ(zakoni->field(10).asString(), expected[row].bg);
        EXPECT_EQ(column(*arhiva, "NASLEDJUJE_GA"), expected[row].successors);
        EXPECT_EQ(glasnici->field(1).asString(), expected[row].gazette);
    }
    EXPECT_EQ(row, 5u);
    glavna->moveBy(-2);  // backwards too
    EXPECT_EQ(zakoni->field(0).asString(), "14");
}

TEST_F(SampleMasterDetailTest, EmptyMasterFieldsCutTheLinkAndSettingThemRestoresIt) {
    glavna->setFilter("ID_GLASNIKA='2'");
    glavna->setFiltered(true);
    EXPECT_EQ(zakoni->field(0).asString(), "15");
    // The opening flow: cut, filter by title and issue, show, restore.
    zakoni->setMasterFields("");
    EXPECT_EQ(zakoni->recordCount(), 5);
    zakoni->setFilter("Naziv_zakona= 'Zakon o porezu' AND BG= '1a/2006'");
    zakoni->setFiltered(true);
    EXPECT_EQ(zakoni->field(0).asString(), "14");
    EXPECT_EQ(column(*arhiva, "PRETHODI_MU"), Rows{"12"});  // the chain follows the cut table
    zakoni->setFiltered(false);
    zakoni->setMasterFields("ID_BROJA");
    zakoni->setIndexFieldNames("ID_ZAKONA");
    EXPECT_EQ(zakoni->recordCount(), 1);
    EXPECT_EQ(zakoni->field(0).asString(), "15");
    glavna->next();
    EXPECT_EQ(zakoni->field(0).asString(), "16");
    zakoni->setMasterSource(nullptr);
    EXPECT_EQ(zakoni->recordCount(), 5);
}

TEST_F(SampleMasterDetailTest, ClosedOrEmptyMasterGivesAnEmptyDetail) {
    glavna->setFilter("ID_GLASNIKA='9'");
    glavna->setFiltered(true);
    EXPECT_TRUE(zakoni->isEmpty());
    EXPECT_TRUE(arhiva->isEmpty());
    glavna->setFiltered(false);
    EXPECT_EQ(zakoni->field(0).asString(), "12");
    glavna->close();
    EXPECT_TRUE(zakoni->isEmpty());
    EXPECT_EQ(zakoni->field(0).asString(), "");
    glavna->open();
    EXPECT_EQ(zakoni->field(0).asString(), "12");
}

TEST_F(SampleMasterDetailTest, DetailGoesBackToItsFirstRowWhenTheMasterMoves) {
    sql("INSERT INTO TB_Arhiva VALUES (12, 1, 1)");
    EXPECT_EQ(arhiva->recordCount(), 2);
    arhiva->next();
    EXPECT_EQ(arhiva->recNo(), 2);
    glavna->next();
    glavna->prior();
    EXPECT_EQ(arhiva->recNo(), 1);
    // A write elsewhere keeps the detail's row.
    arhiva->next();
    sql("INSERT INTO TB_Arhiva VALUES (12, 2, 2)");
    EXPECT_EQ(arhiva->recordCount(), 3);
    EXPECT_EQ(arhiva->recNo(), 2);
}

TEST_F(SampleMasterDetailTest, DetailsAreToldWhenTheMasterMoves) {
    std::vector<Event> zakoniEvents, arhivaEvents;
    zakoni->addListener([&](Table&, Event e) { zakoniEvents.push_back(e); });
    arhiva->addListener([&](Table&, Event e) { arhivaEvents.push_back(e); });
    glavna->next();
    EXPECT_EQ(zakoniEvents, std::vector<Event>{Event::DataSetChanged});
    EXPECT_EQ(arhivaEvents, std::vector<Event>{Event::DataSetChanged});
    zakoni->setMasterFields("");
    zakoniEvents.clear();
    glavna->next();
    EXPECT_TRUE(zakoniEvents.empty());  // no longer linked
}

TEST_F(SampleMasterDetailTest, MasterValuesAreComparedAsTheDetailFieldsType) {
    // Issue numbers are text; as ministry numbers they are compared as numbers.
    auto misljenja = open("TB_Misljenja", true, "misljenja");
    misljenja->setIndexName("drugi");
    misljenja->setMasterSource(glavna.get());
    misljenja->setMasterFields("BROJ");
    glavna->setFilter("BROJ='2'");
    glavna->setFiltered(true);
    EXPECT_EQ(column(*misljenja, "BROJ_MISLJENJA"), (Rows{"1", "4"}));
    glavna->setFilter("BROJ='1a'");
    EXPECT_TRUE(misljenja->isEmpty());
}

TEST_F(SampleMasterDetailTest, BadLinksAreRefusedAndTheOldOneStays) {
    EXPECT_THROW(zakoni->setMasterFields("ID_BROJA;ID_GLASNIKA"), Error);  // index has one field
    EXPECT_THROW(zakoni->setMasterFields("NEMA"), Error);
    EXPECT_EQ(zakoni->masterFields(), "ID_BROJA");
    EXPECT_THROW(glavna->setMasterSource(glavna.get()), Error);
    glavna->setMasterSource(arhiva.get());                        // no master fields yet: no link
    EXPECT_THROW(glavna->setMasterFields("BROJ_ZAKONA"), Error);  // circular
    EXPECT_EQ(glavna->masterFields(), "");
    EXPECT_EQ(zakoni->field(0).asString(), "12");
}

TEST_F(SampleMasterDetailTest, ALinkCanBeReversedOnceTheOldOneIsCut) {
    // The archive view: Zakoni follows arhiva instead of the other way round.
    arhiva->setMasterFields("");
    EXPECT_THROW(zakoni->setMasterSource(arhiva.get()), Error);  // arhiva has no ID_BROJA
    zakoni->setMasterFields("");
    zakoni->setMasterSource(arhiva.get());
    zakoni->setMasterFields("BROJ_ZAKONA");
    arhiva->first();  // in BROJ_ZAKONA order
    EXPECT_EQ(zakoni->field(0).asString(), "12");
    arhiva->next();
    EXPECT_EQ(zakoni->field(0).asString(), "14");
    EXPECT_THROW(arhiva->setMasterFields("ID_BROJA"), Error);  // would close the circle
    EXPECT_EQ(arhiva->masterFields(), "");
}

TEST_F(SampleMasterDetailTest, LinkedRowsStayRightUnderFiltersAndWrites) {
    zakoni->setFilter("ID_TIPA_ZAKONA='1'");
    zakoni->setFiltered(true);
    Rows seen;
    for (glavna->first(); !glavna->eof(); glavna->next()) {
        seen.push_back(zakoni->isEmpty() ? "-" : zakoni->field(0).asString());
    }
    EXPECT_EQ(seen, (Rows{"12", "-", "14", "-", "16"}));
    // Regulation 13 becomes a type-1 regulation while the master walks.
    glavna->first();
    EXPECT_EQ(zakoni->field(0).asString(), "12");
    sql("UPDATE TB_Zakoni SET ID_TIPA_ZAKONA = 1 WHERE ID_ZAKONA = 13");
    glavna->next();
    EXPECT_EQ(zakoni->recordCount(), 1);
    EXPECT_EQ(zakoni->field(0).asString(), "13");
    zakoni->setFiltered(false);
    zakoni->setIndexName("naziv");  // now linked on the title, compared as text
    EXPECT_TRUE(zakoni->isEmpty());
    zakoni->setMasterFields("");
    EXPECT_EQ(zakoni->recordCount(), 5);
}

TEST_F(SampleMasterDetailTest, DestroyedMasterLeavesTheDetailUnlinked) {
    glavna.reset();
    EXPECT_EQ(zakoni->masterSource(), nullptr);
    EXPECT_EQ(zakoni->recordCount(), 5);
}

// A quadratic mistake in following the master would make this test crawl.
TEST_F(MasterDetailTest, WalkingThousandsOfMasterRowsWithADetailChain) {
    const int n = 4000;
    {
        engine::Database::Transaction tx(db());
        const std::string numbers =
            "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k "
            "WHERE i < " +
            std::to_string(n) + ") ";
        sql(numbers + "INSERT INTO TB_Brojevi SELECT i, 1 + i % 3, '2005', i FROM k");
        sql(numbers +
            "INSERT INTO TB_Zakoni (ID_ZAKONA, ID_BROJA, Naziv_zakona, BG, Latinica) SELECT i, i, "
            "'Zakon ' || i, i || '/2005', zeroblob(2000) FROM k");
        sql(numbers + "INSERT INTO TB_Arhiva SELECT i, i - 1, 0 FROM k WHERE i % 2 = 0");
        tx.commit();
    }
    long long sumIds = 0, sumPrevious = 0, withArchive = 0, memoBytes = 0;
    int rows = 0;
    for (glavna->first(); !glavna->eof(); glavna->next()) {
        ++rows;
        sumIds += zakoni->fieldByName("ID_ZAKONA").asInteger();
        memoBytes += static_cast<long long>(zakoni->fieldByName("Latinica").dataSize());
        if (!arhiva->isEmpty()) {
            ++withArchive;
            sumPrevious += arhiva->field(1).asInteger();
        }
    }
    EXPECT_EQ(rows, n);
    EXPECT_EQ(sumIds, static_cast<long long>(n) * (n + 1) / 2);
    EXPECT_EQ(withArchive, n / 2);
    EXPECT_EQ(sumPrevious, static_cast<long long>(n / 2) * (n / 2));  // sum of odd numbers
    EXPECT_EQ(memoBytes, 2000LL * n);
}

}  // namespace
}  // namespace enginetest
