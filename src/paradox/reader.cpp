#include "paradox/reader.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "paradox/files.h"
#include "paradox/format.h"

namespace paradox {

namespace f = format;

namespace {

std::uint32_t le16(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint32_t>(u[0] | u[1] << 8);
}

std::uint32_t le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint32_t>(u[0]) | static_cast<std::uint32_t>(u[1]) << 8 |
           static_cast<std::uint32_t>(u[2]) << 16 | static_cast<std::uint32_t>(u[3]) << 24;
}

std::uint64_t be(const char* p, int n) {
    std::uint64_t v = 0;
    for (int i = 0; i < n; ++i) {
        v = v << 8 | static_cast<unsigned char>(p[i]);
    }
    return v;
}

// The record bytes a field of this kind takes; 0 when any size from 1 to
// 255 is allowed (Alpha), -1 for the blob kinds (a leader of 0 to 240 bytes
// and the pointer).
int fixedSize(FieldKind kind) {
    switch (kind) {
        case FieldKind::Alpha:
            return 0;
        case FieldKind::Logical:
            return 1;
        case FieldKind::Short:
            return 2;
        case FieldKind::Date:
        case FieldKind::Long:
        case FieldKind::AutoInc:
            return 4;
        case FieldKind::Number:
        case FieldKind::Currency:
            return 8;
        default:
            return -1;
    }
}

bool validSize(FieldKind kind, int size) {
    const int fixed = fixedSize(kind);
    if (fixed == 0) {
        return size >= 1 && size <= 255;
    }
    if (fixed < 0) {
        return size >= f::kBlobPointer && size <= f::kBlobPointer + 240;
    }
    return size == fixed;
}

// A signed integer stored big-endian with its sign bit flipped.
long long flippedInteger(const char* p, int n) {
    const std::uint64_t sign = std::uint64_t{1} << (8 * n - 1);
    const std::uint64_t v = be(p, n) ^ sign;
    return static_cast<long long>(v) - static_cast<long long>((v & sign) << 1);
}

}  // namespace

bool isParadoxTable(const std::filesystem::path& file) {
    try {
        const auto bytes = openFileBytes(file);
        if (bytes->size() < static_cast<std::uint64_t>(f::kBaseHeaderEnd)) {
            return false;
        }
        const std::string base = bytes->read(0, f::kBaseHeaderEnd);
        const auto type = static_cast<std::uint8_t>(base[f::kFileType]);
        const int kb = static_cast<unsigned char>(base[f::kMaxTableSize]);
        const int version = static_cast<unsigned char>(base[f::kFileVersion]);
        const std::uint32_t headerSize = le16(&base[f::kHeaderSize]);
        return (type == f::kFileTypeKeyed || type == f::kFileTypeUnkeyed) && kb >= 1 && kb <= 32 &&
               version >= 3 && version <= 12 && headerSize >= f::kBaseHeaderEnd &&
               headerSize <= bytes->size() && le16(&base[f::kRecordSize]) > 0;
    } catch (const Error&) {
        return false;
    }
}

std::unique_ptr<TableReader> TableReader::open(const std::filesystem::path& tableFile) {
    auto table = openFileBytes(tableFile);
    std::unique_ptr<ByteSource> memo;
    if (const auto memoFile = findMemoFile(tableFile)) {
        memo = openFileBytes(*memoFile);
    }
    return std::make_unique<TableReader>(std::move(table), std::move(memo));
}

TableReader::TableReader(std::unique_ptr<ByteSource> table, std::unique_ptr<ByteSource> memo)
    : table_(std::move(table)), memo_(std::move(memo)) {
    readHeader();
    readChain();
}

TableReader::~TableReader() = default;

void TableReader::damaged(const std::string& what) const {
    throw Error(table_->name() + ": damaged table, " + what);
}

