#pragma once
// Ministries' opinions: the ministry restriction, the keyword search, the
// date search, and finding an opinion again from its list row. The opinions
// are walked in the order of the ministry index "drugi".
#include <optional>
#include <string>
#include <string_view>

#include "search/monitor.h"
#include "search/rows.h"

namespace database {
struct MainData;
}
namespace engine {
class Table;
}

namespace search {

class TextFinder;

// Restricts misljenja to the opinions of the ministry with this name
// (ministarstva filtered by it, misljenja following it), or, with no name
// ("Sve"), lifts the restriction. It lasts until the next call.
void applyMinistry(database::MainData& data, const std::optional<std::string>& ministry);

struct OpinionQuery {
    std::string text;  // as typed
    Scope scope = Scope::Titles;
    std::optional<std::string> ministry;  // none: "Sve"
};

// Removes a date restriction, applies the ministry restriction and lists
// every opinion whose title (upper-cased) holds each word, or, with texts,
// whose title or else Latin text does; in the text the word is looked for
// in its upper-case form with A-Z folded, so a Serbian letter of the word
// finds only the capital letter. The range is opinions x words, one step
// per word tested; after the first failing word the rest are not tested.
// Pending messages run once per opinion (titles) or once per word tested
// (texts). No stop request.
Rows opinionKeywordSearch(database::MainData& data, const OpinionQuery& query, Monitor& monitor);
Rows opinionKeywordSearch(database::MainData& data, const OpinionQuery& query, Monitor& monitor,
                          TextFinder& texts);

// Both ends inclusive; each part is compared by itself.
struct DateRange {
    int day1 = 1, month1 = 1, year1 = 1950;
    int day2 = 31, month2 = 12, year2 = 2020;
};

// Every opinion within the range (none: "Sve", every date) and the ministry
// restriction. The date filter stays on misljenja until the next search.
Rows opinionDateSearch(database::MainData& data, const std::optional<DateRange>& range,
                       const std::optional<std::string>& ministry);

// The list's date text, "dd/mm/yyyy": two-digit day and month, four-digit
// year. Numbers that make no valid date are written the same way as they
// are (31/02/2005), so the row still leads back to its opinion.
std::string opinionDate(long long day, long long month, long long year);

// Positions misljenja on the opinion with this title and the date read
// back from the row's text at its fixed places (characters 1-2, 4-5 and
// 7-10); the filter stays for the document window. False when none matches
// (also for a date text whose parts are no numbers).
bool positionOpinion(database::MainData& data, std::string_view title, std::string_view dateText);
// The same on another dataset of TB_Misljenja.
bool positionOpinion(engine::Table& opinions, std::string_view title, std::string_view dateText);

}  // namespace search
