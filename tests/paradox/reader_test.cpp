// The reader on tables written with pxlib: every field kind, every way a
// memo is stored, names not case-sensitive; damaged tables fail cleanly.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>

#include "paradox/files.h"
#include "paradox/format.h"
#include "paradox/reader.h"
#include "paradox/writer.h"
#include "sample_tables.h"
#include "support/temp_program_dir.h"

namespace {

namespace fs = std::filesystem;
using namespace paradoxtest;
using paradox::FieldInfo;
using paradox::FieldKind;
using paradox::Value;

class Reader : public ::testing::Test {
  protected:
    testsupport::TempProgramDir dir{false};
};

TEST_F(Reader, ReadsEveryKindAsWritten) {
    writeTable(dir / "every.DB", everyKind(), everyKindRows());
    const auto reader = paradox::TableReader::open(dir / "every.DB");
    ASSERT_EQ(reader->fields().size(), everyKind().size());
    for (size_t i = 0; i < everyKind().size(); ++i) {
        EXPECT_EQ(reader->fields()[i].name, everyKind()[i].name);
        EXPECT_EQ(reader->fields()[i].kind, everyKind()[i].kind);
        EXPECT_EQ(reader->fields()[i].size, everyKind()[i].size);
    }
    EXPECT_EQ(reader->tableName(), "every");
    EXPECT_EQ(reader->recordCount(), 4);
    const auto rows = readAll(*reader);
    ASSERT_EQ(rows.size(), everyKindRows().size());
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t i = 0; i < rows[r].size(); ++i) {
            EXPECT_EQ(rows[r][i], everyKindRows()[r][i]) << "row " << r << " field " << i;
        }
    }
}

TEST_F(Reader, GraphicsCarryTheGraphicHeaderInTheMemoFile) {
    const std::string picture = "BM" + pattern(300, 1);
    writeTable(dir / "pic.DB", {{"ID", FieldKind::Number, 8}, {"S1", FieldKind::Graphic, 10}},
               {{Value::ofReal(1), Value::ofBlob(picture)}});
    const TableBytes bytes = readBytes(dir / "pic.DB");
    const std::string header("\x01\x00\x00\x01\x2e\x01\x00\x00", 8);  // count 1, type, 302 bytes
    EXPECT_NE(bytes.memo.find(header + picture), std::string::npos);
    const auto rows = readAll(*readerOf(bytes));
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0][1].bytes, picture);
}

TEST_F(Reader, ManyMemosOfRandomSizes) {
    // Enough small memos to fill many shared blocks, mixed with large ones.
    std::mt19937 random(7);
    std::vector<Row> rows;
    for (int i = 0; i < 600; ++i) {
        const size_t size = random() % 4 == 0 ? random() % 9000 : random() % 200;
        rows.push_back({Value::ofReal(i), size == 0 ? Value() : Value::ofBlob(pattern(size, i)),
                        Value::ofBlob(pattern(random() % 60 + 1, i + 1))});
    }
    const std::vector<FieldInfo> fields = {{"ID", FieldKind::Number, 8},
                                           {"TEXT", FieldKind::FmtMemo, 250},
                                           {"PIC", FieldKind::Graphic, 10}};
    writeTable(dir / "many.DB", fields, rows);
    EXPECT_EQ(readAll(*paradox::TableReader::open(dir / "many.DB")), rows);
}

TEST_F(Reader, FindsFilesWithoutRegardToCase) {
    writeTable(dir / "TB_Datumi.DB", {{"T", FieldKind::Memo, 11}},
               {{Value::ofBlob(pattern(99, 1))}});
    fs::rename(dir / "TB_Datumi.DB", dir / "tb_datumi.db");
    fs::rename(dir / "TB_Datumi.MB", dir / "Tb_DaTuMi.mB");
    const auto file = paradox::findTableFile(dir.path(), "TB_Datumi");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->filename(), "tb_datumi.db");
    EXPECT_EQ(readAll(*paradox::TableReader::open(*file))[0][0].bytes, pattern(99, 1));
    EXPECT_FALSE(paradox::findTableFile(dir.path(), "TB_Zakoni"));
}

TEST_F(Reader, TellsATableFileByContent) {
    writeTable(dir / "t.DB", {{"A", FieldKind::Alpha, 5}}, {});
    std::ofstream(dir / "sqlite.DB", std::ios::binary)
        << "SQLite format 3" << std::string(100, '\0');
    std::ofstream(dir / "short.DB", std::ios::binary) << std::string(40, '\2');
    EXPECT_TRUE(paradox::isParadoxTable(dir / "t.DB"));
    for (const char* other : {"sqlite.DB", "short.DB", "missing.DB"}) {
        EXPECT_FALSE(paradox::isParadoxTable(dir / other)) << other;
    }
}

