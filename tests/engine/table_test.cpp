// Table datasets: cursor, order, field access, editing, listeners, tables
// opened by path and other table objects' writes.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/datasource.h"
#include "engine_fixture.h"

namespace enginetest {
namespace {

using engine::Error;
using engine::Event;
using engine::State;
using engine::Table;
using Rows = std::vector<std::string>;

class TableTest : public EngineTest {
  protected:
    TableTest() { fillSampleData(db()); }
};

TEST_F(TableTest, CursorWalksTheRows) {
    auto t = open("TB_Zakoni", true);
    EXPECT_TRUE(t->bof());
    EXPECT_FALSE(t->eof());
    EXPECT_EQ(t->recordCount(), 5);
    EXPECT_EQ(t->recNo(), 1);
    t->next();
    EXPECT_EQ(t->field(0).asInteger(), 13);
    EXPECT_FALSE(t->bof());
    EXPECT_EQ(t->moveBy(2), 2);
    EXPECT_EQ(t->recNo(), 4);
    EXPECT_EQ(t->moveBy(10), 1);  // stops at the last row
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(t->field(0).asInteger(), 16);
    t->prior();
    EXPECT_FALSE(t->eof());
    EXPECT_EQ(t->moveBy(-10), -3);
    EXPECT_TRUE(t->bof());
    EXPECT_EQ(t->field(0).asInteger(), 12);
    t->last();
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(t->recNo(), 5);
    t->first();
    EXPECT_TRUE(t->bof());
    EXPECT_EQ(t->recNo(), 1);

    t->setFilter("ID_ZAKONA=99");
    t->setFiltered(true);
    EXPECT_TRUE(t->isEmpty());
    EXPECT_TRUE(t->eof());
    EXPECT_TRUE(t->bof());
    EXPECT_EQ(t->recNo(), 0);
    EXPECT_EQ(t->fieldByName("Naziv_zakona").asString(), "");
    EXPECT_EQ(t->fieldByName("ID_ZAKONA").asInteger(), 0);
}

TEST_F(TableTest, OrderByNamedIndexIndexFieldsOrPrimaryKey) {
    auto t = open("TB_Brojevi", true);
    EXPECT_EQ(column(*t, "ID_BROJA"), (Rows{"12", "13", "14", "15", "16"}));
    EXPECT_EQ(t->activeIndexFields(), Rows{"ID_BROJA"});
    t->setIndexFieldNames("GODINA_stampanja;ID_GLASNIKA");
    // Ties (2005, gazette 1) keep storage order.
    EXPECT_EQ(column(*t, "ID_BROJA"), (Rows{"12", "13", "15", "14", "16"}));
    t->setIndexName("poGlasniku");
    EXPECT_EQ(t->indexFieldNames(), "");
    EXPECT_EQ(t->activeIndexFields(), (Rows{"ID_GLASNIKA", "GODINA_stampanja"}));
    EXPECT_EQ(column(*t, "ID_BROJA"), (Rows{"12", "13", "14", "15", "16"}));
    EXPECT_THROW(t->setIndexName("nema"), Error);
    EXPECT_THROW(t->setIndexFieldNames("NEMA"), Error);
    EXPECT_EQ(t->indexName(), "poGlasniku");  // the previous order stays
    EXPECT_EQ(t->activeIndexFields(), (Rows{"ID_GLASNIKA", "GODINA_stampanja"}));
    t->setIndexName("");
    EXPECT_EQ(t->activeIndexFields(), Rows{"ID_BROJA"});

    // A case-insensitive index orders with A-Z folded.
    auto z = open("TB_Zakoni", true);
    sql("UPDATE TB_Zakoni SET Naziv_zakona = 'zakon o porezu' WHERE ID_ZAKONA = 14");
    z->setIndexName("naziv");
    EXPECT_EQ(column(*z, "ID_ZAKONA"), (Rows{"16", "15", "13", "12", "14"}));
}

TEST_F(TableTest, ChangingTheOrderKeepsTheCurrentRow) {
    auto t = open("TB_Brojevi", true);
    t->moveBy(3);  // 15
    t->setIndexFieldNames("GODINA_stampanja;ID_GLASNIKA");
    EXPECT_EQ(t->field(0).asInteger(), 15);
    EXPECT_EQ(t->recNo(), 3);
}

TEST_F(TableTest, FieldsByPositionAndByName) {
    auto t = open("TB_Zakoni", true);
    EXPECT_EQ(t->fieldCount(), 11);
    EXPECT_EQ(t->field(5).name(), "Naziv_zakona");
    EXPECT_EQ(t->field(10).asString(), "12/2005");
    EXPECT_EQ(t->fieldByName("naziv_ZAKONA").index(), 5);
    EXPECT_EQ(t->fieldByName("bg").type(), engine::FieldType::String);
    EXPECT_EQ(t->fieldByName("BG").size(), 20);
    EXPECT_FALSE(t->findField("Nema").has_value());
    EXPECT_THROW(t->fieldByName("Nema"), Error);
    EXPECT_THROW(t->field(11), Error);
    EXPECT_THROW(t->field(-1), Error);
    // Rich text comes back as its bytes; its size is known without reading it.
    EXPECT_EQ(t->fieldByName("Latinica").dataSize(), 16u);
    EXPECT_EQ(t->fieldByName("Latinica").asString(), "{\\rtf1 dvanaest}");
    EXPECT_EQ(t->fieldByName("Napomena").asString(), "");
    EXPECT_TRUE(t->fieldByName("Napomena").isNull());
    // Numbers: integral values without a fraction, others as decimals.
    auto a = open("TB_Misljenja");
    a->edit();
    a->fieldByName("DAN").setFloat(2.5);
    EXPECT_EQ(a->fieldByName("DAN").asString(), "2.5");
    EXPECT_EQ(a->fieldByName("DAN").asInteger(), 3);
    a->fieldByName("DAN").setString(" 7 ");
    EXPECT_DOUBLE_EQ(a->fieldByName("DAN").asFloat(), 7.0);
    EXPECT_THROW(a->fieldByName("DAN").setString("sedam"), Error);
    EXPECT_THROW(a->fieldByName("NAZIV_MISLJENJA").asInteger(), Error);  // "O porezu"
    a->cancel();
    auto closed = std::make_unique<Table>(session_, "x");
    closed->setDatabaseName("Zakoni");
    closed->setTableName("TB_Zakoni");
    EXPECT_EQ(closed->fieldByName("BG").index(), 10);  // the definition is known while closed
    EXPECT_THROW(closed->fieldByName("BG").asString(), Error);
}

TEST_F(TableTest, AppendEditPostCancelDelete) {
    auto t = open("TB_Korisnicki");
    t->append();
    EXPECT_EQ(t->state(), State::Insert);
    t->fieldByName("NAZIV_UG").setString("Korisnicki B");
    t->fieldByName("TEKST_UG").setString("{\\rtf1 b}");
    EXPECT_EQ(t->fieldByName("NAZIV_UG").asString(), "Korisnicki B");
    t->post();
    EXPECT_EQ(t->state(), State::Browse);
    EXPECT_EQ(t->fieldByName("NAZIV_UG").asString(), "Korisnicki B");  // the new row is current
    EXPECT_EQ(column(*t, "NAZIV_UG"), (Rows{"Korisnicki B", "Korisnicki ugovor"}));

    t->first();
    t->edit();
    t->fieldByName("TEKST_UG").setString("{\\rtf1 izmenjeno}");
    t->cancel();
    EXPECT_EQ(t->fieldByName("TEKST_UG").asString(), "{\\rtf1 b}");
    t->edit();
    t->fieldByName("NAZIV_UG").setString("Korisnicki C");
    t->post();
    EXPECT_EQ(column(*t, "NAZIV_UG"), (Rows{"Korisnicki C", "Korisnicki ugovor"}));

    // Moving to another row stores the edit in progress.
    t->first();
    t->edit();
    t->fieldByName("TEKST_UG").setString("{\\rtf1 c}");
    t->next();
    EXPECT_EQ(t->state(), State::Browse);
    t->first();
    EXPECT_EQ(t->fieldByName("TEKST_UG").asString(), "{\\rtf1 c}");

    // Deleting makes the following row current.
    t->deleteRecord();
    EXPECT_EQ(t->recordCount(), 1);
    EXPECT_EQ(t->fieldByName("NAZIV_UG").asString(), "Korisnicki ugovor");
    t->deleteRecord();
    EXPECT_TRUE(t->isEmpty());
    EXPECT_THROW(t->deleteRecord(), Error);
    // Editing an empty table starts a new row.
    t->edit();
    EXPECT_EQ(t->state(), State::Insert);
    t->cancel();
    EXPECT_TRUE(t->isEmpty());
}

TEST_F(TableTest, WriteErrorsLeaveTheEditInPlace) {
    auto t = open("TB_Korisnicki");
    t->append();
    t->fieldByName("NAZIV_UG").setString("Korisnicki ugovor");  // key exists
    try {
        t->post();
        ADD_FAILURE() << "duplicate key posted";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("UNIQUE"), std::string::npos) << e.what();
    }
    EXPECT_EQ(t->state(), State::Insert);
    t->fieldByName("NAZIV_UG").setString("Korisnicki drugi");
    t->post();
    EXPECT_EQ(t->recordCount(), 2);

