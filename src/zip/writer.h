#pragma once
// Writes a ZIP archive: stored, deflate or bzip2 entries, with a central
// directory. For update archives and tests; entries up to 4 GiB.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "zip/archive.h"

namespace zip {

enum class Method { Stored, Deflate, Bzip2 };

class Writer {
  public:
    Writer() = default;

    // Adds an entry with the given stored name and content.
    void add(const std::string& name, const std::string& content, Method method = Method::Deflate);

    // Writes the archive to path (through a temporary file renamed when
    // complete). Throws Error when it cannot be written.
    void write(const std::filesystem::path& path, const std::string& comment = {}) const;

  private:
    struct Item {
        std::string name;
        std::uint16_t method;
        std::uint32_t crc;
        std::uint64_t size;
        std::string data;
    };
    std::vector<Item> items_;
};

}  // namespace zip
