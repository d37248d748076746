#include "yuscii/transliterate.h"

#include <utility>

#include "yuscii/strings.h"

namespace yuscii {

std::string transliterate(std::string_view text) {
    // In this order: x and X leave ž and Ž (` and @), which the later steps
    // turn into z and Z.
    static constexpr std::pair<std::string_view, std::string_view> kSteps[] = {
        {"w", "nj"}, {"W", "Nj"}, {"q", "lj"}, {"Q", "Lj"},  {"x", "d`"}, {"X", "D@"},
        {"{", "s"},  {"[", "S"},  {"}", "c"},  {"]", "C"},   {"~", "c"},  {"^", "C"},
        {"@", "Z"},  {"`", "z"},  {"|", "dj"}, {"\\", "Dj"},
    };
    std::string out(text);
    for (const auto& [find, replacement] : kSteps) {
        out = ReplaceAllStr2(out, find, replacement);
    }
    return out;
}

}  // namespace yuscii
