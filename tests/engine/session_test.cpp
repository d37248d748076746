// Session aliases, the master password, the database file and the stored
// table definitions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine_fixture.h"

namespace enginetest {
namespace {

using engine::Database;
using engine::Error;
using engine::FieldType;
using engine::Session;
using engine::Table;
using engine::TableDef;

void expectSameDefinition(const TableDef& a, const TableDef& b) {
    EXPECT_EQ(a.name, b.name);
    ASSERT_EQ(a.fields.size(), b.fields.size());
    for (size_t i = 0; i < a.fields.size(); ++i) {
        EXPECT_EQ(a.fields[i].name, b.fields[i].name);
        EXPECT_EQ(a.fields[i].type, b.fields[i].type);
        EXPECT_EQ(a.fields[i].size, b.fields[i].size);
    }
    EXPECT_EQ(a.primaryKey, b.primaryKey);
    ASSERT_EQ(a.indexes.size(), b.indexes.size());
    for (size_t i = 0; i < a.indexes.size(); ++i) {
        EXPECT_EQ(a.indexes[i].name, b.indexes[i].name);
        EXPECT_EQ(a.indexes[i].fields, b.indexes[i].fields);
        EXPECT_EQ(a.indexes[i].unique, b.indexes[i].unique);
        EXPECT_EQ(a.indexes[i].caseInsensitive, b.indexes[i].caseInsensitive);
    }
}

TEST(SessionTest, AliasesIgnoreCaseAndNeedTheParadoxDriver) {
    Session session;
    EXPECT_THROW(session.deleteAlias("Zakoni"), Error);  // absent
    session.addStandardAlias("Zakoni", "/data/Podatci", "Paradox");
    EXPECT_TRUE(session.hasAlias("ZAKONI"));
    EXPECT_EQ(session.aliasPath("zakoni"), "/data/Podatci");
    EXPECT_THROW(session.addStandardAlias("ZAKONI", "/x", "Paradox"), Error);
    EXPECT_THROW(session.addStandardAlias("Drugi", "/x", "dBASE"), Error);
    session.deleteAlias("zAkOnI");
    EXPECT_FALSE(session.hasAlias("Zakoni"));
    EXPECT_THROW(session.aliasPath("Zakoni"), Error);
    session.addStandardAlias("Zakoni", "/other", "PARADOX");
    EXPECT_EQ(session.aliasPath("Zakoni"), "/other");
    session.setNetFileDir("C:\\");
    EXPECT_EQ(session.netFileDir(), "C:\\");
}

TEST_F(EngineTest, TablesLiveInOneFileInTheAliasFolder) {
    auto t = open("TB_Zakoni");
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dataDir()) / "zakoni.sqlite"));
    EXPECT_EQ(&t->database(), &db());
    EXPECT_EQ(db().tableNames().front(), "TB_Brojevi");  // creation order
    EXPECT_TRUE(db().hasTable("tb_zakoni"));
}

