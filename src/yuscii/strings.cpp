#include "yuscii/strings.h"

#include <climits>

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

namespace {

int digitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') {
        v = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        v = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        v = c - 'A' + 10;
    }
    return v < base ? v : -1;
}

}  // namespace

IntegerText readInteger(std::string_view text, IntegerForm form) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    const bool hex = form == IntegerForm::DecimalOrHex;
    if (hex && i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (hex && i + 1 < text.size() && text[i] == '0' &&
               (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    // Accumulate while digits last; the magnitude saturates past the 32-bit range.
    const long long limit = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    size_t digits = 0;
    for (; i < text.size(); ++i) {
        const int d = digitValue(text[i], base);
        if (d < 0) {
            break;
        }
        magnitude = magnitude > limit ? magnitude : magnitude * base + d;
        ++digits;
    }
    IntegerText result;
    result.value = negative ? -magnitude : magnitude;
    const bool inRange = negative ? magnitude <= limit : magnitude < limit;
    result.ok = digits > 0 && i == text.size() && inRange;
    return result;
}

}  // namespace yuscii
