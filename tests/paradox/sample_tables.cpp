#include "sample_tables.h"

#include <fstream>
#include <sstream>

#include "paradox/files.h"
#include "paradox/writer.h"

namespace paradoxtest {

namespace fs = std::filesystem;
using paradox::FieldInfo;
using paradox::FieldKind;
using paradox::Value;

void writeTable(const fs::path& file, const std::vector<FieldInfo>& fields,
                const std::vector<Row>& rows) {
    paradox::TableWriter writer(file, fields);
    for (const Row& row : rows) {
        writer.append(row);
    }
    writer.finish();
}

namespace {
std::string slurp(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
}  // namespace

TableBytes readBytes(const fs::path& tableFile) {
    TableBytes bytes{slurp(tableFile), {}};
    if (const auto memo = paradox::findMemoFile(tableFile)) {
        bytes.memo = slurp(*memo);
    }
    return bytes;
}

std::unique_ptr<paradox::TableReader> readerOf(const TableBytes& bytes) {
    return std::make_unique<paradox::TableReader>(
        paradox::memoryBytes(bytes.table, "test.DB"),
        bytes.memo.empty() ? nullptr : paradox::memoryBytes(bytes.memo, "test.MB"));
}

std::vector<Row> readAll(paradox::TableSource& source) {
    std::vector<Row> rows;
    Row row;
    while (source.next(row)) {
        rows.push_back(row);
    }
    return rows;
}

std::vector<FieldInfo> everyKind() {
    return {
        {"ALPHA", FieldKind::Alpha, 40},     {"NUMBER", FieldKind::Number, 8},
        {"SHORT", FieldKind::Short, 2},      {"LONG", FieldKind::Long, 4},
        {"DATE", FieldKind::Date, 4},        {"LOGICAL", FieldKind::Logical, 1},
        {"MEMO", FieldKind::Memo, 20},       {"FMEMO", FieldKind::FmtMemo, 20},
        {"GRAPHIC", FieldKind::Graphic, 10}, {"BLOB", FieldKind::Blob, 11},
        {"MONEY", FieldKind::Currency, 8},   {"AUTO", FieldKind::AutoInc, 4},
    };
}

std::string pattern(size_t n, int seed) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i) {
        s[i] = static_cast<char>((static_cast<size_t>(seed) + i * 7) % 251 + 1);
    }
    return s;
}

std::vector<Row> everyKindRows() {
    const Value null;
    std::vector<Row> rows;
    // Blank everywhere.
    rows.push_back(Row(12, null));
    // Limits and signs; memos in the record (up to the 10-byte leader).
    rows.push_back({Value::ofText("Zakon o porezu na dobit preduze}a `{|~"), Value::ofReal(-1234.5),
                    Value::ofInteger(-32767), Value::ofInteger(2147483647),
                    Value::ofText("01/01/0001"), Value::ofInteger(0), Value::ofBlob("ab"),
                    Value::ofBlob(pattern(10, 3)), Value::ofBlob("P"), Value::ofBlob("x"),
                    Value::ofReal(0.01), Value::ofInteger(1)});
    // YUSCII and 8-bit bytes, no translation; memos in shared blocks.
    rows.push_back({Value::ofText("\x8a\x9a\xe8\xe6 [\\]^@ {|}~`"), Value::ofReal(0),
                    Value::ofInteger(32767), Value::ofInteger(-2147483647),
                    Value::ofText("31/12/9999"), Value::ofInteger(1),
                    Value::ofBlob("{\\rtf1 \\'e8 ~}{|`\x80\xff}"), Value::ofBlob(pattern(11, 5)),
                    Value::ofBlob(pattern(300, 7)), Value::ofBlob(pattern(2000, 9)),
                    Value::ofReal(-0.5), Value::ofInteger(2)});
    // Memos in blocks of their own.
    rows.push_back({Value::ofText(std::string(40, 'W')), Value::ofReal(1e300), Value::ofInteger(1),
                    Value::ofInteger(0), Value::ofText("29/02/2004"), null,
                    Value::ofBlob(pattern(5000, 11)), Value::ofBlob(pattern(40000, 13)),
                    Value::ofBlob(pattern(100000, 15)), Value::ofBlob(pattern(4087, 17)), null,
                    Value::ofInteger(3)});
    return rows;
}

}  // namespace paradoxtest