    EXPECT_THROW(t->fieldByName("NAZIV_UG").setString("x"), Error);  // not editing
    t->edit();
    EXPECT_THROW(t->fieldByName("NAZIV_UG").setString(std::string(101, 'x')), Error);
    EXPECT_THROW(t->fieldByName("TEKST_UG").setInteger(5), Error);
    t->cancel();
    EXPECT_THROW(t->post(), Error);
}

TEST_F(TableTest, ReadOnlyTablesRefuseChangesAndSwitchOnlyWhileClosed) {
    auto t = open("TB_Zakoni", true);
    EXPECT_THROW(t->append(), Error);
    EXPECT_THROW(t->edit(), Error);
    EXPECT_THROW(t->deleteRecord(), Error);
    EXPECT_THROW(t->setReadOnly(false), Error);
    EXPECT_THROW(t->setTableName("TB_Brojevi"), Error);
    EXPECT_THROW(t->setDatabaseName("Drugi"), Error);
    t->close();
    t->setReadOnly(false);
    t->open();
    t->edit();
    t->fieldByName("BG").setString("13/2005");
    t->post();
    EXPECT_EQ(t->fieldByName("BG").asString(), "13/2005");
}

TEST_F(TableTest, OpeningErrorsAreTheEnginesMessages) {
    Table t(session_, "Zakoni");
    EXPECT_THROW(t.open(), Error);  // no database
    t.setDatabaseName("Nema");
    t.setTableName("TB_Zakoni");
    EXPECT_THROW(t.open(), Error);  // unknown alias
    t.setDatabaseName("Zakoni");
    t.setTableName("TB_Nema");
    try {
        t.open();
        ADD_FAILURE();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("TB_Nema"), std::string::npos);
    }
    t.setTableName("TB_Zakoni");
    t.setIndexName("nema");
    EXPECT_THROW(t.open(), Error);
    EXPECT_FALSE(t.active());
    EXPECT_THROW(t.first(), Error);
    EXPECT_TRUE(t.eof());
}