TEST_F(Reader, WriterRefusesValuesThatDoNotFit) {
    paradox::TableWriter writer(
        dir / "w.DB",
        {{"A", FieldKind::Alpha, 3}, {"S", FieldKind::Short, 2}, {"D", FieldKind::Date, 4}});
    const Row bad[] = {
        {Value::ofText("abcd")},
        {Value::ofText(std::string("a\0b", 3))},
        {Value::ofReal(1)},
        {Value(), Value::ofInteger(40000)},
        {Value(), Value::ofText("5")},
        {Value(), Value(), Value::ofText("31/02/2005")},
    };
    for (const Row& row : bad) {
        EXPECT_THROW(writer.append(row), paradox::Error);
    }
    writer.append({Value::ofText("abc"), Value::ofInteger(-5), Value::ofText("5/3/2009")});
    writer.finish();
    EXPECT_EQ(readAll(*paradox::TableReader::open(dir / "w.DB")),
              (std::vector<Row>{
                  {Value::ofText("abc"), Value::ofInteger(-5), Value::ofText("05/03/2009")}}));
}

// Damage. The table: ID (Number), NAME (Alpha 20), TEXT (formatted memo,
// 10-byte leader), PIC (Graphic); rows with a memo in the record, in a
// shared block and in a block of its own.
class Damaged : public Reader {
  protected:
    void SetUp() override {
        writeTable(
            dir / "d.DB",
            {{"ID", FieldKind::Number, 8},
             {"NAME", FieldKind::Alpha, 20},
             {"TEXT", FieldKind::FmtMemo, 20},
             {"PIC", FieldKind::Graphic, 10}},
            {{Value::ofReal(1), Value::ofText("a"), Value::ofBlob("short"), Value()},
             {Value::ofReal(2), Value::ofText("b"), Value::ofBlob(pattern(500, 2)),
              Value::ofBlob(pattern(50, 3))},
             {Value::ofReal(3), Value::ofText("c"), Value::ofBlob(pattern(9000, 4)), Value()}});
        good = readBytes(dir / "d.DB");
    }

    // Offsets in the good table.
    static constexpr int kRecordSize = 8 + 20 + 20 + 10;
    static constexpr size_t kHeader = 0x800;
    static size_t record(int r) {
        return kHeader + paradox::format::kBlockHeader + r * kRecordSize;
    }
    static size_t textPointer(int r) { return record(r) + 8 + 20 + 10; }

    static void put16(std::string& s, size_t at, unsigned v) {
        s[at] = static_cast<char>(v & 0xFF);
        s[at + 1] = static_cast<char>(v >> 8 & 0xFF);
    }
    static void put32(std::string& s, size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            s[at + static_cast<size_t>(i)] = static_cast<char>(v >> (8 * i) & 0xFF);
        }
    }
    static std::uint32_t get32(const std::string& s, size_t at) {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) {
            v = v << 8 | static_cast<unsigned char>(s[at + static_cast<size_t>(i)]);
        }
        return v;
    }

    TableBytes good;
};

TEST_F(Damaged, TheGoodTableReads) {
    ASSERT_EQ(good.table.size() % 1024, 0U);
    EXPECT_EQ(get32(good.table, 0) & 0xFFFF, static_cast<unsigned>(kRecordSize));
    const auto rows = readAll(*readerOf(good));
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_EQ(rows[2][2].bytes, pattern(9000, 4));
    EXPECT_EQ(get32(good.table, textPointer(0)), 0U);            // in the record
    EXPECT_NE(get32(good.table, textPointer(1)) & 0xFF, 0xFFU);  // in a shared block
    EXPECT_EQ(get32(good.table, textPointer(2)) & 0xFF, 0xFFU);  // a block of its own
}

