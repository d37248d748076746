// libFuzzer target: the table reader on arbitrary bytes. The input is a
// table file and a memo file: a 4-byte little-endian length of the table
// part, the table, then the memo file (none when empty). Every input must
// read or fail with paradox::Error.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "paradox/reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) {
        return 0;
    }
    std::size_t tableSize =
        data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::size_t>(data[3]) << 24;
    data += 4;
    size -= 4;
    tableSize = tableSize < size ? tableSize : size;
    const char* bytes = reinterpret_cast<const char*>(data);
    std::string table(bytes, tableSize);
    std::string memo(bytes + tableSize, size - tableSize);
    try {
        paradox::TableReader reader(
            paradox::memoryBytes(std::move(table), "fuzz.DB"),
            memo.empty() ? nullptr : paradox::memoryBytes(std::move(memo), "fuzz.MB"));
        std::vector<paradox::Value> row;
        while (reader.next(row)) {
        }
    } catch (const paradox::Error&) {
    }
    return 0;
}