void TableReader::readHeader() {
    if (table_->size() < static_cast<std::uint64_t>(f::kBaseHeaderEnd)) {
        damaged("the file is too short for a table header");
    }
    const std::string base = table_->read(0, f::kBaseHeaderEnd);
    recordSize_ = static_cast<int>(le16(&base[f::kRecordSize]));
    headerSize_ = static_cast<int>(le16(&base[f::kHeaderSize]));
    const auto fileType = static_cast<std::uint8_t>(base[f::kFileType]);
    const int maxTableSize = static_cast<unsigned char>(base[f::kMaxTableSize]);
    const auto numRecords = static_cast<std::int32_t>(le32(&base[f::kNumRecords]));
    const int numFields = static_cast<int>(le16(&base[f::kNumFields]));
    const auto version = static_cast<std::uint8_t>(base[f::kFileVersion]);
    fileBlocks_ = le16(&base[f::kFileBlocks]);
    firstBlock_ = le16(&base[f::kFirstBlock]);

    if (fileType != f::kFileTypeKeyed && fileType != f::kFileTypeUnkeyed) {
        throw Error(table_->name() + ": not a Paradox table (file type " +
                    std::to_string(fileType) + ")");
    }
    if (version < 3 || version > 12) {
        damaged("unknown file version " + std::to_string(version));
    }
    if (maxTableSize < 1 || maxTableSize > 32) {
        damaged("block size of " + std::to_string(maxTableSize) + " KB");
    }
    blockSize_ = maxTableSize * 1024;
    if (recordSize_ < 1 || recordSize_ > blockSize_ - f::kBlockHeader) {
        damaged("record size " + std::to_string(recordSize_));
    }
    if (numRecords < 0) {
        damaged("negative record count");
    }
    numRecords_ = numRecords;
    if (numFields < 1 || numFields > 255) {
        damaged(std::to_string(numFields) + " fields");
    }
    const bool extended = version >= f::kFirstExtendedVersion;
    const int descriptors = extended ? f::kExtendedHeaderEnd : f::kBaseHeaderEnd;
    const int nameLength = version >= f::kLongNameVersion ? f::kLongTableName : f::kShortTableName;
    // Descriptors, the table name pointer, the field name pointers, the
    // table name: all before the field names, all inside the header.
    const int namesAt = descriptors + 2 * numFields + 4 + 4 * numFields + nameLength;
    if (headerSize_ < namesAt || static_cast<std::uint64_t>(headerSize_) > table_->size()) {
        damaged("header size " + std::to_string(headerSize_));
    }
    const std::string header = table_->read(0, static_cast<size_t>(headerSize_));

    const std::uint32_t encryption1 = le32(&header[f::kEncryption1]);
    const std::uint32_t encryption2 = extended ? le32(&header[f::kEncryption2]) : 0;
    if ((encryption1 != 0 && encryption1 != f::kNoEncryption1) || encryption2 != 0) {
        throw Error(table_->name() + ": the table is encrypted (password-protected)");
    }

    const char* nameField = &header[static_cast<size_t>(namesAt - nameLength)];
    tableName_.assign(nameField, strnlen(nameField, static_cast<size_t>(nameLength)));

    size_t at = static_cast<size_t>(namesAt);
    int offset = 0;
    for (int i = 0; i < numFields; ++i) {
        const auto type =
            static_cast<std::uint8_t>(header[static_cast<size_t>(descriptors + 2 * i)]);
        const int size =
            static_cast<unsigned char>(header[static_cast<size_t>(descriptors + 2 * i + 1)]);
        const size_t end = header.find('\0', at);
        if (end == std::string::npos) {
            damaged("field names run past the header");
        }
        FieldInfo field{header.substr(at, end - at), FieldKind::Alpha, size};
        at = end + 1;
        if (!knownKind(type)) {
            throw Error(table_->name() + ": field " + field.name + " is of a kind (" +
                        std::to_string(type) + ") this program does not read");
        }
        field.kind = static_cast<FieldKind>(type);
        if (!validSize(field.kind, size)) {
            damaged("field " + field.name + " of kind " + kindName(field.kind) + " has size " +
                    std::to_string(size));
        }
        offsets_.push_back(offset);
        offset += size;
        fields_.push_back(std::move(field));
    }
    if (offset != recordSize_) {
        damaged("the fields take " + std::to_string(offset) + " bytes of a " +
                std::to_string(recordSize_) + "-byte record");
    }
}

