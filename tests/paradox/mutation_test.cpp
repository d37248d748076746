// The reader on a few hundred damaged copies of tables written with pxlib:
// cut short, bits flipped, pointers and sizes overwritten. Built with the
// address and undefined-behaviour sanitizers: every copy must read or fail
// with paradox::Error, never touch memory outside what it read.
#include <gtest/gtest.h>

#include <random>

#include "paradox/types.h"
#include "sample_tables.h"
#include "support/temp_program_dir.h"

namespace {

using namespace paradoxtest;
using paradox::FieldKind;
using paradox::Value;

// Reads every row; true when the table read, false when it failed cleanly.
bool readsOrFails(const TableBytes& bytes) {
    try {
        const auto reader = readerOf(bytes);
        readAll(*reader);
        return true;
    } catch (const paradox::Error&) {
        return false;
    }
}

std::vector<TableBytes> seeds(const std::filesystem::path& dir) {
    writeTable(dir / "every.DB", everyKind(), everyKindRows());
    std::vector<Row> notes;
    for (int i = 0; i < 90; ++i) {
        notes.push_back({Value::ofReal(i), Value::ofText("naziv " + std::to_string(i)),
                         Value::ofBlob(pattern(static_cast<size_t>(i * i * 3 % 7000), i))});
    }
    writeTable(dir / "notes.DB",
               {{"ID", FieldKind::Number, 8},
                {"NAZIV", FieldKind::Alpha, 30},
                {"TEKST", FieldKind::FmtMemo, 60}},
               notes);
    return {readBytes(dir / "every.DB"), readBytes(dir / "notes.DB")};
}

TEST(Mutation, DamagedTablesFailCleanly) {
    testsupport::TempProgramDir dir(false);
    std::mt19937 random(20260101);
    auto below = [&](size_t n) { return n == 0 ? 0 : static_cast<size_t>(random() % n); };
    int read = 0, failed = 0, cutTablesRead = 0;
    for (const TableBytes& seed : seeds(dir.path())) {
        ASSERT_TRUE(readsOrFails(seed));
        for (int round = 0; round < 300; ++round) {
            TableBytes bytes = seed;
            std::string& file = (round % 3 == 2 && !bytes.memo.empty()) ? bytes.memo : bytes.table;
            switch (round % 5) {
                case 0:  // cut short
                    file.resize(below(file.size()));
                    break;
                case 1:  // a few bits flipped in the first 4 KB (headers, first block)
                    for (int k = 1 + static_cast<int>(below(4)); k > 0; --k) {
                        file[below(std::min<size_t>(file.size(), 4096))] ^=
                            static_cast<char>(1 << below(8));
                    }
                    break;
                case 2:  // bits flipped anywhere
                    for (int k = 1 + static_cast<int>(below(8)); k > 0; --k) {
                        file[below(file.size())] ^= static_cast<char>(1 << below(8));
                    }
                    break;
                case 3:  // a 4-byte word overwritten: a pointer, a length, a count
                {
                    const size_t at = below(file.size() - 4);
                    const std::uint32_t words[] = {0, 0xFFFFFFFF, 0x7FFFFFFF, 0x80000000,
                                                   static_cast<std::uint32_t>(random())};
                    const std::uint32_t w = words[below(5)];
                    for (int i = 0; i < 4; ++i) {
                        file[at + static_cast<size_t>(i)] = static_cast<char>(w >> (8 * i));
                    }
                    break;
                }
                default:  // a byte of the header set to an extreme
                    file[below(std::min<size_t>(file.size(), 0x80))] =
                        static_cast<char>(below(2) == 0 ? 0 : 0xFF);
                    break;
            }
            const bool ok = readsOrFails(bytes);
            (ok ? read : failed)++;
            // A table file cut anywhere loses blocks its header counts.
            cutTablesRead += ok && round % 5 == 0 && &file == &bytes.table ? 1 : 0;
        }
    }
    // Damage inside texts leaves a readable table; the rest fails.
    EXPECT_EQ(read + failed, 600);
    EXPECT_EQ(cutTablesRead, 0);
    std::printf("%d damaged tables read, %d failed cleanly\n", read, failed);
}

}  // namespace
