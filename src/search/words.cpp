#include "search/words.h"

#include <algorithm>

#include "database/lookups.h"
#include "yuscii/strings.h"
#include "yuscii/yuscii.h"

namespace search {

std::vector<std::string> searchWords(std::string_view text) {
    const std::string upper = yuscii::yupperW(text);
    const int count = std::min(yuscii::WordCount(upper, yuscii::kSpace), kMaxWords);
    std::vector<std::string> words;
    words.reserve(static_cast<size_t>(count));
    for (int i = 1; i <= count; ++i) {
        words.push_back(yuscii::ExtractWord(i, upper, yuscii::kSpace));
    }
    return words;
}

bool needsShortTextQuestion(std::string_view text) {
    return text.size() == 1 || text.size() == 2;
}

std::string textForm(std::string_view upperWord) {
    static constexpr std::string_view kSerbianLetters = "~^@]}[{\\|";
    if (database::nadji(upperWord, kSerbianLetters)) {
        return std::string(upperWord);
    }
    return yuscii::ylowerW(upperWord);
}

void foldAZInPlace(std::string& s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
}

std::string foldAZ(std::string_view s) {
    std::string folded(s);
    foldAZInPlace(folded);
    return folded;
}

Rows filterByTitle(const Rows& rows, std::string_view text) {
    const std::string needle = yuscii::yupperW(text);
    Rows kept;
    for (const Row& row : rows) {
        if (database::nadji(needle, yuscii::yupperW(row.caption))) {
            kept.push_back(row);
        }
    }
    return kept;
}

std::vector<size_t> selektuj(const Rows& rows, std::string_view text) {
    if (rows.empty()) {
        return {};
    }
    if (text.empty()) {
        return {0};
    }
    const std::string needle = yuscii::yupperW(text);
    std::vector<size_t> selected;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (database::nadji(needle, yuscii::yupperW(rows[i].caption))) {
            selected.push_back(i);
        }
    }
    return selected;
}

}  // namespace search
