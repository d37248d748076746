#pragma once
// Random access to the bytes of a table or memo file, every read checked
// against the end: a damaged file can make a read fail, never reach past it.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace paradox {

class ByteSource {
  public:
    virtual ~ByteSource() = default;

    // The name used in messages (the file's path).
    const std::string& name() const { return name_; }
    std::uint64_t size() const { return size_; }

    // Reads exactly n bytes at offset into out; throws Error when any of
    // them lies past the end or the read fails.
    void read(std::uint64_t offset, std::size_t n, char* out) const;
    std::string read(std::uint64_t offset, std::size_t n) const;

  protected:
    ByteSource(std::string name, std::uint64_t size) : name_(std::move(name)), size_(size) {}
    virtual void readAt(std::uint64_t offset, std::size_t n, char* out) const = 0;

  private:
    void check(std::uint64_t offset, std::size_t n) const;

    std::string name_;
    std::uint64_t size_;
};

// The bytes of a file as it is when opened; throws Error when it cannot be
// opened.
std::unique_ptr<ByteSource> openFileBytes(const std::filesystem::path& path);
// Bytes held in memory (tests and fuzzing).
std::unique_ptr<ByteSource> memoryBytes(std::string bytes, std::string name);

}  // namespace paradox