void TableReader::readChain() {
    const std::uint32_t fileBlocks = fileBlocks_;
    std::uint32_t number = firstBlock_;
    const std::uint64_t end =
        static_cast<std::uint64_t>(headerSize_) +
        static_cast<std::uint64_t>(fileBlocks) * static_cast<std::uint64_t>(blockSize_);
    if (end > table_->size()) {
        damaged(std::to_string(fileBlocks) + " blocks do not fit in the file");
    }
    const int perBlock = (blockSize_ - f::kBlockHeader) / recordSize_;
    long long records = 0;
    std::vector<bool> seen(fileBlocks + 1, false);
    while (number != 0) {
        if (number > fileBlocks || seen[number]) {
            damaged("the block chain reaches block " + std::to_string(number) +
                    (number > fileBlocks ? " of " + std::to_string(fileBlocks) : " twice"));
        }
        seen[number] = true;
        char blockHeader[f::kBlockHeader];
        table_->read(
            static_cast<std::uint64_t>(headerSize_) +
                static_cast<std::uint64_t>(number - 1) * static_cast<std::uint64_t>(blockSize_),
            sizeof blockHeader, blockHeader);
        const auto last = static_cast<std::int16_t>(le16(blockHeader + 4));
        int count = 0;
        if (last >= 0) {
            if (last % recordSize_ != 0 || last / recordSize_ >= perBlock) {
                damaged("block " + std::to_string(number) + " says its last record is at " +
                        std::to_string(last));
            }
            count = last / recordSize_ + 1;
        }
        if (count > 0) {
            chain_.push_back({number, count});
        }
        records += count;
        number = le16(blockHeader);
    }
    if (records != numRecords_) {
        damaged("the header counts " + std::to_string(numRecords_) + " records, the blocks " +
                std::to_string(records));
    }
}

bool TableReader::next(std::vector<Value>& row) {
    if (spent_) {
        return false;
    }
    if (block_ < chain_.size() && record_ == 0) {
        const Block& b = chain_[block_];
        blockData_ = table_->read(
            static_cast<std::uint64_t>(headerSize_) +
                static_cast<std::uint64_t>(b.number - 1) * static_cast<std::uint64_t>(blockSize_) +
                f::kBlockHeader,
            static_cast<size_t>(b.records) * static_cast<size_t>(recordSize_));
    }
    if (block_ >= chain_.size()) {
        spent_ = true;
        return false;
    }
    try {
        const char* record =
            blockData_.data() + static_cast<size_t>(record_) * static_cast<size_t>(recordSize_);
        row.resize(fields_.size());
        for (size_t i = 0; i < fields_.size(); ++i) {
            row[i] = decode(fields_[i], record + offsets_[i]);
        }
    } catch (const Error&) {
        spent_ = true;
        throw;
    }
    if (++record_ == chain_[block_].records) {
        record_ = 0;
        ++block_;
    }
    return true;
}

Value TableReader::decode(const FieldInfo& field, const char* data) const {
    const int size = field.size;
    if (isBlobKind(field.kind)) {
        return blob(field, data);
    }
    if (field.kind == FieldKind::Alpha) {
        const size_t length = strnlen(data, static_cast<size_t>(size));
        return length == 0 ? Value::null() : Value::ofText(std::string(data, length));
    }
    if (be(data, size) == 0) {
        return Value::null();
    }
    switch (field.kind) {
        case FieldKind::Short:
        case FieldKind::Long:
        case FieldKind::AutoInc:
            return Value::ofInteger(flippedInteger(data, size));
        case FieldKind::Date: {
            std::string text;
            if (!formatDate(flippedInteger(data, size), text)) {
                damaged("a date of field " + field.name + " lies outside the years 1 to 9999");
            }
            return Value::ofText(std::move(text));
        }
        case FieldKind::Number:
        case FieldKind::Currency: {
            std::uint64_t bits = be(data, 8);
            bits = (bits & (std::uint64_t{1} << 63)) != 0 ? bits ^ (std::uint64_t{1} << 63) : ~bits;
            const double v = std::bit_cast<double>(bits);
            if (!std::isfinite(v)) {
                damaged("field " + field.name + " holds no finite number");
            }
            return Value::ofReal(v);
        }
        case FieldKind::Logical:
            return Value::ofInteger((static_cast<unsigned char>(data[0]) & 0x7F) != 0 ? 1 : 0);
        default:
            break;
    }
    return Value::null();
}

