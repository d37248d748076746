#include "zip/extract.h"

#include <zlib.h>

#include <cstdio>
#include <memory>

#include "zip/streams.h"

namespace fs = std::filesystem;

namespace zip {

namespace {

bool isDriveLetter(const std::string& segment) {
    return segment.size() >= 2 && segment[1] == ':' &&
           ((segment[0] >= 'A' && segment[0] <= 'Z') || (segment[0] >= 'a' && segment[0] <= 'z'));
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

void writeEntry(const Archive& archive, const Entry& entry, const fs::path& target) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(target.c_str(), "wb"));
    if (!file) {
        throw Error("Cannot write " + target.string());
    }
    uLong crc = crc32(0, nullptr, 0);
    std::uint64_t written =
        decompress(entry, archive.data(entry), entry.size, [&](const char* data, size_t size) {
            crc = crc32_z(crc, reinterpret_cast<const Bytef*>(data), size);
            if (std::fwrite(data, 1, size, file.get()) != size) {
                throw Error("Cannot write " + target.string());
            }
        });
    if (std::fflush(file.get()) != 0) {
        throw Error("Cannot write " + target.string());
    }
    if (written != entry.size) {
        throw Error("The entry " + entry.name + " is shorter than it declares");
    }
    if (crc != entry.crc) {
        throw Error("CRC error in " + entry.name);
    }
}

}  // namespace

std::optional<fs::path> safePath(const fs::path& dir, const std::string& name) {
    if (name.empty() || name.front() == '/' || name.front() == '\\') {
        return std::nullopt;
    }
    fs::path relative;
    std::string segment;
    auto take = [&]() {
        if (segment == "..") {
            return false;
        }
        if (!segment.empty() && segment != ".") {
            relative /= segment;
        }
        segment.clear();
        return true;
    };
    for (size_t i = 0; i < name.size(); ++i) {
        char c = name[i];
        if (c == '\0') {
            return std::nullopt;
        }
        if (c == '/' || c == '\\') {
            if (isDriveLetter(segment) || !take()) {
                return std::nullopt;
            }
        } else {
            segment += c;
        }
    }
    if (isDriveLetter(segment) || !take() || relative.empty()) {
        return std::nullopt;
    }
    return dir / relative;
}

void extractAll(const Archive& archive, const fs::path& dir, const Progress& progress) {
    std::uint64_t total = 0;
    for (const Entry& entry : archive.entries()) {
        if (!safePath(dir, entry.name)) {
            throw Error("Refused an entry that would land outside " + dir.string() + ": " +
                        entry.name);
        }
        if (entry.size > UINT64_MAX - total) {
            throw Error("The archive declares more data than can be written");
        }
        total += entry.size;
    }
    std::error_code ec;
    const fs::space_info space = fs::space(dir, ec);
    if (ec) {
        throw Error("Cannot read the free space of " + dir.string());
    }
    if (total > space.available) {
        throw Error("The archive declares " + std::to_string(total) + " bytes, more than the " +
                    std::to_string(space.available) + " free on the disk");
    }
    for (const Entry& entry : archive.entries()) {
        if (progress) {
            progress(entry);
        }
        const fs::path target = *safePath(dir, entry.name);
        if (entry.isFolder()) {
            fs::create_directories(target, ec);
            if (ec) {
                throw Error("Cannot create the folder " + target.string());
            }
            continue;
        }
        fs::create_directories(target.parent_path(), ec);
        if (fs::is_symlink(target, ec)) {
            fs::remove(target, ec);  // written in place of the link, never through it
        }
        writeEntry(archive, entry, target);
    }
}

}  // namespace zip
