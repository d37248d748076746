#include "update/tlogger.h"

#include <unistd.h>

#include <ctime>

namespace update {

TLogger::TLogger(const std::filesystem::path& path) : file_(std::fopen(path.c_str(), "wb")) {}

TLogger::~TLogger() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

void TLogger::WriteLine(const std::string& text) {
    std::lock_guard<std::mutex> hold(lock_);
    if (file_ == nullptr) {
        return;
    }
    std::fwrite(text.data(), 1, text.size(), file_);
    std::fputs("\r\n", file_);
    std::fflush(file_);
    ::fsync(fileno(file_));
}

void TLogger::WriteStamped(const std::string& text) {
    WriteLine("[" + longTime() + "]" + text);
}

std::string longTime() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    size_t n = std::strftime(text, sizeof text, "%X", &local);
    return std::string(text, n);
}

}  // namespace update
