#pragma once
// The words of a keyword search found again in one document's plain text:
// every occurrence for the document window's highlights, and the first one
// with the text around it for the hit context under the result lists. The
// word rule is the text test of the search the words came from: A-Z folded
// only, a part of a word counts; a regulation's words are looked for in
// their small form (textForm), an opinion's as typed (upper case), so a
// capital Serbian letter finds the small one only where the search would.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace search {

enum class HitRule { Regulation, Opinion };

// The words of the search that listed a document; no words, no hits.
struct HitWords {
    std::vector<std::string> words;  // upper-cased (searchWords)
    HitRule rule = HitRule::Regulation;

    bool empty() const { return words.empty(); }
    bool operator==(const HitWords&) const = default;
};

HitWords hitWords(std::string_view searchText, HitRule rule);

// The word as the Cyrillic text stores it: NJ, LJ and D@ become W, Q and X.
// nullopt for a word with a letter Cyrillic lacks (Y).
std::optional<std::string> cyrillicForm(std::string_view upperWord);

// What is looked for in the text, A-Z folded. In a Cyrillic text each word
// is looked for in its Cyrillic form and, when that differs, also as
// written (a digraph kept apart, as in "injekcija").
std::vector<std::string> hitNeedles(const HitWords& words, bool cyrillic);

struct Hit {
    size_t start = 0;
    size_t length = 0;
    size_t end() const { return start + length; }
    bool operator==(const Hit&) const = default;
};

// Every occurrence of every needle, non-overlapping per needle, in text
// order; occurrences of different needles that overlap become one.
std::vector<Hit> findHits(std::string_view text, const std::vector<std::string>& needles);

// The first occurrence of any needle with about `around` characters of text
// on either side, cut at spaces; line breaks become spaces. bold holds the
// hits inside the excerpt, relative to it. nullopt when nothing occurs.
struct HitContext {
    std::string excerpt;
    std::vector<Hit> bold;
    bool cutBefore = false;  // text precedes the excerpt
    bool cutAfter = false;   // text follows it
};
std::optional<HitContext> hitContext(std::string_view text, const std::vector<std::string>& needles,
                                     size_t around = 40);

}  // namespace search
