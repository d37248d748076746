// The demo database exported to Paradox tables and imported back, byte for
// byte; what the import stores, skips and refuses.
#include <gtest/gtest.h>

#include "database/schema.h"
#include "engine/session.h"
#include "engine/table.h"
#include "paradox/exporter.h"
#include "paradox/importer.h"
#include "sample_tables.h"
#include "search/textindex.h"
#include "support/data_session.h"
#include "support/temp_program_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace paradoxtest;
using paradox::FieldKind;
using paradox::Value;

// Every row of a table in the order the program sees it: each field as
// null or its bytes.
std::vector<std::vector<std::string>> tableRows(engine::Session& session, const std::string& name) {
    engine::Table table(session, "rows");
    table.setDatabaseName(database::kAlias);
    table.setTableName(name);
    table.setReadOnly(true);
    table.open();
    std::vector<std::vector<std::string>> rows;
    for (table.first(); !table.eof(); table.next()) {
        std::vector<std::string> row;
        for (int i = 0; i < table.fieldCount(); ++i) {
            row.push_back(table.field(i).isNull() ? "<null>" : table.field(i).asString());
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

class Import : public ::testing::Test {
  protected:
    fs::path data() const { return target / "Podatci"; }

    testsupport::TempProgramDir program;  // the demo database
    fs::path tables = program / "paradox";
    fs::path target = program / "imported";
};

TEST_F(Import, DemoDatabaseComesBackByteForByte) {
    {
        // A user contract too, with YUSCII bytes, so that every table has rows.
        engine::Session session;
        testsupport::openDataSession(session, program.path());
        engine::Table t(session, "k");
        t.setDatabaseName(database::kAlias);
        t.setTableName(database::kKorisnicki);
        t.open();
        t.append();
        t.field(0).setString("Korisnicki ugovor o zakupu `{|}~");
        t.field(1).setString("{\\rtf1 Ugovor o zakupu poslovnog prostora \\'9a}");
        t.post();
        t.close();
        const auto exported = paradox::exportDatabase(session, database::kAlias, tables);
        EXPECT_EQ(exported.size(), 13U);
    }
    const auto report = paradox::importDatabase(tables, data(), {});
    ASSERT_EQ(report.size(), 13U);

    engine::Session before, after;
    testsupport::openDataSession(before, program.path());
    testsupport::openDataSession(after, target);
    for (const auto& t : report) {
        SCOPED_TRACE(t.table);
        const auto rows = tableRows(before, t.table);
        EXPECT_FALSE(rows.empty());
        EXPECT_EQ(t.read, static_cast<long long>(rows.size()));
        EXPECT_EQ(t.stored, t.read);
        EXPECT_EQ(t.skipped, 0);
        EXPECT_TRUE(t.notes.empty());
        EXPECT_EQ(tableRows(after, t.table), rows);
    }
    engine::Database& db = after.database(database::kAlias);
    EXPECT_TRUE(search::textIndexInfo(db, search::TextTable::Regulations));
    EXPECT_TRUE(search::textIndexInfo(db, search::TextTable::Opinions));
}

TEST_F(Import, YusciiTextStaysAsItIs) {
    fs::create_directories(tables);
    const std::string name = "Ugovor o dru`tvu sa ograni~enom odgovorno{}u";
    const std::string text = "{\\rtf1\\ansi Ovim ugovorom \\'e8 [\\\\]^@ ~}{|` \x80\xfe}";
    writeTable(tables / "tb_ugovori.db",
               {{"NAZIV_UGOVORA", FieldKind::Alpha, 240},
                {"TEXT_UGOVORA", FieldKind::FmtMemo, 250},
                {"Napomena", FieldKind::FmtMemo, 250},
                {"BROJ_STRANA", FieldKind::Number, 8}},
               {{Value::ofText(name), Value::ofBlob(text), Value(), Value::ofReal(3)}});
    const auto report = paradox::importDatabase(tables, data(), {});
    engine::Session session;
    testsupport::openDataSession(session, target);
    const auto rows = tableRows(session, database::kUgovori);
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0], (std::vector<std::string>{name, text, "<null>", "3"}));
    for (const auto& t : report) {
        EXPECT_EQ(t.file.empty(), t.table != database::kUgovori) << t.table;
    }
}

TEST_F(Import, SkipsWhatCannotBeStoredAndSaysWhy) {
    fs::create_directories(tables);
    writeTable(tables / "TB_Glasnici.DB",
               {{"ID_GLASNIKA", FieldKind::Short, 2},
                {"NAZIV", FieldKind::Alpha, 200},
                {"EXTRA", FieldKind::Logical, 1}},
               {{Value::ofInteger(1), Value::ofText("Sl. glasnik RS"), Value::ofInteger(1)},
                {Value::ofInteger(1), Value::ofText("Sl. glasnik RS, again"), Value()},
                {Value::ofInteger(2), Value::ofText(std::string(121, 'x')), Value()},
                {Value::ofInteger(3), Value::ofText("Sl. list SRJ"), Value()}});
    const auto report = paradox::importDatabase(tables, data(), {});
    const auto& glasnici = report[2];
    ASSERT_EQ(glasnici.table, database::kGlasnici);
    EXPECT_EQ(glasnici.read, 4);
    EXPECT_EQ(glasnici.stored, 2);
    EXPECT_EQ(glasnici.skipped, 2);
    EXPECT_EQ(glasnici.reasons.at("duplicate key (ID_GLASNIKA)").count, 1);
    EXPECT_EQ(glasnici.reasons.at("value does not fit field Naziv_glasnika").count, 1);
    EXPECT_EQ(glasnici.notes, (std::vector<std::string>{
                                  "the file has 3 fields, the table 2",
                                  "field 1 is NAZIV in the file, Naziv_glasnika in the table"}));
    engine::Session session;
    testsupport::openDataSession(session, target);
    EXPECT_EQ(
        tableRows(session, database::kGlasnici),
        (std::vector<std::vector<std::string>>{{"1", "Sl. glasnik RS"}, {"3", "Sl. list SRJ"}}));
}

TEST_F(Import, KeepsTheOldDatabaseUnlessToldAndWhenATableIsDamaged) {
    fs::create_directories(tables);
    writeTable(tables / "TB_Tipovi_Zakona.DB",
               {{"ID", FieldKind::Number, 8}, {"NAZIV", FieldKind::Alpha, 60}},
               {{Value::ofReal(0), Value::ofText("Sve")}});
    paradox::importDatabase(tables, data(), {});
    const auto size = fs::file_size(data() / "zakoni.sqlite");
    const auto entries = std::distance(fs::directory_iterator(data()), fs::directory_iterator());
    EXPECT_THROW(paradox::importDatabase(tables, data(), {}), paradox::Error);

    // A damaged table fails the import; the database in place stays.
    fs::resize_file(tables / "TB_Tipovi_Zakona.DB", 1000);
    EXPECT_THROW(paradox::importDatabase(tables, data(), {.replace = true}), paradox::Error);
    EXPECT_EQ(fs::file_size(data() / "zakoni.sqlite"), size);
    // Nothing of the failed build stays beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(data()), fs::directory_iterator()), entries);

    // A folder without any of the tables is refused.
    fs::remove(tables / "TB_Tipovi_Zakona.DB");
    EXPECT_THROW(paradox::importDatabase(tables, data(), {.replace = true}), paradox::Error);
}

}  // namespace
