#include "zip/archive.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <optional>

#include "zip/format.h"
#include "zip/streams.h"

namespace zip {

using namespace format;

bool Entry::encrypted() const {
    return (flags & (kFlagEncrypted | kFlagStrongEncryption)) != 0;
}

namespace {

// The end-of-central-directory record: the last signature within the final
// 64 KiB whose comment reaches exactly to the end of the file (or, for
// archives with trailing bytes, the last one at all).
std::optional<size_t> findEndOfCentral(std::string_view bytes) {
    if (bytes.size() < kEndOfCentralSize) {
        return std::nullopt;
    }
    size_t lowest =
        bytes.size() > 0xffff + kEndOfCentralSize ? bytes.size() - 0xffff - kEndOfCentralSize : 0;
    std::optional<size_t> fallback;
    for (size_t at = bytes.size() - kEndOfCentralSize + 1; at-- > lowest;) {
        if (u32At(bytes, at) != kEndOfCentral) {
            continue;
        }
        Reader r(bytes, at + 20);
        size_t commentLength = r.u16();
        if (at + kEndOfCentralSize + commentLength == bytes.size()) {
            return at;
        }
        if (!fallback) {
            fallback = at;
        }
    }
    return fallback;
}

// Zip64 extra field: the values that the fixed fields mark 0xffffffff, in
// this order.
void applyZip64Extra(std::string_view extra, Entry& entry, std::uint64_t* offset, bool sizeMarked,
                     bool compressedMarked, bool offsetMarked) {
    Reader r(extra, 0);
    while (!r.failed() && r.position() + 4 <= extra.size()) {
        std::uint16_t id = r.u16();
        std::uint16_t length = r.u16();
        std::string_view body = r.bytes(length);
        if (r.failed() || id != kZip64Extra) {
            continue;
        }
        Reader z(body, 0);
        if (sizeMarked) {
            entry.size = z.u64();
        }
        if (compressedMarked) {
            entry.compressedSize = z.u64();
        }
        if (offsetMarked && offset != nullptr) {
            *offset = z.u64();
        }
        if (z.failed()) {
            throw Error("damaged Zip64 record of " + entry.name);
        }
        return;
    }
}

bool hasZip64Extra(std::string_view extra) {
    Reader r(extra, 0);
    while (!r.failed() && r.position() + 4 <= extra.size()) {
        std::uint16_t id = r.u16();
        r.skip(r.u16());
        if (!r.failed() && id == kZip64Extra) {
            return true;
        }
    }
    return false;
}

}  // namespace

Archive::Archive(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        throw Error("Cannot open " + path.string());
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw Error("Cannot read " + path.string());
    }
    size_t size = static_cast<size_t>(st.st_size);
    if (size > 0) {
        map_ = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (map_ == MAP_FAILED) {
            map_ = nullptr;
            ::close(fd);
            throw Error("Cannot read " + path.string());
        }
        bytes_ = std::string_view(static_cast<const char*>(map_), size);
    }
    ::close(fd);
    try {
        if (!readCentralDirectory()) {
            entries_.clear();
            scanned_ = true;
            scanLocalHeaders();
        }
    } catch (...) {
        if (map_ != nullptr) {
            munmap(map_, bytes_.size());
        }
        throw;
    }
}

Archive::~Archive() {
    if (map_ != nullptr) {
        munmap(map_, bytes_.size());
    }
}

std::string_view Archive::data(const Entry& entry) const {
    if (entry.dataOffset > bytes_.size() ||
        entry.compressedSize > bytes_.size() - entry.dataOffset) {
        throw Error("The data of " + entry.name + " lies outside the archive");
    }
    return bytes_.substr(entry.dataOffset, entry.compressedSize);
}

