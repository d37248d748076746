// Writes the seed corpus of the reader's fuzz target: small tables written
// with pxlib, each as a 4-byte table length, the table file, the memo file.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "../sample_tables.h"

namespace fs = std::filesystem;
using namespace paradoxtest;
using paradox::FieldKind;
using paradox::Value;

static void seed(const fs::path& corpus, const std::string& name,
                 const std::vector<paradox::FieldInfo>& fields, const std::vector<Row>& rows) {
    const fs::path file = fs::temp_directory_path() / (name + ".DB");
    writeTable(file, fields, rows);
    const TableBytes bytes = readBytes(file);
    std::ofstream out(corpus / name, std::ios::binary);
    const std::uint32_t n = static_cast<std::uint32_t>(bytes.table.size());
    const char length[4] = {static_cast<char>(n), static_cast<char>(n >> 8),
                            static_cast<char>(n >> 16), static_cast<char>(n >> 24)};
    out.write(length, 4);
    out << bytes.table << bytes.memo;
    fs::remove(file);
    fs::remove(fs::temp_directory_path() / (name + ".MB"));
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds CORPUS_DIR\n");
        return 2;
    }
    const fs::path corpus = argv[1];
    // Every kind, memos small enough for the record and a shared block.
    std::vector<Row> rows = everyKindRows();
    rows.resize(3);
    rows[2][8] = Value::ofBlob(pattern(40, 1));
    rows[2][9] = Value::ofBlob(pattern(90, 2));
    seed(corpus, "every-kind", everyKind(), rows);
    // A memo in a block of its own.
    seed(corpus, "own-block", {{"ID", FieldKind::Number, 8}, {"T", FieldKind::FmtMemo, 20}},
         {{Value::ofReal(1), Value::ofBlob(pattern(4500, 3))}, {Value::ofReal(2), Value()}});
    // No memo file.
    seed(corpus, "plain",
         {{"ID", FieldKind::Long, 4}, {"NAZIV", FieldKind::Alpha, 12}, {"D", FieldKind::Date, 4}},
         {{Value::ofInteger(7), Value::ofText("Sl. glasnik"), Value::ofText("05/03/2009")}});
    return 0;
}
