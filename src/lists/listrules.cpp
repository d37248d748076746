#include "lists/listrules.h"

#include <algorithm>
#include <cstdlib>

namespace lists {
namespace {

unsigned char fold(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

// dd/mm/yyyy as a comparable number, or -1 when the text is no valid date.
long long dateKey(const std::string& s) {
    int d = 0, m = 0, y = 0;
    size_t i = 0;
    auto number = [&](int& out, size_t maxDigits) {
        size_t start = i;
        while (i < s.size() && i - start < maxDigits && s[i] >= '0' && s[i] <= '9') {
            out = out * 10 + (s[i] - '0');
            ++i;
        }
        return i > start;
    };
    if (!number(d, 2) || i >= s.size() || s[i++] != '/' || !number(m, 2) || i >= s.size() ||
        s[i++] != '/' || !number(y, 4) || i != s.size()) {
        return -1;
    }
    static const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1 || d > days[m - 1]) {
        return -1;
    }
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (m == 2 && d == 29 && !leap) {
        return -1;
    }
    return static_cast<long long>(y) * 10000 + m * 100 + d;
}

}  // namespace

int compareText(const std::string& a, const std::string& b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int ca = fold(static_cast<unsigned char>(a[i]));
        int cb = fold(static_cast<unsigned char>(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

int compareTitle(const std::string& a, const std::string& b) {
    return (a.empty() || b.empty()) ? 0 : compareText(a, b);
}

int comparePlain(const std::string& a, const std::string& b) {
    return (a.empty() || b.empty()) ? 0 : compareText(a, b);
}

int compareYearFirst(const std::string& a, const std::string& b) {
    if (a.size() < 4 || b.size() < 4) {
        return 0;
    }
    int years = compareText(a.substr(a.size() - 4), b.substr(b.size() - 4));
    return years != 0 ? years : compareText(a, b);
}

int compareDate(const std::string& a, const std::string& b) {
    long long ka = dateKey(a), kb = dateKey(b);
    if (ka < 0 || kb < 0) {
        return 0;
    }
    return sign(static_cast<int>(ka > kb) - static_cast<int>(ka < kb));
}

int compareByRule(Rule rule, const std::string& a, const std::string& b) {
    switch (rule) {
        case Rule::Title:
            return compareTitle(a, b);
        case Rule::Plain:
            return comparePlain(a, b);
        case Rule::YearFirst:
            return compareYearFirst(a, b);
        case Rule::Date:
            return compareDate(a, b);
    }
    return 0;
}

int rowIcon(size_t notesLength, long long successor) {
    if (successor != 0) {
        return kArchived;
    }
    return notesLength > kNotesThreshold ? kWithNotes : kDocument;
}

std::vector<size_t> stableOrder(size_t n, const std::function<int(size_t, size_t)>& cmp) {
    std::vector<size_t> order(n), buffer(n);
    for (size_t i = 0; i < n; ++i) {
        order[i] = i;
    }
    for (size_t width = 1; width < n; width *= 2) {
        for (size_t lo = 0; lo < n; lo += 2 * width) {
            size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
            size_t i = lo, j = mid, k = lo;
            while (i < mid && j < hi) {
                // Take from the right only when strictly smaller: stable.
                buffer[k++] = cmp(order[j], order[i]) < 0 ? order[j++] : order[i++];
            }
            while (i < mid) {
                buffer[k++] = order[i++];
            }
            while (j < hi) {
                buffer[k++] = order[j++];
            }
        }
        order.swap(buffer);
    }
    return order;
}

}  // namespace lists
