// Batch move: append-or-update by the destination's active index, fields by
// position, rows that cannot be written skipped.
#include <gtest/gtest.h>

#include <fstream>

#include "engine/batchmove.h"
#include "engine_fixture.h"

namespace enginetest {
namespace {

using engine::Database;
using engine::Error;
using engine::FieldType;
using engine::Table;
using engine::TableDef;
using Rows = std::vector<std::string>;

class BatchMoveTest : public EngineTest {
  protected:
    BatchMoveTest() { fillSampleData(db()); }

    // An update file holding one table, as the update archives carry them.
    std::string updateFile(const TableDef& def, const std::vector<std::string>& inserts) {
        auto path = (dir_.path() / (def.name + ".DB")).string();
        auto file = Database::create(path, {kPassword});
        file->createTable(def);
        for (const auto& sql : inserts) {
            file->exec(sql);
        }
        return path;
    }

    Table& source(const std::string& path) {
        source_ = std::make_unique<Table>(session_, "updatetabela");
        source_->setFilePath(path);
        return *source_;
    }

    std::unique_ptr<Table> source_;
};

TEST_F(BatchMoveTest, UpdatesByKeyAndAppendsNewRowsMappingFieldsByPosition) {
    // The update's field names differ; only positions count.
    TableDef def{"TB_Ministarstva",
                 {{"BROJ", FieldType::Number}, {"NAZIV", FieldType::String, 240}},
                 {"BROJ"},
                 {}};
    auto path = updateFile(def, {"INSERT INTO TB_Ministarstva VALUES (2, 'Ministarstvo rada i "
                                 "zapo{qavawa'), (3, 'Ministarstvo pravde')"});
    auto destination = open("TB_Ministarstva");
    auto result = engine::batchMoveAppendUpdate(source(path), *destination);
    EXPECT_EQ(result.updated, 1);
    EXPECT_EQ(result.appended, 1);
    EXPECT_EQ(result.skipped, 0);
    EXPECT_EQ(
        column(*destination, "IME_MINISTARSTVA"),
        (Rows{"Ministarstvo finansija", "Ministarstvo rada i zapo{qavawa", "Ministarstvo pravde"}));
    EXPECT_FALSE(source_->active());  // opened for the move, closed after it
}

TEST_F(BatchMoveTest, MatchesOnTheActiveIndexNotOnlyThePrimaryKey) {
    TableDef def = smallSchema()[3];  // TB_Arhiva, no primary key
    auto path = updateFile(def, {"INSERT INTO TB_Arhiva VALUES (14, 12, 20), (20, 14, 0)"});
    auto arhiva = open("TB_Arhiva");
    arhiva->setIndexFieldNames("BROJ_ZAKONA");
    auto result = engine::batchMoveAppendUpdate(source(path), *arhiva);
    EXPECT_EQ(result.updated, 1);
    EXPECT_EQ(result.appended, 1);
    arhiva->setFilter("BROJ_ZAKONA=14");
    arhiva->setFiltered(true);
    EXPECT_EQ(column(*arhiva, "NASLEDJUJE_GA"), Rows{"20"});
}

TEST_F(BatchMoveTest, RowsThatCannotBeWrittenAreSkipped) {
    // Text where the destination has numbers, a title too long for its field,
    // and a key that another row's unique key already holds.
    TableDef def{"TB_Zakoni",
                 {{"A", FieldType::String, 10},
                  {"B", FieldType::Number},
                  {"C", FieldType::Number},
                  {"D", FieldType::Number},
                  {"E", FieldType::Memo},
                  {"F", FieldType::String, 500}},
                 {},
                 {}};
    auto path = updateFile(def, {"INSERT INTO TB_Zakoni (A, B, F) VALUES ('17', 17, 'Novi "
                                 "zakon'), ('nije broj', 18, 'Los'), ('19', 19, '" +
                                 std::string(300, 'x') + "'), ('13', 13, 'Izmenjen')"});
    auto zakoni = open("TB_Zakoni");
    auto result = engine::batchMoveAppendUpdate(source(path), *zakoni);
    EXPECT_EQ(result.appended, 1);
    EXPECT_EQ(result.updated, 1);
    EXPECT_EQ(result.skipped, 2);
    EXPECT_EQ(column(*zakoni, "ID_ZAKONA"), (Rows{"12", "13", "14", "15", "16", "17"}));
    // Replaced rows take every field from the source; missing ones are blank.
    zakoni->setFilter("ID_ZAKONA=13");
    zakoni->setFiltered(true);
    EXPECT_EQ(zakoni->fieldByName("Naziv_zakona").asString(), "Izmenjen");
    EXPECT_TRUE(zakoni->fieldByName("BG").isNull());

    auto korisnicki = open("TB_Korisnicki");
    TableDef names{"TB_Korisnicki", {{"N", FieldType::String, 200}}, {}, {}};
    auto second = updateFile(
        names, {"INSERT INTO TB_Korisnicki VALUES ('Kratko'), ('" + std::string(150, 'y') + "')"});
    result = engine::batchMoveAppendUpdate(source(second), *korisnicki);
    EXPECT_EQ(result.appended, 1);
    EXPECT_EQ(result.skipped, 1);
}

TEST_F(BatchMoveTest, KeyViolationsOfOtherUniqueIndexesAreSkipped) {
    // A unique index on the gazette name: a new gazette with a taken name is skipped.
    TableDef def{"TB_Imena",
                 {{"ID", FieldType::Number}, {"IME", FieldType::String, 20}},
                 {"ID"},
                 {{"ime", {"IME"}, true, true}}};
    db().createTable(def);
    sql("INSERT INTO TB_Imena VALUES (1, 'Prvi')");
    auto path = updateFile(def, {"INSERT INTO TB_Imena VALUES (2, 'PRVI'), (3, 'Treci')"});
    auto imena = open("TB_Imena");
    auto result = engine::batchMoveAppendUpdate(source(path), *imena);
    EXPECT_EQ(result.appended, 1);
    EXPECT_EQ(result.skipped, 1);
    EXPECT_EQ(column(*imena, "IME"), (Rows{"Prvi", "Treci"}));
}

TEST_F(BatchMoveTest, OtherOpenTablesSeeTheResultAndReadOnlyDestinationsRefuse) {
    auto path = updateFile(smallSchema()[2], {"INSERT INTO TB_Glasnici VALUES (3, 'Treci')"});
    auto reader = open("TB_Glasnici", true);
    EXPECT_EQ(reader->recordCount(), 2);
    EXPECT_THROW(engine::batchMoveAppendUpdate(source(path), *reader), Error);
    auto writer = open("TB_Glasnici");
    engine::batchMoveAppendUpdate(source(path), *writer);
    EXPECT_EQ(reader->recordCount(), 3);
    EXPECT_EQ(writer->recordCount(), 3);
    Table closed(session_, "zatvoren");
    EXPECT_THROW(engine::batchMoveAppendUpdate(source(path), closed), Error);
}

TEST_F(BatchMoveTest, AnUnreadableSourceIsAnError) {
    auto garbage = (dir_.path() / "TB_Zakoni.DB").string();
    std::ofstream(garbage) << "This is a Paradox table, not a table file of ours; some bytes "
                              "to make it look like a file worth reading.";
    auto zakoni = open("TB_Zakoni");
    EXPECT_THROW(engine::batchMoveAppendUpdate(source(garbage), *zakoni), Error);
    EXPECT_EQ(zakoni->recordCount(), 5);
}

}  // namespace
}  // namespace enginetest

