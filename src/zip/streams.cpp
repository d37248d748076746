#include "zip/streams.h"

#include <bzlib.h>
#include <zlib.h>

#include <vector>

#include "zip/format.h"

namespace zip {

using namespace format;

namespace {

constexpr size_t kChunk = 1 << 16;
// A streamed entry is decompressed only to find its end; past this it is
// taken for a bomb.
constexpr std::uint64_t kScanLimit = 16ULL << 30;

// Output in chunks, stopping before the limit would be passed.
class Output {
  public:
    Output(const Entry& entry, std::uint64_t limit, const Sink& sink)
        : entry_(entry), limit_(limit), sink_(sink) {}

    void put(const char* data, size_t size) {
        if (size > limit_ - written_) {
            throw Error("The entry " + entry_.name + " is larger than it declares");
        }
        written_ += size;
        if (sink_) {
            sink_(data, size);
        }
    }
    std::uint64_t written() const { return written_; }

  private:
    const Entry& entry_;
    std::uint64_t limit_;
    const Sink& sink_;
    std::uint64_t written_ = 0;
};

[[noreturn]] void damaged(const Entry& entry) {
    throw Error("The data of " + entry.name + " is damaged");
}

// Returns the compressed bytes consumed up to the end of the stream.
std::uint64_t inflateRaw(const Entry& entry, std::string_view data, Output& out) {
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) {
        throw Error("Cannot start inflating " + entry.name);
    }
    struct End {
        z_stream& z;
        ~End() { inflateEnd(&z); }
    } end{z};
    std::vector<char> buffer(kChunk);
    size_t offset = 0;
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        if (z.avail_in == 0) {
            size_t piece = std::min<size_t>(data.size() - offset, 1U << 30);
            z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data() + offset));
            z.avail_in = static_cast<uInt>(piece);
            offset += piece;
        }
        z.next_out = reinterpret_cast<Bytef*>(buffer.data());
        z.avail_out = static_cast<uInt>(buffer.size());
        rc = inflate(&z, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END) {
            if (rc != Z_BUF_ERROR || (z.avail_in == 0 && offset == data.size())) {
                damaged(entry);
            }
        }
        out.put(buffer.data(), buffer.size() - z.avail_out);
    }
    return offset - z.avail_in;
}

std::uint64_t bunzip(const Entry& entry, std::string_view data, Output& out) {
    bz_stream b{};
    if (BZ2_bzDecompressInit(&b, 0, 0) != BZ_OK) {
        throw Error("Cannot start decompressing " + entry.name);
    }
    struct End {
        bz_stream& b;
        ~End() { BZ2_bzDecompressEnd(&b); }
    } end{b};
    std::vector<char> buffer(kChunk);
    size_t offset = 0;
    int rc = BZ_OK;
    while (rc != BZ_STREAM_END) {
        if (b.avail_in == 0) {
            if (offset == data.size()) {
                damaged(entry);  // cut off
            }
            size_t piece = std::min<size_t>(data.size() - offset, 1U << 30);
            b.next_in = const_cast<char*>(data.data() + offset);
            b.avail_in = static_cast<unsigned>(piece);
            offset += piece;
        }
        b.next_out = buffer.data();
        b.avail_out = static_cast<unsigned>(buffer.size());
        rc = BZ2_bzDecompress(&b);
        if (rc != BZ_OK && rc != BZ_STREAM_END) {
            damaged(entry);
        }
        out.put(buffer.data(), buffer.size() - b.avail_out);
    }
    return offset - b.avail_in;
}

}  // namespace

void failUnsupported(const Entry& entry) {
    throw Error("Cannot process this file: " + entry.name + " ");
}

std::uint64_t decompress(const Entry& entry, std::string_view data, std::uint64_t limit,
                         const Sink& sink) {
    if (entry.encrypted()) {
        failUnsupported(entry);
    }
    Output out(entry, limit, sink);
    switch (entry.method) {
        case kMethodStored:
            for (size_t at = 0; at < data.size(); at += kChunk) {
                out.put(data.data() + at, std::min(kChunk, data.size() - at));
            }
            break;
        case kMethodDeflate:
            inflateRaw(entry, data, out);
            break;
        case kMethodBzip2:
            bunzip(entry, data, out);
            break;
        default:
            failUnsupported(entry);
    }
    return out.written();
}

std::uint64_t streamLength(const Entry& entry, std::string_view rest) {
    if (entry.encrypted()) {
        failUnsupported(entry);
    }
    Sink none;
    Output out(entry, kScanLimit, none);
    switch (entry.method) {
        case kMethodDeflate:
            return inflateRaw(entry, rest, out);
        case kMethodBzip2:
            return bunzip(entry, rest, out);
        case kMethodStored:
            // The descriptor whose compressed size is the distance to it.
            for (size_t at = 0; at + 16 <= rest.size(); ++at) {
                if (u32At(rest, at) == kDataDescriptor && u32At(rest, at + 8) == at) {
                    return at;
                }
            }
            damaged(entry);
        default:
            failUnsupported(entry);
    }
}

}  // namespace zip
