#include "zip/writer.h"

#include <bzlib.h>
#include <zlib.h>

#include <cstdio>
#include <fstream>

#include "zip/format.h"

namespace zip {

using namespace format;

namespace {

std::string deflateRaw(const std::string& in) {
    z_stream z{};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK) {
        throw Error("Cannot start deflating");
    }
    std::string out(deflateBound(&z, in.size()), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    int rc = deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    if (rc != Z_STREAM_END) {
        throw Error("Cannot deflate");
    }
    return out;
}

std::string bzip(const std::string& in) {
    unsigned length = static_cast<unsigned>(in.size() + in.size() / 100 + 600);
    std::string out(length, '\0');
    int rc = BZ2_bzBuffToBuffCompress(out.data(), &length, const_cast<char*>(in.data()),
                                      static_cast<unsigned>(in.size()), 9, 0, 0);
    if (rc != BZ_OK) {
        throw Error("Cannot compress with bzip2");
    }
    out.resize(length);
    return out;
}

void put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xff);
    out += static_cast<char>(value >> 8 & 0xff);
}
void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

}  // namespace

void Writer::add(const std::string& name, const std::string& content, Method method) {
    if (content.size() >= kZip64Marker) {
        throw Error("The entry " + name + " is too large");
    }
    Item item{name, kMethodStored, 0, content.size(), {}};
    item.crc = static_cast<std::uint32_t>(crc32_z(
        crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(content.data()), content.size()));
    switch (method) {
        case Method::Stored:
            item.data = content;
            break;
        case Method::Deflate:
            item.method = kMethodDeflate;
            item.data = deflateRaw(content);
            break;
        case Method::Bzip2:
            item.method = kMethodBzip2;
            item.data = bzip(content);
            break;
    }
    items_.push_back(std::move(item));
}

void Writer::write(const std::filesystem::path& path, const std::string& comment) const {
    std::string central;
    const std::filesystem::path part = path.string() + ".part";
    std::ofstream out(part, std::ios::binary | std::ios::trunc);
    std::uint64_t offset = 0;
    constexpr unsigned kTime = 0, kDate = (2000 - 1980) << 9 | 1 << 5 | 1;
    for (const Item& item : items_) {
        unsigned version = item.method == kMethodBzip2 ? 46 : 20;
        // The fields from the version needed to the extra length are the
        // same in both headers.
        std::string common;
        put16(common, version);
        put16(common, 0);
        put16(common, item.method);
        put16(common, kTime);
        put16(common, kDate);
        put32(common, item.crc);
        put32(common, static_cast<std::uint32_t>(item.data.size()));
        put32(common, static_cast<std::uint32_t>(item.size));
        put16(common, static_cast<unsigned>(item.name.size()));
        put16(common, 0);
        std::string header;
        put32(header, kLocalHeader);
        header += common + item.name;
        if (offset + header.size() + item.data.size() >= kZip64Marker) {
            throw Error("The archive would be too large");
        }
        put32(central, kCentralHeader);
        put16(central, version);  // made by
        central += common;
        put16(central, 0);  // comment length
        put16(central, 0);
        put16(central, 0);
        put32(central, 0);
        put32(central, static_cast<std::uint32_t>(offset));
        central += item.name;
        out.write(header.data(), static_cast<std::streamsize>(header.size()));
        out.write(item.data.data(), static_cast<std::streamsize>(item.data.size()));
        offset += header.size() + item.data.size();
    }
    std::string end;
    put32(end, kEndOfCentral);
    put16(end, 0);
    put16(end, 0);
    put16(end, static_cast<unsigned>(items_.size()));
    put16(end, static_cast<unsigned>(items_.size()));
    put32(end, static_cast<std::uint32_t>(central.size()));
    put32(end, static_cast<std::uint32_t>(offset));
    put16(end, static_cast<unsigned>(comment.size()));
    end += comment;
    out.write(central.data(), static_cast<std::streamsize>(central.size()));
    out.write(end.data(), static_cast<std::streamsize>(end.size()));
    out.close();
    std::error_code ec;
    if (!out || (std::filesystem::rename(part, path, ec), ec)) {
        std::filesystem::remove(part, ec);
        throw Error("Cannot write the archive " + path.string());
    }
}

}  // namespace zip
