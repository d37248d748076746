#include "paradox/pagedfile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace paradox {

namespace {

constexpr std::uint64_t kPageSize = 64 * 1024;
constexpr size_t kPages = 32;

struct Page {
    std::uint64_t number = 0;
    std::uint64_t used = 0;  // last use, for eviction
    bool valid = false;
    bool dirty = false;
    std::unique_ptr<char[]> bytes{new char[kPageSize]};
};

class PagedFile {
  public:
    explicit PagedFile(int fd) : fd_(fd), pages_(kPages) {}

    ssize_t read(char* out, size_t n) {
        if (pos_ >= size_) {
            return 0;
        }
        n = static_cast<size_t>(std::min<std::uint64_t>(n, size_ - pos_));
        return copy(out, nullptr, n);
    }

    ssize_t write(const char* in, size_t n) { return copy(nullptr, in, n); }

    int seek(off64_t* offset, int whence) {
        const std::int64_t base = whence == SEEK_SET   ? 0
                                  : whence == SEEK_CUR ? static_cast<std::int64_t>(pos_)
                                                       : static_cast<std::int64_t>(size_);
        const std::int64_t to = base + *offset;
        if (to < 0) {
            errno = EINVAL;
            return -1;
        }
        pos_ = static_cast<std::uint64_t>(to);
        *offset = to;
        return 0;
    }

    int close() {
        for (Page& page : pages_) {
            flush(page);
        }
        const bool ok = !failed_ && ::ftruncate(fd_, static_cast<off_t>(size_)) == 0;
        return ::close(fd_) == 0 && ok ? 0 : -1;
    }

  private:
    // Copies n bytes at the position out of the pages (out) or into them (in).
    ssize_t copy(char* out, const char* in, size_t n) {
        size_t done = 0;
        while (done < n) {
            Page* page = fetch(pos_ / kPageSize);
            if (page == nullptr) {
                return done > 0 ? static_cast<ssize_t>(done) : -1;
            }
            const std::uint64_t at = pos_ % kPageSize;
            const size_t part =
                static_cast<size_t>(std::min<std::uint64_t>(n - done, kPageSize - at));
            if (in != nullptr) {
                std::memcpy(page->bytes.get() + at, in + done, part);
                page->dirty = true;
            } else {
                std::memcpy(out + done, page->bytes.get() + at, part);
            }
            done += part;
            pos_ += part;
            size_ = in != nullptr ? std::max(size_, pos_) : size_;
        }
        return static_cast<ssize_t>(done);
    }

    Page* fetch(std::uint64_t number) {
        ++clock_;
        for (Page& page : pages_) {
            if (page.valid && page.number == number) {
                page.used = clock_;
                return &page;
            }
        }
        Page& page =
            *std::min_element(pages_.begin(), pages_.end(),
                              [](const Page& a, const Page& b) { return a.used < b.used; });
        if (!flush(page)) {
            return nullptr;
        }
        std::memset(page.bytes.get(), 0, kPageSize);
        const std::uint64_t start = number * kPageSize;
        if (start < written_) {
            const size_t want = static_cast<size_t>(std::min(kPageSize, written_ - start));
            if (::pread(fd_, page.bytes.get(), want, static_cast<off_t>(start)) !=
                static_cast<ssize_t>(want)) {
                failed_ = true;
                return nullptr;
            }
        }
        page.number = number;
        page.valid = true;
        page.dirty = false;
        page.used = clock_;
        return &page;
    }

    // Writes a dirty page's bytes up to the end of the file.
    bool flush(Page& page) {
        if (!page.valid || !page.dirty) {
            return true;
        }
        const std::uint64_t start = page.number * kPageSize;
        const size_t length = static_cast<size_t>(std::min(kPageSize, size_ - start));
        if (::pwrite(fd_, page.bytes.get(), length, static_cast<off_t>(start)) !=
            static_cast<ssize_t>(length)) {
            failed_ = true;
            return false;
        }
        page.dirty = false;
        written_ = std::max(written_, start + length);
        return true;
    }

    int fd_;
    std::vector<Page> pages_;
    std::uint64_t pos_ = 0;
    std::uint64_t size_ = 0;     // of the file as written through the stream
    std::uint64_t written_ = 0;  // of the file on disk
    std::uint64_t clock_ = 0;
    bool failed_ = false;
};

ssize_t readPaged(void* cookie, char* out, size_t n) {
    return static_cast<PagedFile*>(cookie)->read(out, n);
}
ssize_t writePaged(void* cookie, const char* in, size_t n) {
    return static_cast<PagedFile*>(cookie)->write(in, n);
}
int seekPaged(void* cookie, off64_t* offset, int whence) {
    return static_cast<PagedFile*>(cookie)->seek(offset, whence);
}
int closePaged(void* cookie) {
    std::unique_ptr<PagedFile> file(static_cast<PagedFile*>(cookie));
    return file->close();
}

}  // namespace

std::FILE* openPagedFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return nullptr;
    }
    auto file = std::make_unique<PagedFile>(fd);
    std::FILE* stream =
        fopencookie(file.get(), "w+", {readPaged, writePaged, seekPaged, closePaged});
    if (stream == nullptr) {
        ::close(fd);
        return nullptr;
    }
    file.release();
    std::setvbuf(stream, nullptr, _IONBF, 0);
    return stream;
}

}  // namespace paradox