TEST_F(EngineTest, MasterPasswordMustBeKnownToTheSession) {
    Session stranger;
    stranger.addStandardAlias("Zakoni", dataDir(), "Paradox");
    stranger.open();
    Table t(stranger, "Zakoni");
    t.setDatabaseName("Zakoni");
    t.setTableName("TB_Zakoni");
    try {
        t.open();
        ADD_FAILURE() << "opened without the password";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("password"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(t.active());
    stranger.addPassword("wrong");
    EXPECT_THROW(t.open(), Error);
    stranger.addPassword(kPassword);
    t.open();
    EXPECT_TRUE(t.active());
}

TEST_F(EngineTest, SessionMustBeOpenAndTablesClosedBeforeItCloses) {
    Session closed;
    closed.addStandardAlias("Zakoni", dataDir(), "Paradox");
    EXPECT_THROW(closed.database("Zakoni"), Error);
    auto t = open("TB_Glasnici");
    EXPECT_THROW(session_.close(), Error);
    EXPECT_THROW(session_.deleteAlias("Zakoni"), Error);
    t->close();
    session_.close();
    EXPECT_FALSE(session_.active());
}

TEST_F(EngineTest, DefinitionsSurviveReopeningExactly) {
    auto path = (std::filesystem::path(dataDir()) / engine::kDatabaseFileName).string();
    auto reopened = Database::openFile(path, &session_);
    for (const auto& def : smallSchema()) {
        SCOPED_TRACE(def.name);
        expectSameDefinition(reopened->tableDef(def.name), def);
    }
    EXPECT_THROW(reopened->tableDef("TB_Nema"), Error);
}

TEST_F(EngineTest, ValuesKeepTheirTypes) {
    auto t = open("TB_Brojevi");
    t->append();
    t->fieldByName("ID_BROJA").setString("05");  // a number field
    t->fieldByName("GODINA_stampanja").setString("2005");
    t->fieldByName("BROJ").setString("05");  // text stays text
    t->post();
    EXPECT_EQ(t->fieldByName("ID_BROJA").asString(), "5");
    EXPECT_EQ(t->fieldByName("ID_BROJA").asInteger(), 5);
    EXPECT_EQ(t->fieldByName("BROJ").asString(), "05");

    auto k = open("TB_grafika");
    std::string bytes("\x89PNG\0\r\n\x1a\0\xff", 10);
    k->append();
    k->fieldByName("ID_ZAKONA").setInteger(7);
    k->fieldByName("S1").setBytes(bytes);
    k->post();
    EXPECT_EQ(k->fieldByName("S1").asString(), bytes);
    EXPECT_EQ(k->fieldByName("S1").dataSize(), 10u);
    EXPECT_TRUE(k->fieldByName("S2").isNull());
    EXPECT_EQ(k->fieldByName("S2").dataSize(), 0u);
}

TEST_F(EngineTest, BadDefinitionsAreRefused) {
    TableDef noFields{"TB_Prazna", {}, {}, {}};
    TableDef duplicate{"TB_Dupla", {{"A"}, {"a"}}, {}, {}};
    TableDef badKey{"TB_Kljuc", {{"A"}}, {"B"}, {}};
    TableDef memoKey{"TB_Memo", {{"A", FieldType::Memo}}, {"A"}, {}};
    TableDef badIndex{"TB_Indeks", {{"A"}}, {}, {{"i", {"Nema"}}}};
    TableDef badName{"TB\"X", {{"A"}}, {}, {}};
    TableDef reserved{"TB_R", {{"rowid"}}, {}, {}};
    for (const auto& def : {noFields, duplicate, badKey, memoKey, badIndex, badName, reserved}) {
        SCOPED_TRACE(def.name);
        EXPECT_THROW(db().createTable(def), Error);
        EXPECT_FALSE(db().hasTable(def.name));
    }
    EXPECT_THROW(db().createTable(smallSchema().front()), Error);  // exists
}

TEST_F(EngineTest, DamagedOrForeignFilesGiveClearErrors) {
    auto garbage = (dir_.path() / "garbage.db").string();
    std::ofstream(garbage) << "This is no database file, but it is long enough to look like one "
                              "to somebody who does not check the header at all.";
    try {
        Database::openFile(garbage, &session_);
        ADD_FAILURE() << "garbage opened";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("garbage.db"), std::string::npos) << e.what();
    }
    EXPECT_THROW(Database::create(garbage, {}), Error);  // exists
    EXPECT_THROW(Database::openFile((dir_.path() / "no/such/dir/x.db").string(), nullptr), Error);
}

TEST_F(EngineTest, OpeningNeverCreatesOrFillsAFile) {
    struct Case {
        const char* file;
        const char* content;  // nullptr: no file
        const char* problem;
    };
    const Case cases[] = {
        {"missing.db", nullptr, "does not exist"},
        {"empty.db", "", "empty"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const auto path = dir_.path() / c.file;
        if (c.content != nullptr) {
            std::ofstream(path) << c.content;
        }
        for (bool readOnly : {false, true}) {
            try {
                Database::openFile(path.string(), &session_, readOnly);
                ADD_FAILURE() << "opened";
            } catch (const Error& e) {
                EXPECT_NE(std::string(e.what()).find(c.problem), std::string::npos) << e.what();
                EXPECT_NE(std::string(e.what()).find(c.file), std::string::npos) << e.what();
            }
        }
        EXPECT_EQ(std::filesystem::exists(path), c.content != nullptr);
        if (c.content != nullptr) {
            EXPECT_EQ(std::filesystem::file_size(path), 0u);
        }
    }
}

TEST_F(EngineTest, AReadOnlySessionNeverWrites) {
    const auto file = std::filesystem::path(dataDir()) / engine::kDatabaseFileName;
    const auto before = std::filesystem::last_write_time(file);
    const auto size = std::filesystem::file_size(file);
    Session reader;
    reader.setReadOnly(true);
    openSession(reader, dataDir());
    auto t = openTable(reader, "TB_Glasnici");  // not read-only itself: the session is
    EXPECT_THROW(
        {
            t->append();
            t->fieldByName("ID_GLASNIKA").setInteger(9);
            t->post();
        },
        Error);
    t->cancel();
    EXPECT_THROW(reader.database("Zakoni").exec("DELETE FROM TB_Glasnici"), Error);
    t->close();
    reader.close();
    EXPECT_EQ(std::filesystem::last_write_time(file), before);
    EXPECT_EQ(std::filesystem::file_size(file), size);
}

}  // namespace
}  // namespace enginetest