Value TableReader::blob(const FieldInfo& field, const char* data) const {
    const int leader = field.size - f::kBlobPointer;
    const char* pointer = data + leader;
    const std::uint32_t offset = le32(pointer);
    const std::uint32_t length = le32(pointer + 4);
    if (length == 0) {
        return Value::null();
    }
    std::string bytes;
    if (offset == 0) {
        if (length > static_cast<std::uint32_t>(leader)) {
            damaged("a memo of field " + field.name +
                    " is longer than its leader and has no block");
        }
        bytes.assign(data, length);
    } else {
        bytes = memoData(offset, length);
    }
    if (field.kind == FieldKind::Graphic && bytes.size() >= f::kGraphicHeader &&
        le16(bytes.data()) == 1 && le16(bytes.data() + 2) == 0x0100 &&
        le32(bytes.data() + 4) == bytes.size() - f::kGraphicHeader) {
        bytes.erase(0, f::kGraphicHeader);
    }
    return Value::ofBlob(std::move(bytes));
}

std::string TableReader::memoData(std::uint32_t offset, std::uint32_t length) const {
    if (!memo_) {
        throw Error(table_->name() + ": the memo file (.MB) beside the table is missing");
    }
    const std::uint32_t index = offset & 0xFF;
    const std::uint64_t block = offset & ~std::uint32_t{0xFF};
    const std::string& name = memo_->name();
    auto bad = [&](const std::string& what) {
        throw Error(name + ": damaged memo file, " + what + " (block at " + std::to_string(block) +
                    ")");
    };
    if (block % f::kMemoChunk != 0 || block == 0) {
        bad("a memo pointer does not point at a block");
    }
    char head[3];
    memo_->read(block, sizeof head, head);
    const auto type = static_cast<std::uint8_t>(head[0]);
    const std::uint64_t blockBytes = static_cast<std::uint64_t>(le16(head + 1)) * f::kMemoChunk;
    if (index == f::kSingleIndex) {
        if (type != f::kMemoSingleBlock) {
            bad("a memo pointer names a block of type " + std::to_string(type));
        }
        char lengthField[4];
        memo_->read(block + f::kSingleLength, sizeof lengthField, lengthField);
        if (le32(lengthField) != length ||
            f::kSingleData + static_cast<std::uint64_t>(length) > blockBytes) {
            bad("the block's length does not match the record's");
        }
        return memo_->read(block + f::kSingleData, length);
    }
    if (type != f::kMemoSubBlock || index >= f::kSubEntryCount) {
        bad("a memo pointer names entry " + std::to_string(index) + " of a block of type " +
            std::to_string(type));
    }
    char entry[f::kSubEntrySize];
    memo_->read(block + f::kSubEntries + index * f::kSubEntrySize, sizeof entry, entry);
    const std::uint32_t start = static_cast<unsigned char>(entry[0]) * 16U;
    const std::uint32_t units = static_cast<unsigned char>(entry[1]);
    if (start < f::kSubEntries + f::kSubEntryCount * f::kSubEntrySize || length > units * 16 ||
        start + length > f::kMemoChunk) {
        bad("entry " + std::to_string(index) + " does not hold the record's memo");
    }
    return memo_->read(block + start, length);
}

}  // namespace paradox
