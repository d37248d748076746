#pragma once
// Small files beside the program: settings, lists, contracts. Writes go to a
// temporary file that is then renamed over the target, so a crash leaves
// either the old or the new content.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Whole file as bytes; nullopt when it cannot be read.
std::optional<std::string> readFile(const std::filesystem::path& path);

// Writes bytes atomically (temporary file, fsync, rename). False on failure;
// the old content then stays untouched.
bool writeFileAtomic(const std::filesystem::path& path, const std::string& bytes);

// Lines of a text file; a line ends at LF, CR LF or a lone CR. A final line
// without an ending counts; an ending at the very end adds no empty line.
std::optional<std::vector<std::string>> readLines(const std::filesystem::path& path);

// The lines of a settings or list file (readLines); nullopt when it is no regular file
// (a folder of that name, say) or cannot be read.
std::optional<std::vector<std::string>> readTextLines(const std::filesystem::path& path);

// Each line followed by CR LF; an empty list gives an empty file.
std::string joinCrLf(const std::vector<std::string>& lines);
bool writeLinesAtomic(const std::filesystem::path& path, const std::vector<std::string>& lines);

// Clears a read-only attribute (adds owner write permission). False when the
// file exists and cannot be made writable.
bool makeWritable(const std::filesystem::path& path);

}  // namespace platform
