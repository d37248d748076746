// Database files that are damaged or made to harm: tables that are not what
// the catalogue says, double-quoted names of missing columns.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "engine_fixture.h"

namespace enginetest {
namespace {

using engine::Error;
using Rows = std::vector<std::string>;

class HostileTest : public EngineTest {
  protected:
    HostileTest() { fillSampleData(db()); }

    // The message of the error open() throws; empty when it opens.
    std::string openError(const std::string& table) {
        try {
            open(table, true);
        } catch (const Error& e) {
            return e.what();
        }
        return {};
    }
};

TEST_F(HostileTest, DoubleQuotedNamesOfMissingColumnsAreNoText) {
    // SQLite's default turns them into text: "nema" would read as 'nema'.
    EXPECT_THROW(sql("SELECT \"nema\" FROM TB_Glasnici"), Error);
    EXPECT_THROW(sql("CREATE INDEX stray ON TB_Glasnici (\"nema\")"), Error);
    sql("SELECT \"Naziv_glasnika\" FROM TB_Glasnici WHERE Naziv_glasnika = 'x'");
}

TEST_F(HostileTest, ATableUnlikeItsCatalogueEntryIsAnErrorNamingIt) {
    struct Case {
        const char* what;
        const char* sql;
        const char* drop;  // removes it again
    };
    const Case cases[] = {
        {"other columns", "CREATE TABLE TB_Zakoni (foo, bar)", "DROP TABLE TB_Zakoni"},
        {"a column short",
         "CREATE TABLE TB_Zakoni (ID_ZAKONA, ID_BROJA, ID_KATEGORIJE_ZAKONA, ID_TIPA_ZAKONA,"
         " Latinica, Naziv_zakona, Cirilica, Oznaka, Napomena, Strana)",
         "DROP TABLE TB_Zakoni"},
        {"a view", "CREATE VIEW TB_Zakoni AS SELECT * FROM TB_Glasnici", "DROP VIEW TB_Zakoni"},
        {"a virtual table",
         "CREATE VIRTUAL TABLE TB_Zakoni USING fts5(ID_ZAKONA, ID_BROJA, ID_KATEGORIJE_ZAKONA,"
         " ID_TIPA_ZAKONA, Latinica, Naziv_zakona, Cirilica, Oznaka, Napomena, Strana, BG)",
         "DROP TABLE TB_Zakoni"},
    };
    sql("DROP TABLE TB_Zakoni");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        sql(c.sql);
        const std::string error = openError("TB_Zakoni");
        EXPECT_NE(error.find("TB_Zakoni"), std::string::npos) << error;
        EXPECT_NE(error.find("zakoni.sqlite"), std::string::npos) << error;
        sql(c.drop);
    }
}

TEST_F(HostileTest, ExtraColumnsAndAnotherColumnOrderStillRead) {
    sql("ALTER TABLE TB_Glasnici ADD COLUMN Visak TEXT");
    sql("CREATE TABLE TB_Ministarstva2 (IME_MINISTARSTVA, MINISTARSTVO)");
    sql("INSERT INTO TB_Ministarstva2 SELECT IME_MINISTARSTVA, MINISTARSTVO FROM TB_Ministarstva");
    sql("DROP TABLE TB_Ministarstva");
    sql("ALTER TABLE TB_Ministarstva2 RENAME TO tb_ministarstva");
    EXPECT_EQ(column(*open("TB_Glasnici", true), "Naziv_glasnika"),
              (Rows{"Slu`beni glasnik RS", "Slu`beni list"}));
    EXPECT_EQ(column(*open("TB_Ministarstva", true), "IME_MINISTARSTVA"),
              (Rows{"Ministarstvo finansija", "Ministarstvo rada"}));
}

TEST_F(HostileTest, MessagesQuoteWhatTheUserGaveWithControlBytesEscaped) {
    auto messageOf = [&](const std::function<void()>& action) -> std::string {
        try {
            action();
        } catch (const Error& e) {
            return e.what();
        }
        return "no error";
    };
    struct Case {
        const char* what;
        std::function<void()> action;
        const char* shown;
    };
    const Case cases[] = {
        {"a value", [&] { open("TB_Zakoni")->setFilter("ID_ZAKONA = '\x1b[2J'"); }, "\\x1b[2J"},
        {"a character", [&] { open("TB_Zakoni")->setFilter("ID_ZAKONA = \x07"); }, "\\x07"},
        {"a file", [&] { engine::Database::openFile((dir_ / "a\nb.db").string(), nullptr); },
         "a\\x0ab.db"},
        {"a table", [&] { open("TB\rX"); }, "TB\\x0dX"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string message = messageOf(c.action);
        EXPECT_NE(message.find(c.shown), std::string::npos) << message;
        EXPECT_TRUE(std::none_of(message.begin(), message.end(), [](char ch) {
            return static_cast<unsigned char>(ch) < 0x20;
        })) << message;
    }
}

// An endless query for hostile schemas: it never yields a row.
constexpr const char* kEndlessView =
    "CREATE VIEW endless AS WITH RECURSIVE r(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM r) "
    "SELECT n AS key, n AS value FROM r WHERE n < 0";

TEST_F(HostileTest, EndlessQueriesInAHostileSchemaStopWithAMessage) {
    sql(kEndlessView);
    sql("CREATE TRIGGER stall AFTER INSERT ON TB_Glasnici BEGIN SELECT count(*) FROM endless; "
        "END");
    // A fresh session opens the file as it is now.
    engine::Session other;
    openSession(other, dataDir());
    auto glasnici = openTable(other, "TB_Glasnici");
    glasnici->append();
    glasnici->fieldByName("ID_GLASNIKA").setInteger(3);
    try {
        glasnici->post();
        ADD_FAILURE() << "posted";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("work limit"), std::string::npos) << e.what();
    }
    glasnici->cancel();
    EXPECT_EQ(glasnici->recordCount(), 2);
    // Any other query on the file stops as well.
    try {
        other.database("Zakoni").exec("SELECT * FROM endless");
        ADD_FAILURE() << "ran";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("work limit"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace enginetest
