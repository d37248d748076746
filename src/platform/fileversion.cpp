// Reads the version stamp from an ELF file's note segments (or, in a file
// without program headers, its note sections). Every offset and size comes
// from the file and is checked against the file's length before use.
#include "platform/fileversion.h"

#include <cstring>
#include <fstream>
#include <optional>
#include <vector>

namespace platform {
namespace {

constexpr std::uint32_t kNoteSegment = 4;  // PT_NOTE
constexpr std::uint32_t kNoteSection = 7;  // SHT_NOTE
constexpr std::uint64_t kMaxNoteBytes = 1 << 20;
constexpr std::size_t kMaxVersion = 64;

struct Region {
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint64_t align = 4;
};

class ElfFile {
  public:
    explicit ElfFile(const std::filesystem::path& path) : in_(path, std::ios::binary) {
        std::error_code ec;
        size_ = std::filesystem::file_size(path, ec);
        if (ec) {
            size_ = 0;
        }
    }

    // Reads the identification; false for anything but a 32- or 64-bit ELF
    // file of either byte order.
    bool open() {
        unsigned char ident[16];
        if (!bytes(0, ident, sizeof ident) || std::memcmp(ident,
                                                          "\x7f"
                                                          "ELF",
                                                          4) != 0) {
            return false;
        }
        if ((ident[4] != 1 && ident[4] != 2) || (ident[5] != 1 && ident[5] != 2)) {
            return false;
        }
        wide_ = ident[4] == 2;
        little_ = ident[5] == 1;
        return true;
    }

    std::vector<Region> noteRegions() {
        auto regions = table(wide_ ? 32 : 28, wide_ ? 54 : 42, wide_ ? 56 : 32, kNoteSegment,
                             Layout{0, wide_ ? 8u : 4u, wide_ ? 32u : 16u, wide_ ? 48u : 28u});
        if (regions.empty()) {
            regions = table(wide_ ? 40 : 32, wide_ ? 58 : 46, wide_ ? 64 : 40, kNoteSection,
                            Layout{4, wide_ ? 24u : 16u, wide_ ? 32u : 20u, wide_ ? 48u : 32u});
        }
        return regions;
    }

    std::optional<std::vector<unsigned char>> read(const Region& region) {
        if (region.size > kMaxNoteBytes || !inside(region.offset, region.size)) {
            return std::nullopt;
        }
        std::vector<unsigned char> data(static_cast<std::size_t>(region.size));
        if (!bytes(region.offset, data.data(), data.size())) {
            return std::nullopt;
        }
        return data;
    }

    std::uint32_t word(const unsigned char* p) const {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            v |= std::uint32_t{p[little_ ? i : 3 - i]} << (8 * i);
        }
        return v;
    }

  private:
    // Where a header of the table holds its type, offset, size and alignment.
    struct Layout {
        unsigned type, offset, size, align;
    };

    bool inside(std::uint64_t offset, std::uint64_t count) const {
        return offset <= size_ && count <= size_ - offset;
    }

    bool bytes(std::uint64_t offset, void* out, std::size_t count) {
        if (!in_ || !inside(offset, count)) {
            return false;
        }
        in_.seekg(static_cast<std::streamoff>(offset));
        return static_cast<bool>(
            in_.read(static_cast<char*>(out), static_cast<std::streamsize>(count)));
    }

    std::uint64_t number(const unsigned char* p, unsigned width) const {
        std::uint64_t v = 0;
        for (unsigned i = 0; i < width; ++i) {
            v |= std::uint64_t{p[little_ ? i : width - 1 - i]} << (8 * i);
        }
        return v;
    }

    bool field(std::uint64_t offset, unsigned width, std::uint64_t& out) {
        unsigned char buf[8];
        if (!bytes(offset, buf, width)) {
            return false;
        }
        out = number(buf, width);
        return true;
    }

    // The entries of the given type in the header table whose position,
    // entry size and count the file header holds at tableAt, entrySizeAt
    // (and entrySizeAt + 2).
    std::vector<Region> table(unsigned tableAt, unsigned entrySizeAt, unsigned minEntry,
                              std::uint32_t wanted, Layout at) {
        std::vector<Region> regions;
        const unsigned width = wide_ ? 8 : 4;
        std::uint64_t start = 0, entrySize = 0, count = 0;
        if (!field(tableAt, width, start) || !field(entrySizeAt, 2, entrySize) ||
            !field(entrySizeAt + 2, 2, count) || start == 0 || entrySize < minEntry) {
            return regions;
        }
        std::vector<unsigned char> entry(static_cast<std::size_t>(entrySize));
        for (std::uint64_t i = 0; i < count; ++i) {
            if (!bytes(start + i * entrySize, entry.data(), entry.size())) {
                break;
            }
            if (number(entry.data() + at.type, 4) != wanted) {
                continue;
            }
            Region r;
            r.offset = number(entry.data() + at.offset, width);
            r.size = number(entry.data() + at.size, width);
            r.align = number(entry.data() + at.align, width) == 8 ? 8 : 4;
            regions.push_back(r);
        }
        return regions;
    }

    std::ifstream in_;
    std::uint64_t size_ = 0;
    bool wide_ = false;
    bool little_ = true;
};

std::uint64_t padded(std::uint64_t n, std::uint64_t align) {
    return (n + align - 1) / align * align;
}

// The stamp's text among the notes of one region; empty when there is none.
std::string stampIn(const ElfFile& file, const std::vector<unsigned char>& data,
                    std::uint64_t align) {
    std::uint64_t pos = 0;
    while (data.size() >= 12 && pos <= data.size() - 12) {
        const std::uint64_t nameSize = file.word(&data[pos]);
        const std::uint64_t textSize = file.word(&data[pos + 4]);
        const std::uint32_t type = file.word(&data[pos + 8]);
        const std::uint64_t name = pos + 12;
        const std::uint64_t text = name + padded(nameSize, align);
        const std::uint64_t next = text + padded(textSize, align);
        if (next > data.size()) {
            break;
        }
        if (type == stamp::kType && nameSize == sizeof stamp::kOwner &&
            std::memcmp(&data[name], stamp::kOwner, sizeof stamp::kOwner) == 0) {
            // Printable text ending in its one NUL; anything else is damage.
            if (textSize < 2 || textSize > kMaxVersion + 1 || data[text + textSize - 1] != 0) {
                return {};
            }
            std::string version;
            for (std::uint64_t i = 0; i + 1 < textSize; ++i) {
                const unsigned char c = data[text + i];
                if (c < 0x20 || c > 0x7e) {
                    return {};
                }
                version.push_back(static_cast<char>(c));
            }
            return version;
        }
        pos = next;
    }
    return {};
}

}  // namespace

std::string fileVersion(const std::filesystem::path& path) {
    ElfFile file(path);
    if (!file.open()) {
        return {};
    }
    for (const Region& region : file.noteRegions()) {
        if (auto data = file.read(region)) {
            if (auto version = stampIn(file, *data, region.align); !version.empty()) {
                return version;
            }
        }
    }
    return {};
}

}  // namespace platform
