#pragma once
// The words of a search text and the title tests every list search shares.
// Texts are YUSCII bytes.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "search/rows.h"

namespace search {

// Words beyond this many are not searched (the count is kept in a byte).
inline constexpr int kMaxWords = 255;

// The search text upper-cased with yupperW and split at spaces: runs of
// spaces and leading or trailing spaces make no words. At most kMaxWords.
std::vector<std::string> searchWords(std::string_view text);

// A search text of one or two characters is asked about before it runs
// ("Vas tekst za pretragu je prekratak..."); an empty one is not.
bool needsShortTextQuestion(std::string_view text);

// The form in which the regulation text test looks for an upper-cased word:
// its lower case (ylowerW), so that the small Serbian letters of a text are
// found; a word that occurs whole inside "~^@]}[{\|" (a single capital
// Serbian letter, in practice) stays as it is.
std::string textForm(std::string_view upperWord);

// A-Z to a-z; every other byte, the YUSCII letters included, unchanged.
std::string foldAZ(std::string_view s);
void foldAZInPlace(std::string& s);

// The rows whose caption, upper-cased with yupperW, contains the text
// upper-cased with yupperW, as a whole (spaces included), in their order.
// An empty text keeps every row. The area phrase search and the archive
// title search filter their saved copies with it.
Rows filterByTitle(const Rows& rows, std::string_view text);

// "&Selektuj": the positions of the rows to select. With no rows none; an
// empty text selects only the first row; otherwise every row whose title
// contains the text as filterByTitle tests it (none when no title does).
std::vector<size_t> selektuj(const Rows& rows, std::string_view text);

}  // namespace search
