#include "peer.h"

#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "process.h"

namespace bench {

std::optional<std::string> findRipgrep() {
    const char* path = std::getenv("PATH");
    std::string_view rest = path != nullptr ? path : "/usr/bin:/bin";
    while (!rest.empty()) {
        const size_t colon = rest.find(':');
        const std::filesystem::path candidate =
            std::filesystem::path(std::string(rest.substr(0, colon))) / "rg";
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec)) {
            return candidate.string();
        }
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
    return std::nullopt;
}

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    size_t from = 0;
    while (from < text.size()) {
        size_t end = text.find('\n', from);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::string_view line(text.data() + from, end - from);
        if (line.starts_with("./")) {
            line.remove_prefix(2);
        }
        if (!line.empty()) {
            result.emplace_back(line);
        }
        from = end + 1;
    }
    return result;
}

}  // namespace

long long ripgrepFiles(const std::string& rg, const std::filesystem::path& texts,
                       const std::vector<std::string>& words) {
    std::vector<std::string> files;
    for (size_t i = 0; i < words.size(); ++i) {
        std::vector<std::string> argv = {rg,   "--no-config", "--no-messages", "-l", "-i",
                                         "-F", "-e",          words[i],        "--"};
        if (i == 0) {
            argv.push_back(".");
        } else {
            if (files.empty()) {
                break;
            }
            argv.insert(argv.end(), files.begin(), files.end());
        }
        const ProcessResult r = runProgram(argv, texts);
        if (r.exitCode != 0 && r.exitCode != 1) {
            throw std::runtime_error("ripgrep failed on " + texts.string());
        }
        files = lines(r.output);
    }
    return static_cast<long long>(files.size());
}

}  // namespace bench
