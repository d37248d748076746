#pragma once
// Substring search with A-Z folded to a-z on the text side: the needle is
// given folded already; every other byte, the YUSCII letters included,
// compares exactly. Sixteen text bytes at a time where the processor has
// SSE2, tested on the needle's first and last byte before the rest.
#include <cstddef>
#include <string>
#include <string_view>

namespace search {

class FoldedFinder {
  public:
    explicit FoldedFinder(std::string_view foldedNeedle);

    // The first position at or after from where the needle occurs in the
    // folded text; npos when it does not. An empty needle occurs at from.
    size_t find(std::string_view text, size_t from = 0) const;
    bool occursIn(std::string_view text) const { return find(text) != std::string_view::npos; }

  private:
    bool matchesAt(const char* at) const;

    std::string needle_;
};

}  // namespace search
