#pragma once
// Reads a Paradox table file (.DB) with its memo file (.MB): our own reader
// of the format, which checks the header, the chain of data blocks and every
// memo pointer against the files before it uses them, so that a damaged or
// hostile table fails with an Error and is never read outside its files.
// Text bytes are taken as they are (no character translation). Encrypted
// tables are refused.
//
// Values: Alpha as text (up to the first NUL byte), Short, Long and
// Autoincrement as integers, Number and Currency as reals, Date as
// "dd/mm/yyyy" text, Logical as the integer 1 or 0, memos and BLOBs as their
// bytes, Graphic as the picture's bytes (without the graphic header). A
// blank field, and a memo of length 0, is Null.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "paradox/bytes.h"
#include "paradox/source.h"

namespace paradox {

class TableReader : public TableSource {
  public:
    // Opens a table file and, when there is one, the memo file beside it
    // (same name, extension MB in any case). Throws Error when the table is
    // missing, damaged, encrypted or holds a field kind we do not read.
    static std::unique_ptr<TableReader> open(const std::filesystem::path& tableFile);

    // A table from its bytes; memo may be null when there is no memo file.
    TableReader(std::unique_ptr<ByteSource> table, std::unique_ptr<ByteSource> memo);
    ~TableReader() override;

    const std::vector<FieldInfo>& fields() const override { return fields_; }
    long long recordCount() const override { return numRecords_; }
    bool next(std::vector<Value>& row) override;

    // The table name stored in the header.
    const std::string& tableName() const { return tableName_; }

  private:
    struct Block {
        std::uint32_t number;
        int records;
    };

    void readHeader();
    void readChain();
    Value decode(const FieldInfo& field, const char* data) const;
    Value blob(const FieldInfo& field, const char* data) const;
    std::string memoData(std::uint32_t offset, std::uint32_t length) const;
    [[noreturn]] void damaged(const std::string& what) const;

    std::unique_ptr<ByteSource> table_;
    std::unique_ptr<ByteSource> memo_;
    std::vector<FieldInfo> fields_;
    std::vector<int> offsets_;  // of each field in the record
    std::string tableName_;
    int recordSize_ = 0;
    int headerSize_ = 0;
    int blockSize_ = 0;
    long long numRecords_ = 0;
    std::uint32_t fileBlocks_ = 0;
    std::uint32_t firstBlock_ = 0;
    std::vector<Block> chain_;

    // Cursor.
    size_t block_ = 0;
    int record_ = 0;
    std::string blockData_;
    bool spent_ = false;
};

// Whether a file's first bytes are those of a Paradox table (the kind of
// table file is told by content, not by name). Reads the header's start
// only; a file that passes may still turn out damaged when opened.
bool isParadoxTable(const std::filesystem::path& file);

}  // namespace paradox