namespace enginetest {
namespace {

// A source of rows held in memory, as another kind of table file gives them.
class ListSource : public engine::RowSource {
  public:
    ListSource(std::vector<engine::FieldDef> fields,
               std::vector<std::vector<engine::SourceValue>> rows, size_t failAt = SIZE_MAX)
        : fields_(std::move(fields)), rows_(std::move(rows)), failAt_(failAt) {}
    const std::string& tableName() const override { return name_; }
    const std::vector<engine::FieldDef>& fields() const override { return fields_; }
    bool next(std::vector<engine::SourceValue>& row) override {
        if (next_ == failAt_) {
            throw Error("the file is damaged");
        }
        if (next_ == rows_.size()) {
            return false;
        }
        row = rows_[next_++];
        return true;
    }

  private:
    std::string name_ = "TB_Ministarstva";
    std::vector<engine::FieldDef> fields_;
    std::vector<std::vector<engine::SourceValue>> rows_;
    size_t failAt_;
    size_t next_ = 0;
};

TEST_F(BatchMoveTest, RowSourcesMoveIntegersNumbersTextsAndBlanksByPosition) {
    auto destination = open("TB_Ministarstva");
    ListSource source({{"A", FieldType::Number}, {"B", FieldType::String, 240}},
                      {{2LL, std::string("Ministarstvo rada")},
                       {3.0, engine::SourceValue{}},
                       {std::string("4"), std::string("Ministarstvo pravde")}});
    auto result = engine::batchMoveAppendUpdate(source, *destination);
    EXPECT_EQ(result.updated, 1);
    EXPECT_EQ(result.appended, 2);
    EXPECT_EQ(column(*destination, "IME_MINISTARSTVA"),
              (Rows{"Ministarstvo finansija", "Ministarstvo rada", "", "Ministarstvo pravde"}));
}

TEST_F(BatchMoveTest, ASourceThatFailsToReadWritesNothing) {
    auto destination = open("TB_Ministarstva");
    ListSource source({{"A", FieldType::Number}, {"B", FieldType::String, 240}},
                      {{7LL, std::string("Sedmo")}, {8LL, std::string("Osmo")}}, 1);
    EXPECT_THROW(engine::batchMoveAppendUpdate(source, *destination), Error);
    EXPECT_EQ(column(*destination, "MINISTARSTVO"), (Rows{"1", "2"}));
}

}  // namespace
}  // namespace enginetest
