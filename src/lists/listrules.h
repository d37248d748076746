#pragma once
// Ordering rules of the report lists: the shared text comparison, the
// title, plain, year-first and date rules, the row icon rule, and a stable
// sort that stays safe with the rules' "empty compares equal" cases.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace lists {

// Images of the shared image list, in their fixed order.
enum Image : int {
    kDocument = 0,    // regulation or opinion
    kRoot = 1,        // root of the area tree
    kWithNotes = 2,   // regulation with additional information
    kArchived = 3,    // regulation that has a newer version
    kSortMarker = 4,  // sort marker in a column header
    kFigure = 5,      // not used by the lists
};

// A row of a regulation or opinion list: the caption (title) and the
// sub-items (column 1 onwards), YUSCII bytes, with its image.
struct Row {
    std::string caption;
    std::vector<std::string> sub;
    int image = kDocument;

    bool operator==(const Row&) const = default;
};

// a-z compare without regard to case, every other byte by its code; a
// prefix sorts first. Returns <0, 0, >0.
int compareText(const std::string& a, const std::string& b);

enum class Rule { Title, Plain, YearFirst, Date };

// Title and plain rules: equal when either text is empty.
int compareTitle(const std::string& a, const std::string& b);
int comparePlain(const std::string& a, const std::string& b);
// Equal when either is shorter than 4; else the last four characters first,
// then the whole texts (12/2005 before 3/2005).
int compareYearFirst(const std::string& a, const std::string& b);
// Both read as dd/mm/yyyy dates, earlier first; a text that is no date
// compares equal to everything.
int compareDate(const std::string& a, const std::string& b);

int compareByRule(Rule rule, const std::string& a, const std::string& b);

// Notes longer than this many stored characters mark a regulation as having
// additional information.
inline constexpr size_t kNotesThreshold = 200;

// The row icon: 3 when a newer version exists, else 2 when the stored notes
// are longer than the threshold, else 0.
int rowIcon(size_t notesLength, long long successor);

// Stable ascending sort of the positions 0..n-1 by cmp (a merge sort, so a
// comparison that is not a strict weak order cannot make it misbehave).
std::vector<size_t> stableOrder(size_t n, const std::function<int(size_t, size_t)>& cmp);

}  // namespace lists
