#pragma once
// Small files beside the program: settings, lists, contracts. Writes go to a
// temporary file that is then renamed over the target, so a crash leaves
// either the old or the new content.
//
// A folder that forbids new files (a read-only folder holding writable
// files) cannot take the temporary file; the file is then written in place.
// Its old content first goes to a journal in the user's state folder
// ($XDG_STATE_HOME/korvet/saves); a failure writes it back at once, a crash
// leaves the journal, and recoverInterruptedSaves at the next start writes it
// back. Without a journal there is no in-place save. So after any failure or
// crash, and the next start, the file holds its old or its new content.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Whole file as bytes; nullopt when it cannot be read.
std::optional<std::string> readFile(const std::filesystem::path& path);

// Writes bytes atomically (temporary file, fsync, rename; in place as above
// when the folder forbids new files). The file keeps its permissions. False
// on failure; the old content then stays.
bool writeFileAtomic(const std::filesystem::path& path, const std::string& bytes);

// Lines of a text; a line ends at LF, CR LF or a lone CR. A final line
// without an ending counts; an ending at the very end adds no empty line.
std::vector<std::string> splitLines(std::string_view text);

// The lines of a text file (splitLines); nullopt when it cannot be read.
std::optional<std::vector<std::string>> readLines(const std::filesystem::path& path);

// The lines of a settings or list file (readLines); nullopt when it is no regular file
// (a folder of that name, say) or cannot be read.
std::optional<std::vector<std::string>> readTextLines(const std::filesystem::path& path);

// Each line followed by CR LF; an empty list gives an empty file.
std::string joinCrLf(const std::vector<std::string>& lines);
bool writeLinesAtomic(const std::filesystem::path& path, const std::vector<std::string>& lines);

// Undoes what saves cut short by a crash left: removes their temporary
// files beside the targets in dir and puts back the old content of files
// that were being written in place. Run at start (setProgramDir does).
void recoverInterruptedSaves(const std::filesystem::path& dir);

// Text fit to quote in a message or a log line: control bytes (C0, DEL and
// the C1 controls of UTF-8) become \xNN; all else stays.
std::string printable(std::string_view text);

// Clears a read-only attribute (adds owner write permission). False when the
// file exists and cannot be made writable.
bool makeWritable(const std::filesystem::path& path);

}  // namespace platform
