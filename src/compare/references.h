#pragma once
// The references in a regulation's plain text (YUSCII bytes): to an article
// of the same text ("~lan 12.", "~lana 12.", "~lanom 12." and the other case
// endings, "^lan" at a sentence start, "~l. 12"; a heading line is no
// reference) and to a regulation by its gazette and issue ("Slu`beni
// glasnik RS", br. 24/2005; also "Sl. glasnik RS", several issues in one
// reference, each issue a reference of its own). Worked out on the shown
// text, never stored.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace compare {

struct Reference {
    enum class Kind { Article, Issue };
    Kind kind = Kind::Article;
    size_t start = 0;  // byte offset of the linked words in the text
    size_t length = 0;
    std::string article;  // Article: the number with any letter ("12a")
    std::string gazette;  // Issue: the gazette as written, without quotes
    std::string issue;    // Issue: the issue number ("24", "12a")
    std::string year;     // Issue: the year ("2005")
};

std::vector<Reference> findReferences(std::string_view text);

// An article reference whose article the text has: the reference and where
// the article's heading line starts.
struct ArticleLink {
    Reference reference;
    size_t target = 0;
    std::string heading;  // the heading line ("^lan 12.")
};

// The article references of the text that name one of its articles (the
// first article of that number).
std::vector<ArticleLink> articleLinks(std::string_view text, const std::vector<Reference>& refs);

// A gazette name reduced for matching: capitals, "Sl." and "Slu`beni" (any
// case ending) left out, "glasnik"/"list" without case endings, "Republike
// Srbije" as "RS", punctuation and spacing dropped. "Slu`benom glasniku RS"
// and "Sl. glasnik Republike Srbije" both give "GLASNIK RS".
std::string gazetteKey(std::string_view name);

}  // namespace compare