TEST_F(TableTest, OtherTableObjectsSeeWritesOnTheirNextAccess) {
    auto writer = open("TB_Korisnicki");
    auto reader = open("TB_Korisnicki", true);
    EXPECT_EQ(reader->recordCount(), 1);
    unsigned long long before = db().changeCount();
    writer->append();
    writer->fieldByName("NAZIV_UG").setString("A prvi");
    writer->post();
    EXPECT_GT(db().changeCount(), before);
    // The reader keeps its current row and now counts the new one too.
    EXPECT_EQ(reader->fieldByName("NAZIV_UG").asString(), "Korisnicki ugovor");
    EXPECT_EQ(reader->recordCount(), 2);
    EXPECT_EQ(reader->recNo(), 2);
    writer->last();
    writer->edit();
    writer->fieldByName("TEKST_UG").setString("novo");
    writer->post();
    EXPECT_EQ(reader->fieldByName("TEKST_UG").asString(), "novo");
}

TEST_F(TableTest, TableFileOpenedByPath) {
    auto path = (dir_.path() / "TB_Glasnici.DB").string();
    {
        auto file = engine::Database::create(path, {kPassword});
        file->createTable(smallSchema()[2]);
        file->exec("INSERT INTO TB_Glasnici VALUES (3, 'Novi glasnik')");
    }
    Table source(session_, "updatetabela");
    source.setFilePath(path);
    source.open();
    EXPECT_EQ(column(source, "Naziv_glasnika"), Rows{"Novi glasnik"});
    source.close();

    Table missing(session_, "updatetabela");
    missing.setFilePath((dir_.path() / "nema.db").string());
    EXPECT_THROW(missing.open(), Error);
    EXPECT_FALSE(std::filesystem::exists(dir_.path() / "nema.db"));

    auto two = (dir_.path() / "two.db").string();
    {
        auto file = engine::Database::create(two, {});
        file->createTable(smallSchema()[2]);
        file->createTable(smallSchema()[5]);
    }
    Table ambiguous(session_, "updatetabela");
    ambiguous.setFilePath(two);
    EXPECT_THROW(ambiguous.open(), Error);
    ambiguous.setTableName("TB_Ministarstva");
    ambiguous.open();
    EXPECT_EQ(ambiguous.fieldCount(), 2);
}

