#pragma once
// Replace-all and the word helpers the searches use. Texts are YUSCII bytes.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace yuscii {

// The result of MatchStr: whether find occurs at the position, and the
// position just after the matched text.
struct StrMatch {
    bool matched = false;
    size_t next = 0;
};

// Whether find occurs in s at pos (0-based), byte for byte and case-sensitive.
// A find that runs past the end of s does not match.
StrMatch MatchStr(std::string_view s, std::string_view find, size_t pos);

// s with every occurrence of find replaced, left to right without overlap;
// replaced text is not scanned again. An empty find leaves s unchanged.
std::string ReplaceAllStr2(std::string_view s, std::string_view find, std::string_view replacement);

// A set of byte values that separate words.
class Delimiters {
  public:
    constexpr explicit Delimiters(std::string_view bytes) {
        for (char ch : bytes) {
            set_[static_cast<unsigned char>(ch)] = true;
        }
    }
    constexpr bool contains(char ch) const { return set_[static_cast<unsigned char>(ch)]; }

  private:
    std::array<bool, 256> set_{};
};

// The set every search uses: the space alone.
inline constexpr Delimiters kSpace{" "};

// Words are maximal runs of bytes outside the delimiter set.
int WordCount(std::string_view s, const Delimiters& delimiters);
// The n-th word (1-based); empty when there are fewer than n words.
std::string ExtractWord(int n, std::string_view s, const Delimiters& delimiters);

// A whole number as the standard integer conversion reads it: leading
// blanks skipped, a "+" or "-", decimal digits or (DecimalOrHex) a "$" or
// "0x" hexadecimal prefix. ok is true when the whole text is a number in the
// 32-bit range; otherwise value holds the number formed by the digits read
// before the first invalid character (0 when there are none).
enum class IntegerForm { Decimal, DecimalOrHex };
struct IntegerText {
    long long value = 0;
    bool ok = false;
};
IntegerText readInteger(std::string_view text, IntegerForm form);

}  // namespace yuscii