// False when the directory is missing or damaged.
bool Archive::readCentralDirectory() {
    auto end = findEndOfCentral(bytes_);
    if (!end) {
        return false;
    }
    Reader e(bytes_, *end + 4);
    e.skip(4);  // disk numbers
    std::uint64_t count = e.u16();
    e.skip(2);
    std::uint64_t dirSize = e.u32();
    std::uint64_t dirOffset = e.u32();
    size_t commentLength = e.u16();
    comment_ = std::string(e.bytes(std::min(commentLength, bytes_.size() - e.position())));

    // Zip64: the locator right before the record points at the larger record.
    if (*end >= kLocatorSize && u32At(bytes_, *end - kLocatorSize) == kEndOfCentral64Locator) {
        Reader l(bytes_, *end - kLocatorSize + 8);
        std::uint64_t at = l.u64();
        if (at < bytes_.size() && u32At(bytes_, at) == kEndOfCentral64) {
            Reader z(bytes_, at + 24);
            z.skip(8);  // entries on this disk
            count = z.u64();
            dirSize = z.u64();
            dirOffset = z.u64();
            if (z.failed()) {
                return false;
            }
        }
    }
    if (dirOffset > bytes_.size() || dirSize > bytes_.size() - dirOffset ||
        count > dirSize / kCentralHeaderSize + 1) {
        return false;
    }
    Reader c(bytes_, dirOffset);
    for (std::uint64_t i = 0; i < count; ++i) {
        if (c.u32() != kCentralHeader) {
            return false;
        }
        Entry entry;
        c.skip(4);  // versions
        entry.flags = c.u16();
        entry.method = c.u16();
        c.skip(4);  // time, date
        entry.crc = c.u32();
        std::uint32_t compressed = c.u32();
        std::uint32_t size = c.u32();
        size_t nameLength = c.u16();
        size_t extraLength = c.u16();
        size_t commentLen = c.u16();
        c.skip(8);  // disk, attributes
        std::uint64_t local = c.u32();
        entry.name = std::string(c.bytes(nameLength));
        std::string_view extra = c.bytes(extraLength);
        c.skip(commentLen);
        if (c.failed()) {
            return false;
        }
        entry.compressedSize = compressed;
        entry.size = size;
        applyZip64Extra(extra, entry, &local, size == kZip64Marker, compressed == kZip64Marker,
                        local == kZip64Marker);
        // The data follows the local header, whose name and extra lengths
        // may differ from the central ones.
        Reader h(bytes_, local);
        if (h.u32() != kLocalHeader) {
            return false;
        }
        h.skip(22);
        size_t localName = h.u16();
        size_t localExtra = h.u16();
        h.skip(localName + localExtra);
        if (h.failed()) {
            return false;
        }
        entry.dataOffset = h.position();
        entries_.push_back(std::move(entry));
    }
    return true;
}

// Walks the local headers from the start of the file. Entries streamed with
// a data descriptor find their end by decompressing (deflate, bzip2) or by
// the descriptor's signature and size (stored).
void Archive::scanLocalHeaders() {
    size_t at = 0;
    while (at + 4 <= bytes_.size() && u32At(bytes_, at) == kLocalHeader) {
        if (at + kLocalHeaderSize > bytes_.size()) {
            throw Error("The archive is damaged: a local header is cut off");
        }
        Reader h(bytes_, at + 4);
        Entry entry;
        h.skip(2);
        entry.flags = h.u16();
        entry.method = h.u16();
        h.skip(4);
        entry.crc = h.u32();
        std::uint32_t compressed = h.u32();
        std::uint32_t size = h.u32();
        size_t nameLength = h.u16();
        size_t extraLength = h.u16();
        entry.name = std::string(h.bytes(nameLength));
        std::string_view extra = h.bytes(extraLength);
        if (h.failed()) {
            throw Error("The archive is damaged: a local header is cut off");
        }
        entry.compressedSize = compressed;
        entry.size = size;
        entry.dataOffset = h.position();
        bool zip64 = hasZip64Extra(extra);
        applyZip64Extra(extra, entry, nullptr, size == kZip64Marker, compressed == kZip64Marker,
                        false);
        if ((entry.flags & kFlagDataDescriptor) != 0) {
            std::string_view rest = bytes_.substr(entry.dataOffset);
            entry.compressedSize = streamLength(entry, rest);
            Reader d(bytes_, entry.dataOffset + entry.compressedSize);
            std::uint32_t first = d.u32();
            if (first != kDataDescriptor) {
                d = Reader(bytes_, entry.dataOffset + entry.compressedSize);  // no signature
            }
            entry.crc = d.u32();
            if (zip64) {
                d.skip(8);
                entry.size = d.u64();
            } else {
                d.skip(4);
                entry.size = d.u32();
            }
            if (d.failed()) {
                throw Error("The archive is damaged: the data descriptor of " + entry.name +
                            " is cut off");
            }
            at = d.position();
        } else {
            if (entry.compressedSize > bytes_.size() - entry.dataOffset) {
                throw Error("The archive is damaged: the data of " + entry.name + " is cut off");
            }
            at = entry.dataOffset + entry.compressedSize;
        }
        entries_.push_back(std::move(entry));
    }
}

}  // namespace zip
