#pragma once
// The document window's work on the shown text, as plain functions on YUSCII
// bytes: the article headings, the find with A-Z case folding, the text
// length of the status bar and the upper-cased search shadow. Positions are
// byte offsets of the plain text, which equal the view's character positions
// (a paragraph break is one character in both).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace viewer {

// Characters 2 to 5 are "lan " (case-sensitive) and character 6 is a digit;
// character 1 is not examined ("^lan 12." and " lan 7" qualify).
bool isArticleHeading(std::string_view line);

// The article list: each heading line of the text in order, without its
// line end; equal headings are all kept.
std::vector<std::string> articleEntries(std::string_view text);

// First position at or after from where needle occurs, comparing A-Z without
// regard to case and every other byte exactly; nullopt when it does not occur
// or is empty.
std::optional<size_t> findFoldAZ(std::string_view text, std::string_view needle, size_t from);

// The text length the status bar shows: every character, a line break
// counted as two (carriage return and line feed).
size_t textLength(std::string_view text);

// The search shadow: the view's text upper-cased with yupperW, and a
// selection that marks the last hit.
class SearchShadow {
  public:
    // Refills the shadow when its text differs from yupperW(viewText); a
    // refill empties the selection. True when it refilled.
    bool sync(std::string_view viewText);

    // Searches word from the end of the selection (0 when it is empty) and
    // selects the hit. The word is expected in capitals (yupperW).
    std::optional<size_t> findNext(std::string_view word);

    void collapse() { start_ = length_ = 0; }
    const std::string& text() const { return text_; }
    size_t selStart() const { return start_; }
    size_t selLength() const { return length_; }

  private:
    std::string text_;
    size_t start_ = 0;
    size_t length_ = 0;
};

}  // namespace viewer
