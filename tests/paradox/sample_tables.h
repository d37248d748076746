#pragma once
// Paradox tables for the tests, written with the writer (pxlib) into files
// and read back as bytes: a table with a field of every kind we read and
// rows that reach every way a value is stored.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "paradox/reader.h"
#include "paradox/types.h"

namespace paradoxtest {

using Row = std::vector<paradox::Value>;

// The bytes of a table file and of its memo file (empty when none).
struct TableBytes {
    std::string table;
    std::string memo;
};

void writeTable(const std::filesystem::path& file, const std::vector<paradox::FieldInfo>& fields,
                const std::vector<Row>& rows);
TableBytes readBytes(const std::filesystem::path& tableFile);
std::unique_ptr<paradox::TableReader> readerOf(const TableBytes& bytes);
// Every row of a source.
std::vector<Row> readAll(paradox::TableSource& source);

// A field of every kind we read. Memos have a 10-byte leader.
std::vector<paradox::FieldInfo> everyKind();
// Rows over everyKind(): blanks, signs and limits, memos in the record, in
// shared blocks and in blocks of their own, YUSCII and 8-bit bytes.
std::vector<Row> everyKindRows();

// Bytes 0..n-1 of a simple pattern that starts at seed.
std::string pattern(size_t n, int seed);

}  // namespace paradoxtest