TEST_F(Damaged, FailsWithAnErrorAndNeverReadsOutside) {
    namespace f = paradox::format;
    const struct {
        const char* what;
        std::function<void(TableBytes&)> damage;
        const char* message;
    } cases[] = {
        {"table cut inside the header", [](TableBytes& b) { b.table.resize(40); }, "too short"},
        {"table cut inside the blocks", [](TableBytes& b) { b.table.resize(kHeader + 100); },
         "do not fit"},
        {"header size past the end", [](TableBytes& b) { put16(b.table, f::kHeaderSize, 0xFFFF); },
         "header size"},
        {"record size not the fields'", [](TableBytes& b) { put16(b.table, 0, kRecordSize + 1); },
         "-byte record"},
        {"no fields", [](TableBytes& b) { put16(b.table, f::kNumFields, 0); }, "0 fields"},
        {"an index file", [](TableBytes& b) { b.table[f::kFileType] = 1; }, "not a Paradox table"},
        {"block size 0", [](TableBytes& b) { b.table[f::kMaxTableSize] = 0; }, "block size"},
        {"one record too many", [](TableBytes& b) { put32(b.table, f::kNumRecords, 4); },
         "counts 4 records"},
        {"first block past the last", [](TableBytes& b) { put16(b.table, f::kFirstBlock, 999); },
         "block 999"},
        {"more blocks than the file holds",
         [](TableBytes& b) { put16(b.table, f::kFileBlocks, 999); }, "do not fit"},
        {"a block chained to itself", [](TableBytes& b) { put16(b.table, kHeader, 1); }, "twice"},
        {"a block's last record between records",
         [](TableBytes& b) { put16(b.table, kHeader + 4, kRecordSize + 3); }, "last record"},
        {"a block fuller than it can be", [](TableBytes& b) { put16(b.table, kHeader + 4, 30000); },
         "last record"},
        {"encrypted", [](TableBytes& b) { put32(b.table, f::kEncryption2, 0x1234); }, "encrypted"},
        {"a field kind we do not read",
         [](TableBytes& b) { b.table[f::kExtendedHeaderEnd] = 0x14; }, "does not read"},
        {"a number of 7 bytes",
         [](TableBytes& b) {
             b.table[f::kExtendedHeaderEnd + 1] = 7;
             b.table[f::kExtendedHeaderEnd + 3] = 21;
         },
         "has size"},
        {"field names run out of the header",
         [](TableBytes& b) { put16(b.table, f::kHeaderSize, 0x78 + 6 * 4 + 4 + 261 + 3); },
         "field names"},
        {"memo pointer past the memo file",
         [](TableBytes& b) { put32(b.table, textPointer(2), 0x7FFF00FF); }, "past the end"},
        {"memo pointer at the header block",
         [](TableBytes& b) { put32(b.table, textPointer(2), 0xFF); }, "does not point at a block"},
        {"memo pointer between blocks",
         [](TableBytes& b) {
             put32(b.table, textPointer(2), get32(b.table, textPointer(2)) + 0x100);
         },
         "does not point at a block"},
        {"shared entry named as a block of its own",
         [](TableBytes& b) {
             put32(b.table, textPointer(1), get32(b.table, textPointer(1)) | 0xFF);
         },
         "type 3"},
        {"block of its own named as a shared entry",
         [](TableBytes& b) {
             put32(b.table, textPointer(2), get32(b.table, textPointer(2)) & ~0xFFU);
         },
         "type 2"},
        {"shared entry 64",
         [](TableBytes& b) {
             put32(b.table, textPointer(1), (get32(b.table, textPointer(1)) & ~0xFFU) | 64);
         },
         "entry 64"},
        {"memo longer than its block",
         [](TableBytes& b) { put32(b.table, textPointer(2) + 4, 9001); }, "length does not match"},
        {"memo longer than its shared entry",
         [](TableBytes& b) { put32(b.table, textPointer(1) + 4, 4000); }, "does not hold"},
        {"memo in the record longer than the leader",
         [](TableBytes& b) { put32(b.table, textPointer(0) + 4, 11); }, "longer than its leader"},
        {"memo file missing", [](TableBytes& b) { b.memo.clear(); }, "missing"},
        {"memo file cut", [](TableBytes& b) { b.memo.resize(b.memo.size() / 2); }, "past the end"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TableBytes bytes = good;
        c.damage(bytes);
        try {
            const auto reader = readerOf(bytes);
            readAll(*reader);
            ADD_FAILURE() << "no error";
        } catch (const paradox::Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

TEST_F(Damaged, ValuesNoProgramCouldWriteFail) {
    writeTable(dir / "v.DB", {{"D", FieldKind::Date, 4}, {"N", FieldKind::Number, 8}},
               {{Value::ofText("01/01/2000"), Value::ofReal(1)}});
    const TableBytes ok = readBytes(dir / "v.DB");
    const size_t at = kHeader + paradox::format::kBlockHeader;
    TableBytes date = ok;
    date.table.replace(at, 4, "\xFF\xFF\xFF\xFF", 4);  // day 2^31-1
    TableBytes nan = ok;
    nan.table.replace(at + 4, 8, "\xFF\xF8\x00\x00\x00\x00\x00\x01", 8);
    for (const TableBytes* bytes : {&date, &nan}) {
        EXPECT_THROW(readAll(*readerOf(*bytes)), paradox::Error);
    }
}

}  // namespace
