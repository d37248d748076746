// libFuzzer target: a remembered list file ("pretrage.ini", "cesti.ini",
// "brzi.ini", "novo.lst") as read at start, on arbitrary bytes, then the
// list operations and ordering rules on its lines. The first byte picks the
// list limit. Nothing may fail hard; the lists stay within their limits,
// history entries give back their search text, and the sorts stay
// permutations ordered by their rules.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lists/listrules.h"
#include "lists/rememberedlists.h"
#include "platform/files.h"

namespace {

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

// The order is a permutation of 0..n-1 and, when the rule orders every
// line totally, ascending.
void checkOrder(const std::vector<std::string>& lines, lists::Rule rule, bool total) {
    const auto order = lists::stableOrder(lines.size(), [&](size_t a, size_t b) {
        return lists::compareByRule(rule, lines[a], lines[b]);
    });
    std::vector<bool> seen(lines.size());
    for (size_t i : order) {
        check(i < lines.size() && !seen[i]);
        seen[i] = true;
    }
    for (size_t i = 1; total && i < order.size(); ++i) {
        check(lists::compareByRule(rule, lines[order[i - 1]], lines[order[i]]) <= 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int limit = lists::kLimitMin + data[0] % lists::kLimitMax;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const auto lines = platform::splitLines(bytes);
    check(platform::splitLines(platform::joinCrLf(lines)) == lines);

    // Operations stay cheap: a few dozen on a list of any length.
    const size_t some = std::min<size_t>(lines.size(), 32);
    lists::RememberedLists l;
    l.recent = lines;
    l.history = lines;
    for (size_t i = 0; i < some; ++i) {
        const std::string& line = lines[i];
        const size_t before = l.recent.size();
        const bool added = l.addRecent(line, limit);
        check(l.recent.size() <= std::max<size_t>(before, static_cast<size_t>(limit)));
        check(!added || l.recent.back() == line);
        l.addHistory(line, limit);
        check(l.history.back() == line);
        const auto mark = l.markQuickOpen(line);
        check(l.quick.size() <= lists::kQuickOpenMax);
        check(mark != lists::MarkResult::Added || l.quick.back() == line);

        const std::string entry =
            lists::historyEntry(line, lists::searchSummary(i % 2 == 0, static_cast<long long>(i)));
        check(lists::historySearchText(entry) == line);
        check(lists::historySearchesTexts(entry) ==
              (i % 2 == 0 || line.find("tekstovima") != std::string::npos));
        lists::historySearchText(line);
    }
    check(lists::quickMenuTexts(l.quick).size() == l.quick.size() + 2);

    for (size_t i = 1; i < some; ++i) {
        for (auto rule :
             {lists::Rule::Title, lists::Rule::Plain, lists::Rule::YearFirst, lists::Rule::Date}) {
            check(sign(lists::compareByRule(rule, lines[i - 1], lines[i])) ==
                  -sign(lists::compareByRule(rule, lines[i], lines[i - 1])));
        }
    }
    const std::vector<std::string> head(lines.begin(),
                                        lines.begin() + std::min<size_t>(lines.size(), 512));
    const auto all = [&](auto pred) { return std::all_of(head.begin(), head.end(), pred); };
    checkOrder(head, lists::Rule::Title, all([](const std::string& s) { return !s.empty(); }));
    checkOrder(head, lists::Rule::Plain, all([](const std::string& s) { return !s.empty(); }));
    checkOrder(head, lists::Rule::YearFirst,
               all([](const std::string& s) { return s.size() >= 4; }));
    // A date differs from one of two distinct dates; a text that is no date
    // equals both.
    checkOrder(head, lists::Rule::Date, all([](const std::string& s) {
                   return lists::compareDate(s, "01/01/2000") != 0 ||
                          lists::compareDate(s, "02/01/2000") != 0;
               }));
    return 0;
}
