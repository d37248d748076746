#pragma once
// The keyword search of regulations: every word of the search text must
// occur in the title (upper-cased), or, when texts are searched too, in the
// title or else in the full Latin text. The order of the words does not
// matter and a word may be part of a longer word.
#include <string>
#include <string_view>

#include "search/monitor.h"
#include "search/rows.h"

namespace database {
struct MainData;
}

namespace search {

class TextFinder;

struct KeywordQuery {
    std::string text;  // as typed
    Scope scope = Scope::Titles;
    // 0: all gazettes; k: the k-th gazette of the chooser, which is the
    // publication rows' ID_GLASNIKA.
    long long gazette = 0;
};

struct KeywordOutcome {
    long long found = 0;
    bool stopped = false;  // Escape ended the loop; the rows found so far stand
    std::string summary;   // "po naslovima (nadjeno N propisa)" and the like
};

// Walks the publication rows in scope in stored order and hands every match
// to sink: icon by the row icon rule, caption the title, sub-items the
// gazette's name and BG. Progress: the range is rows in scope x words, one
// step per word test; the stop request is tested at the top of each row;
// pending messages run before each row's tests (titles) or after them
// (titles and texts). Glavna and Zakoni get their settings back.
KeywordOutcome keywordSearch(database::MainData& data, const KeywordQuery& query, Monitor& monitor,
                             const RowSink& sink);
// The same with the given full-text test (the plain scan by default).
KeywordOutcome keywordSearch(database::MainData& data, const KeywordQuery& query, Monitor& monitor,
                             const RowSink& sink, TextFinder& texts);

// "po naslovima (nadjeno N propisa)" or "po naslovima i tekstovima (nadjeno N
// propisa)": the remembered lists' search summary (lists::searchSummary).
std::string keywordSummary(Scope scope, long long found);

}  // namespace search
