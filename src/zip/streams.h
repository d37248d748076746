#pragma once
// Decompression of one entry's data: stored, deflate (zlib) and bzip2
// (libbz2). Output goes to a sink in pieces; it never exceeds the limit.
#include <cstdint>
#include <functional>
#include <string_view>

#include "zip/archive.h"

namespace zip {

using Sink = std::function<void(const char* data, size_t size)>;

// "Cannot process this file: " + the stored name + " ".
[[noreturn]] void failUnsupported(const Entry& entry);

// Decompresses the entry's data into the sink and returns the bytes
// written. Throws Error for another method or an encrypted entry, for
// damaged data, and as soon as the output would pass limit.
std::uint64_t decompress(const Entry& entry, std::string_view data, std::uint64_t limit,
                         const Sink& sink);

// The length of an entry's compressed data when its sizes follow it in a
// data descriptor: found by decompressing, or for stored data by the
// descriptor that names the length it follows. rest runs from the data's
// start to the end of the file.
std::uint64_t streamLength(const Entry& entry, std::string_view rest);

}  // namespace zip
