#include "paradox/bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "paradox/types.h"

namespace paradox {

void ByteSource::check(std::uint64_t offset, std::size_t n) const {
    if (offset > size_ || n > size_ - offset) {
        throw Error(name_ + ": damaged, " + std::to_string(n) + " bytes at offset " +
                    std::to_string(offset) + " lie past the end of the file (" +
                    std::to_string(size_) + " bytes)");
    }
}

void ByteSource::read(std::uint64_t offset, std::size_t n, char* out) const {
    check(offset, n);
    if (n > 0) {
        readAt(offset, n, out);
    }
}

std::string ByteSource::read(std::uint64_t offset, std::size_t n) const {
    check(offset, n);
    std::string bytes(n, '\0');
    if (n > 0) {
        readAt(offset, n, bytes.data());
    }
    return bytes;
}

namespace {

class FileBytes : public ByteSource {
  public:
    FileBytes(std::string name, int fd, std::uint64_t size)
        : ByteSource(std::move(name), size), fd_(fd) {}
    ~FileBytes() override { ::close(fd_); }
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

  protected:
    void readAt(std::uint64_t offset, std::size_t n, char* out) const override {
        while (n > 0) {
            const ssize_t got = ::pread(fd_, out, n, static_cast<off_t>(offset));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                throw Error(name() + ": cannot read (" +
                            (got < 0 ? std::string(std::strerror(errno)) : "file shrank") + ")");
            }
            out += got;
            n -= static_cast<std::size_t>(got);
            offset += static_cast<std::uint64_t>(got);
        }
    }

  private:
    int fd_;
};

class MemoryBytes : public ByteSource {
  public:
    MemoryBytes(std::string bytes, std::string name)
        : ByteSource(std::move(name), bytes.size()), bytes_(std::move(bytes)) {}

  protected:
    void readAt(std::uint64_t offset, std::size_t n, char* out) const override {
        std::memcpy(out, bytes_.data() + offset, n);
    }

  private:
    std::string bytes_;
};

}  // namespace

std::unique_ptr<ByteSource> openFileBytes(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        throw Error(path.string() + ": cannot open (" + std::strerror(errno) + ")");
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw Error(path.string() + ": not a regular file");
    }
    return std::make_unique<FileBytes>(path.string(), fd, static_cast<std::uint64_t>(st.st_size));
}

std::unique_ptr<ByteSource> memoryBytes(std::string bytes, std::string name) {
    return std::make_unique<MemoryBytes>(std::move(bytes), std::move(name));
}

}  // namespace paradox
