#include "platform/log.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>

namespace platform {
namespace {

std::filesystem::path& logFile() {
    static std::filesystem::path path;
    return path;
}

std::string timestamp() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

}  // namespace

void log(const std::string& text) {
    const std::string line = "[" + timestamp() + "] " + text + "\n";
    std::fputs(line.c_str(), stderr);
    if (!logFile().empty()) {
        // A log that cannot be written loses the line, nothing else.
        std::ofstream out(logFile(), std::ios::binary | std::ios::app);
        out << line;
    }
}

void setLogFile(const std::filesystem::path& path) {
    logFile() = path;
}

}  // namespace platform
