#pragma once
// Comparison of two versions of a regulation's plain text (YUSCII bytes,
// paragraphs ended by '\n'): the texts are cut into articles at their
// heading lines ("^lan 12."), articles are matched by their number, and a
// matched pair is compared word by word. Paragraph numbers at the start of
// a paragraph ("(2)", "2)") are compared as labels, so a paragraph that only
// got a new number is not a change.
#include <string>
#include <string_view>
#include <vector>

namespace compare {

// One article of a text: its heading line (empty for the text before the
// first heading), its key (the number with any letter, "12a"; empty before
// the first heading) and its text, heading line included.
struct Article {
    std::string heading;
    std::string key;
    std::string_view text;
};

// The heading's article number, letter included ("^lan 12a." gives "12a");
// empty when the line is no article heading (characters 2 to 5 "lan ",
// character 6 a digit).
std::string articleKey(std::string_view line);

std::vector<Article> splitArticles(std::string_view text);

enum class Mark { Same, Added, Removed };

// A run of text with one mark; the runs of an article, concatenated without
// the Removed ones, give the article's new text, without the Added ones its
// old text.
struct Piece {
    Mark mark;
    std::string text;
};

enum class Change { Same, Changed, Added, Removed };

struct ArticleDiff {
    std::string heading;  // the new heading, the old one for a removed article
    std::string key;
    Change change = Change::Same;
    std::vector<Piece> pieces;
};

struct Comparison {
    // Every article of both texts: the new text's order, a removed article
    // after the article that preceded it in the old text.
    std::vector<ArticleDiff> articles;

    bool identical() const;
    // The articles that are not Same.
    std::vector<const ArticleDiff*> changes() const;
};

Comparison compareTexts(std::string_view oldText, std::string_view newText);

// The word-by-word runs of two texts (one article, or anything else).
std::vector<Piece> diffWords(std::string_view oldText, std::string_view newText);

// The comparison as lines: for each article that is not Same its heading
// with the kind of change, then the paragraphs that differ, the old ones
// marked "- " and the new ones "+ ". Empty for identical texts.
std::string formatComparison(const Comparison& comparison);

// "izmenjen", "dodat", "brisan" (and "" for Same).
const char* changeName(Change change);

}  // namespace compare
