#pragma once
// A ZIP archive opened for reading: its entries from the central directory,
// or, when that is damaged or missing, from a scan of the local entry
// headers. The file is mapped read-only; every record is bounds-checked.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zip {

// Every failure of the reader; the text goes to the log.
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct Entry {
    std::string name;  // as stored
    std::uint16_t method = 0;
    std::uint16_t flags = 0;
    std::uint32_t crc = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0;        // declared uncompressed size
    std::uint64_t dataOffset = 0;  // first byte of the compressed data

    bool isFolder() const { return !name.empty() && (name.back() == '/' || name.back() == '\\'); }
    bool encrypted() const;
};

class Archive {
  public:
    // Opens the file. Throws Error when it cannot be read. A file that is
    // not a ZIP archive opens with no entries.
    explicit Archive(const std::filesystem::path& path);
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    const std::vector<Entry>& entries() const { return entries_; }
    const std::string& comment() const { return comment_; }
    // True when the entries came from a scan of the local headers.
    bool scanned() const { return scanned_; }

    // The compressed bytes of an entry.
    std::string_view data(const Entry& entry) const;

  private:
    bool readCentralDirectory();
    void scanLocalHeaders();

    std::string_view bytes_;
    void* map_ = nullptr;
    std::vector<Entry> entries_;
    std::string comment_;
    bool scanned_ = false;
};

}  // namespace zip
