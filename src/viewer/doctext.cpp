#include "viewer/doctext.h"

#include <algorithm>

#include "yuscii/yuscii.h"

namespace viewer {
namespace {

char foldAZ(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool isArticleHeading(std::string_view line) {
    return line.size() >= 6 && line.substr(1, 4) == "lan " && line[5] >= '0' && line[5] <= '9';
}

std::vector<std::string> articleEntries(std::string_view text) {
    std::vector<std::string> entries;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (isArticleHeading(line)) {
            entries.emplace_back(line);
        }
        start = end + 1;
    }
    return entries;
}

std::optional<size_t> findFoldAZ(std::string_view text, std::string_view needle, size_t from) {
    if (needle.empty() || from > text.size() || needle.size() > text.size() - from) {
        return std::nullopt;
    }
    const auto it =
        std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), needle.begin(),
                    needle.end(), [](char a, char b) { return foldAZ(a) == foldAZ(b); });
    if (it == text.end()) {
        return std::nullopt;
    }
    return static_cast<size_t>(it - text.begin());
}

size_t textLength(std::string_view text) {
    return text.size() + static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

bool SearchShadow::sync(std::string_view viewText) {
    std::string upper = yuscii::yupperW(viewText);
    if (upper == text_) {
        return false;
    }
    text_ = std::move(upper);
    collapse();
    return true;
}

std::optional<size_t> SearchShadow::findNext(std::string_view word) {
    const size_t from = length_ > 0 ? start_ + length_ : 0;
    if (word.empty() || from > text_.size()) {
        return std::nullopt;
    }
    const size_t p = text_.find(word, from);
    if (p == std::string::npos) {
        return std::nullopt;
    }
    start_ = p;
    length_ = word.size();
    return p;
}

}  // namespace viewer
