#pragma once
// The layout of Paradox table (.DB) and memo (.MB) files, as far as the
// reader needs it. Numbers in headers are little-endian; field values in
// records are big-endian with the sign bit flipped, so that an all-zero
// field is blank.
#include <cstdint>

namespace paradox::format {

// Table header.
inline constexpr int kRecordSize = 0x00;         // uint16
inline constexpr int kHeaderSize = 0x02;         // uint16: data blocks start here
inline constexpr int kFileType = 0x04;           // byte: 0 keyed table, 2 unkeyed table
inline constexpr int kMaxTableSize = 0x05;       // byte: block size in KB
inline constexpr int kNumRecords = 0x06;         // int32
inline constexpr int kFileBlocks = 0x0C;         // uint16: blocks in the file
inline constexpr int kFirstBlock = 0x0E;         // uint16: first block of the chain, 1-based
inline constexpr int kNumFields = 0x21;          // uint16
inline constexpr int kEncryption1 = 0x25;        // uint32
inline constexpr int kFileVersion = 0x39;        // byte: 3 .. 12
inline constexpr int kEncryption2 = 0x5C;        // uint32, in the extended header
inline constexpr int kBaseHeaderEnd = 0x58;      // field descriptors of old versions
inline constexpr int kExtendedHeaderEnd = 0x78;  // field descriptors from version 4.0
inline constexpr std::uint32_t kNoEncryption1 = 0xFF00FF00;  // see encryption2

inline constexpr std::uint8_t kFileTypeKeyed = 0;
inline constexpr std::uint8_t kFileTypeUnkeyed = 2;
inline constexpr std::uint8_t kFirstExtendedVersion = 5;  // 4.0
inline constexpr std::uint8_t kLongNameVersion = 12;      // 7.0: long table name
inline constexpr int kShortTableName = 79;
inline constexpr int kLongTableName = 261;

// Data block: next block, previous block (uint16), offset of the last
// record (int16; negative when the block is empty), then the records.
inline constexpr int kBlockHeader = 6;

// The pointer at the end of a blob field: offset in the memo file (uint32;
// the low byte is the index in a suballocated block, 0xFF for a block of
// its own; 0 when the data is all in the leader), length (uint32) and
// modification number (uint16).
inline constexpr int kBlobPointer = 10;

// Memo file: 4 KB chunks. A block starts with its type byte and its size
// in chunks (uint16).
inline constexpr std::uint32_t kMemoChunk = 4096;
inline constexpr std::uint8_t kMemoHeaderBlock = 0;
inline constexpr std::uint8_t kMemoSingleBlock = 2;  // one blob: length uint32 at 3, data at 9
inline constexpr std::uint8_t kMemoSubBlock = 3;     // up to 64 small blobs
inline constexpr int kSingleLength = 3;
inline constexpr int kSingleData = 9;
// Suballocated block: 64 entries of 5 bytes from offset 12: data offset in
// 16-byte units, length in 16-byte units (rounded up), modification number
// (uint16), length modulo 16.
inline constexpr int kSubEntries = 12;
inline constexpr int kSubEntrySize = 5;
inline constexpr int kSubEntryCount = 64;
inline constexpr std::uint8_t kSingleIndex = 0xFF;

// A graphic field's data starts with this header before the picture file:
// count 1 (uint16), type 0x0100 (uint16), picture size (uint32).
inline constexpr int kGraphicHeader = 8;

}  // namespace paradox::format
