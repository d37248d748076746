#pragma once
// The ZIP file format's records and little-endian reading over bytes that
// may be damaged: every read is checked against the end of the buffer.
#include <cstdint>
#include <cstring>
#include <string_view>

namespace zip::format {

inline constexpr std::uint32_t kLocalHeader = 0x04034b50;
inline constexpr std::uint32_t kCentralHeader = 0x02014b50;
inline constexpr std::uint32_t kEndOfCentral = 0x06054b50;
inline constexpr std::uint32_t kEndOfCentral64 = 0x06064b50;
inline constexpr std::uint32_t kEndOfCentral64Locator = 0x07064b50;
inline constexpr std::uint32_t kDataDescriptor = 0x08074b50;

inline constexpr std::uint16_t kZip64Extra = 0x0001;
inline constexpr std::uint32_t kZip64Marker = 0xffffffffU;

inline constexpr std::uint16_t kFlagEncrypted = 0x0001;
inline constexpr std::uint16_t kFlagDataDescriptor = 0x0008;
inline constexpr std::uint16_t kFlagStrongEncryption = 0x0040;

inline constexpr std::uint16_t kMethodStored = 0;
inline constexpr std::uint16_t kMethodDeflate = 8;
inline constexpr std::uint16_t kMethodBzip2 = 12;

inline constexpr size_t kLocalHeaderSize = 30;
inline constexpr size_t kCentralHeaderSize = 46;
inline constexpr size_t kEndOfCentralSize = 22;
inline constexpr size_t kEndOfCentral64Size = 56;
inline constexpr size_t kLocatorSize = 20;

// A cursor over a byte range; reads past the end set failed() and give 0.
class Reader {
  public:
    Reader(std::string_view bytes, size_t offset) : bytes_(bytes), pos_(offset) {
        failed_ = offset > bytes.size();
    }

    std::uint16_t u16() { return static_cast<std::uint16_t>(take(2)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(take(4)); }
    std::uint64_t u64() { return take(8); }
    std::string_view bytes(size_t count) {
        if (failed_ || bytes_.size() - pos_ < count) {
            failed_ = true;
            return {};
        }
        std::string_view out = bytes_.substr(pos_, count);
        pos_ += count;
        return out;
    }
    void skip(size_t count) { bytes(count); }

    size_t position() const { return pos_; }
    bool failed() const { return failed_; }

  private:
    std::uint64_t take(size_t count) {
        std::string_view b = bytes(count);
        std::uint64_t value = 0;
        for (size_t i = b.size(); i-- > 0;) {
            value = value << 8 | static_cast<unsigned char>(b[i]);
        }
        return value;
    }

    std::string_view bytes_;
    size_t pos_;
    bool failed_;
};

inline std::uint32_t u32At(std::string_view bytes, size_t offset) {
    Reader r(bytes, offset);
    return r.u32();
}

}  // namespace zip::format
