// Verify and rebuild of one table.
#include <gtest/gtest.h>

#include "engine/tableutil.h"
#include "engine_fixture.h"

namespace enginetest {
namespace {

using engine::Error;
using Rows = std::vector<std::string>;

class TableUtilTest : public EngineTest {
  protected:
    TableUtilTest() { fillSampleData(db()); }
};

TEST_F(TableUtilTest, HealthyTablesVerifyAndUnknownOnesAreErrors) {
    for (const auto& def : smallSchema()) {
        SCOPED_TRACE(def.name);
        auto result = engine::verifyTable(db(), def.name);
        EXPECT_TRUE(result.ok) << result.report;
    }
    EXPECT_THROW(engine::verifyTable(db(), "TB_Nema"), Error);
    EXPECT_THROW(engine::rebuildTable(db(), "TB_Nema"), Error);
}

TEST_F(TableUtilTest, RebuildRestoresMissingIndexesAndKeepsRowsInPlace) {
    auto zakoni = open("TB_Zakoni", true);
    zakoni->moveBy(2);
    sql("DROP INDEX \"TB_Zakoni#naziv\"");
    sql("CREATE INDEX stray ON TB_Zakoni (BG)");
    auto before = engine::verifyTable(db(), "TB_Zakoni");
    EXPECT_FALSE(before.ok);
    EXPECT_NE(before.report.find("TB_Zakoni#naziv"), std::string::npos) << before.report;
    engine::rebuildTable(db(), "TB_Zakoni");
    EXPECT_TRUE(engine::verifyTable(db(), "TB_Zakoni").ok);
    // The open table stays on its row and reads it.
    EXPECT_EQ(zakoni->field(0).asString(), "14");
    EXPECT_EQ(zakoni->recordCount(), 5);
    EXPECT_EQ(zakoni->fieldByName("Latinica").asString(), "");
    zakoni->first();
    EXPECT_EQ(zakoni->fieldByName("Latinica").asString(), "{\\rtf1 dvanaest}");
}

TEST_F(TableUtilTest, RebuildDropsTheLaterOfTwoRowsWithTheSameKey) {
    sql("DROP INDEX \"TB_Ministarstva#primary\"");
    sql("INSERT INTO TB_Ministarstva VALUES (1, 'Drugi sa brojem 1'), (NULL, 'Bez broja'),"
        " (NULL, 'Jos jedan bez broja')");
    engine::rebuildTable(db(), "TB_Ministarstva");
    EXPECT_TRUE(engine::verifyTable(db(), "TB_Ministarstva").ok);
    auto t = open("TB_Ministarstva", true);
    // Blank keys never clash, as in a unique index.
    EXPECT_EQ(
        column(*t, "IME_MINISTARSTVA"),
        (Rows{"Bez broja", "Jos jedan bez broja", "Ministarstvo finansija", "Ministarstvo rada"}));
}

TEST_F(TableUtilTest, RebuildLaysOutAChangedTableAfresh) {
    sql("ALTER TABLE TB_Glasnici ADD COLUMN Visak TEXT");
    auto report = engine::verifyTable(db(), "TB_Glasnici");
    EXPECT_FALSE(report.ok);
    EXPECT_NE(report.report.find("columns"), std::string::npos);
    engine::rebuildTable(db(), "TB_Glasnici");
    EXPECT_TRUE(engine::verifyTable(db(), "TB_Glasnici").ok) << report.report;
    auto t = open("TB_Glasnici", true);
    EXPECT_EQ(column(*t, "Naziv_glasnika"), (Rows{"Slu`beni glasnik RS", "Slu`beni list"}));
}

TEST_F(TableUtilTest, AFailedRebuildLeavesTheTableUnchanged) {
    // A table in the way of an index the rebuild makes.
    sql("DROP INDEX \"TB_Zakoni#naziv\"");
    sql("CREATE TABLE \"TB_Zakoni#naziv\" (x)");
    try {
        engine::rebuildTable(db(), "TB_Zakoni");
        ADD_FAILURE() << "rebuilt";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("TB_Zakoni"), std::string::npos);
    }
    auto t = open("TB_Zakoni", true);
    EXPECT_EQ(t->recordCount(), 5);
    auto report = engine::verifyTable(db(), "TB_Zakoni");
    EXPECT_EQ(report.report, "index TB_Zakoni#naziv is missing");  // the primary one is back

    // The same for a table that is copied afresh.
    sql("ALTER TABLE TB_Glasnici ADD COLUMN Visak TEXT");
    sql("CREATE VIEW \"TB_Glasnici#rebuild\" AS SELECT 1");
    EXPECT_THROW(engine::rebuildTable(db(), "TB_Glasnici"), Error);
    auto g = open("TB_Glasnici", true);
    EXPECT_EQ(g->recordCount(), 2);
    EXPECT_FALSE(engine::verifyTable(db(), "TB_Glasnici").ok);  // still the extra column
}

}  // namespace
}  // namespace enginetest
