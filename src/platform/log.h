#pragma once
// The program's log: what went wrong in words for the developer (the
// engine's English text, file names), never shown in a message box. Each
// line goes to standard error and, once a log file is set, is appended to it.
#include <filesystem>
#include <string>

namespace platform {

// Appends one line, time-stamped.
void log(const std::string& text);

// The file the lines are appended to as well (the program sets
// "korvet.log" beside itself); an empty path writes to standard error only.
void setLogFile(const std::filesystem::path& path);

}  // namespace platform