TEST_F(TableTest, ListenersHearEveryKindOfChange) {
    Table t(session_, "KorisnickiUgovori");
    t.setDatabaseName("Zakoni");
    t.setTableName("TB_Korisnicki");
    std::vector<Event> events;
    int id = t.addListener([&](Table& table, Event e) {
        EXPECT_EQ(&table, &t);
        events.push_back(e);
    });
    t.open();
    t.append();
    t.fieldByName("NAZIV_UG").setString("Z");  // after the sample row
    t.post();
    t.first();
    t.setFilter("NAZIV_UG='Z'");
    t.setFiltered(true);
    t.close();
    EXPECT_EQ(events,
              (std::vector<Event>{Event::Opened, Event::StateChanged, Event::FieldChanged,
                                  Event::StateChanged, Event::DataSetChanged, Event::RecordChanged,
                                  Event::DataSetChanged, Event::Closed}));
    t.removeListener(id);
    events.clear();
    t.open();
    EXPECT_TRUE(events.empty());
}

TEST_F(TableTest, DataSourceRelaysWhileEnabled) {
    auto a = open("TB_Zakoni", true);
    auto b = open("TB_Brojevi", true);
    engine::DataSource source(a.get(), "DataSource2");
    std::vector<Event> events;
    source.addListener([&](Event e) { events.push_back(e); });
    a->next();
    source.setEnabled(false);
    a->next();
    EXPECT_EQ(events, std::vector<Event>{Event::RecordChanged});
    source.setEnabled(true);
    source.setDataSet(b.get());
    a->next();
    b->next();
    EXPECT_EQ(events, (std::vector<Event>{Event::RecordChanged, Event::DataSetChanged,
                                          Event::DataSetChanged, Event::RecordChanged}));
    EXPECT_EQ(source.dataSet(), b.get());
    EXPECT_EQ(source.name(), "DataSource2");
}

}  // namespace
}  // namespace enginetest
