#include "yuscii/strings.h"

namespace yuscii {

StrMatch MatchStr(std::string_view s, std::string_view find, size_t pos) {
    size_t i = 0;
    while (i < find.size() && pos + i < s.size() && s[pos + i] == find[i]) {
        ++i;
    }
    return {i == find.size(), pos + i};
}

std::string ReplaceAllStr2(std::string_view s, std::string_view find,
                           std::string_view replacement) {
    // An empty find would match everywhere without advancing.
    if (find.empty()) {
        return std::string(s);
    }
    std::string result;
    result.reserve(s.size());
    size_t p = 0;
    while (p < s.size()) {
        StrMatch m = MatchStr(s, find, p);
        if (m.matched) {
            result += replacement;
            p = m.next;
        } else {
            result += s[p];
            ++p;
        }
    }
    return result;
}

namespace {

// Calls visit(begin, length) for each word until it returns false.
template <typename Visit>
void forEachWord(std::string_view s, const Delimiters& delimiters, Visit visit) {
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && delimiters.contains(s[i])) {
            ++i;
        }
        if (i == s.size()) {
            return;
        }
        size_t begin = i;
        while (i < s.size() && !delimiters.contains(s[i])) {
            ++i;
        }
        if (!visit(begin, i - begin)) {
            return;
        }
    }
}

}  // namespace

int WordCount(std::string_view s, const Delimiters& delimiters) {
    int count = 0;
    forEachWord(s, delimiters, [&](size_t, size_t) {
        ++count;
        return true;
    });
    return count;
}

std::string ExtractWord(int n, std::string_view s, const Delimiters& delimiters) {
    std::string word;
    if (n < 1) {
        return word;
    }
    int index = 0;
    forEachWord(s, delimiters, [&](size_t begin, size_t length) {
        if (++index < n) {
            return true;
        }
        word = s.substr(begin, length);
        return false;
    });
    return word;
}

}  // namespace yuscii
