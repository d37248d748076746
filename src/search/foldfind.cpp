#include "search/foldfind.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace search {

namespace {

char fold(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isSmallLetter(char c) {
    return c >= 'a' && c <= 'z';
}

}  // namespace

FoldedFinder::FoldedFinder(std::string_view foldedNeedle) : needle_(foldedNeedle) {}

bool FoldedFinder::matchesAt(const char* at) const {
    for (size_t k = 0; k < needle_.size(); ++k) {
        if (fold(at[k]) != needle_[k]) {
            return false;
        }
    }
    return true;
}

size_t FoldedFinder::find(std::string_view text, size_t from) const {
    const size_t m = needle_.size();
    if (m == 0) {
        return from <= text.size() ? from : std::string_view::npos;
    }
    if (from > text.size() || text.size() - from < m) {
        return std::string_view::npos;
    }
    const char* const base = text.data();
    const size_t last = text.size() - m;  // the last start position
    size_t at = from;
#if defined(__SSE2__)
    // A small letter of the needle matches its capital too: compare the
    // text byte with bit 5 set (only A-Z and a-z land on a-z that way).
    const char first = needle_.front();
    const char final = needle_.back();
    const __m128i firstSet = _mm_set1_epi8(static_cast<char>(isSmallLetter(first) ? 0x20 : 0));
    const __m128i finalSet = _mm_set1_epi8(static_cast<char>(isSmallLetter(final) ? 0x20 : 0));
    const __m128i firstByte = _mm_set1_epi8(first);
    const __m128i finalByte = _mm_set1_epi8(final);
    while (at + 16 <= last + 1) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + at));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(base + at + m - 1));
        const __m128i hit = _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a, firstSet), firstByte),
                                          _mm_cmpeq_epi8(_mm_or_si128(b, finalSet), finalByte));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
        while (mask != 0) {
            const auto bit = static_cast<size_t>(__builtin_ctz(mask));
            if (m <= 2 || matchesAt(base + at + bit)) {
                return at + bit;
            }
            mask &= mask - 1;
        }
        at += 16;
    }
#endif
    for (; at <= last; ++at) {
        if (matchesAt(base + at)) {
            return at;
        }
    }
    return std::string_view::npos;
}

}  // namespace search
