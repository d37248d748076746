#pragma once
// A stdio stream for pxlib over a file through a small cache of pages.
// pxlib reads and writes its files in many tiny pieces with a seek before
// each; through a plain FILE every piece costs system calls, which made a
// large export take minutes. Through this stream they are memory copies.
#include <cstdio>
#include <filesystem>

namespace paradox {

// Creates (or truncates) path and returns an unbuffered read-write stream
// over it; nullptr when the file cannot be made. fclose() writes the cached
// pages out and returns EOF when any write failed.
std::FILE* openPagedFile(const std::filesystem::path& path);

}  // namespace paradox
