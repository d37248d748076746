#pragma once
// The small lookups the regulation lists share: the issue label and the
// gazette of a regulation found by its title, the substring test of the
// searches and the ordering of issue numbers.
#include <string>
#include <string_view>

#include "yuscii/strings.h"

namespace engine {
class Table;
}

namespace database {

struct MainData;

// BG of the first regulation with this title; empty when none has it.
// Leaves lookzakoni filtered by the title.
std::string nadjibroj(MainData& data, std::string_view title);

// Naziv_glasnika of the gazette that published the first regulation with
// this title; empty when none has it. Leaves lookzakoni filtered by the title.
std::string nadjiglasnik(MainData& data, std::string_view title);

// True when the first regulation with this title has an archive row naming
// a predecessor or a successor. Reads through lookzakoni and arhiva and puts
// back their filters, links and positions, so it has no lasting effect.
bool jelimastariji(MainData& data, std::string_view title);

// True when the current row of a TB_grafika dataset holds a picture in at
// least one of the slots S1 to S33; false for an empty or closed dataset.
bool imaslike(const engine::Table& grafika);

// True when needle is empty or occurs in haystack as a contiguous byte
// sequence (case-sensitive; callers upper-case both sides first). Searching
// loops keep their window responsive themselves.
bool nadji(std::string_view needle, std::string_view haystack);

// Integer conversion of an issue text as the standard decimal conversion does
// it: leading blanks skipped, a "+" or "-", a "$" or "0x" hexadecimal prefix.
// ok is true when the whole text is a number in the 32-bit range; otherwise
// value holds the number formed by the digits read before the first invalid
// character (0 when there are none).
using IssueNumber = yuscii::IntegerText;
IssueNumber issueNumber(std::string_view text);

// Issue-number ordering: -1, 0 or 1. When at least one side converts, both
// compare by value (12 and 12a are equal, 1a comes before 2); otherwise as
// text with strcoll, the locale-aware comparison of the process's collation
// locale (a plain byte comparison under the "C" locale).
int compare(std::string_view a, std::string_view b);

}  // namespace database
