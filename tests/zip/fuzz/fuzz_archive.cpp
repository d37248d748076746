// libFuzzer target: the ZIP reader on arbitrary bytes. The input is written
// to a file and opened as an archive; every entry is decompressed (output
// dropped, at most 1 MiB each) and a small archive is extracted into a
// scratch folder. Every input must read or fail with zip::Error; aborts when
// a stored name is let out of the folder or anything lands beside it.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "zip/archive.h"
#include "zip/extract.h"
#include "zip/streams.h"

namespace fs = std::filesystem;

namespace {

fs::path base;

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "%s\n", what.c_str());
    std::abort();
}

// Whether path lies inside dir, by its names alone.
bool inside(const fs::path& dir, const fs::path& path) {
    const fs::path relative = path.lexically_normal().lexically_relative(dir);
    return !relative.empty() && *relative.begin() != ".." && relative.is_relative();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    base = fs::path("/dev/shm") / ("korvet-zip-fuzz-" + std::to_string(::getpid()));
    fs::remove_all(base);
    fs::create_directories(base);
    std::atexit([] {
        std::error_code ec;
        fs::remove_all(base, ec);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path file = base / "in.zip";
    const fs::path out = base / "out";
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    try {
        zip::Archive archive(file);
        std::uint64_t total = 0;
        for (const zip::Entry& entry : archive.entries()) {
            total += std::min<std::uint64_t>(entry.size, 1U << 30);
            if (const auto path = zip::safePath(out, entry.name); path && !inside(out, *path)) {
                fail("safePath let out " + entry.name);
            }
            try {
                zip::decompress(entry, archive.data(entry),
                                std::min<std::uint64_t>(entry.size, 1U << 20),
                                [](const char*, size_t) {});
            } catch (const zip::Error&) {
            }
        }
        if (total <= (1U << 20)) {
            fs::create_directories(out);
            try {
                zip::extractAll(archive, out);
            } catch (const zip::Error&) {
            }
            for (const auto& item : fs::directory_iterator(base)) {
                if (item.path() != file && item.path() != out) {
                    fail("written beside the folder: " + item.path().string());
                }
            }
            std::error_code ec;
            fs::remove_all(out, ec);
        }
    } catch (const zip::Error&) {
    }
    return 0;
}
