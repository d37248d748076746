#include "search/hits.h"

#include <algorithm>

#include "search/foldfind.h"
#include "search/words.h"

namespace search {

HitWords hitWords(std::string_view searchText, HitRule rule) {
    return HitWords{searchWords(searchText), rule};
}

std::optional<std::string> cyrillicForm(std::string_view upperWord) {
    std::string out;
    out.reserve(upperWord.size());
    for (size_t i = 0; i < upperWord.size(); ++i) {
        const char c = upperWord[i];
        if (c == 'Y') {
            return std::nullopt;
        }
        const char next = i + 1 < upperWord.size() ? upperWord[i + 1] : '\0';
        if ((c == 'N' || c == 'L') && next == 'J') {
            out += c == 'N' ? 'W' : 'Q';
            ++i;
        } else if (c == 'D' && next == '@') {
            out += 'X';
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::vector<std::string> hitNeedles(const HitWords& words, bool cyrillic) {
    std::vector<std::string> needles;
    auto add = [&](std::string_view upper) {
        std::string n = words.rule == HitRule::Regulation ? textForm(upper) : foldAZ(upper);
        if (!n.empty() && std::find(needles.begin(), needles.end(), n) == needles.end()) {
            needles.push_back(std::move(n));
        }
    };
    for (const std::string& w : words.words) {
        if (!cyrillic) {
            add(w);
            continue;
        }
        if (const auto form = cyrillicForm(w)) {
            add(*form);
            if (*form != w) {
                add(w);
            }
        }
    }
    return needles;
}

std::vector<Hit> findHits(std::string_view text, const std::vector<std::string>& needles) {
    std::vector<Hit> all;
    for (const std::string& n : needles) {
        if (n.empty()) {
            continue;
        }
        const FoldedFinder finder(n);
        for (size_t p = finder.find(text); p != std::string_view::npos;
             p = finder.find(text, p + n.size())) {
            all.push_back({p, n.size()});
        }
    }
    if (needles.size() > 1) {
        std::sort(all.begin(), all.end(),
                  [](const Hit& a, const Hit& b) { return a.start < b.start; });
    }
    std::vector<Hit> merged;
    merged.reserve(all.size());
    for (const Hit& h : all) {
        if (!merged.empty() && h.start < merged.back().end()) {
            Hit& last = merged.back();
            last.length = std::max(last.end(), h.end()) - last.start;
        } else {
            merged.push_back(h);
        }
    }
    return merged;
}

std::optional<HitContext> hitContext(std::string_view text, const std::vector<std::string>& needles,
                                     size_t around) {
    // The first occurrence of any needle.
    std::optional<Hit> first;
    for (const std::string& n : needles) {
        const size_t p = FoldedFinder(n).find(text);
        if (!n.empty() && p != std::string_view::npos && (!first || p < first->start)) {
            first = Hit{p, n.size()};
        }
    }
    if (!first) {
        return std::nullopt;
    }
    size_t from = first->start > around ? first->start - around : 0;
    size_t to = std::min(text.size(), first->end() + around);
    // Whole words at the edges: start after a space, end before one.
    if (from > 0) {
        const size_t space = text.find_first_of(" \n", from);
        if (space != std::string_view::npos && space < first->start) {
            from = space + 1;
        }
    }
    if (to < text.size()) {
        const size_t space = text.find_last_of(" \n", to);
        if (space != std::string_view::npos && space >= first->end()) {
            to = space;
        }
    }
    HitContext context;
    context.cutBefore = from > 0;
    context.cutAfter = to < text.size();
    const std::string_view part = text.substr(from, to - from);
    context.excerpt.assign(part);
    std::replace(context.excerpt.begin(), context.excerpt.end(), '\n', ' ');
    std::replace(context.excerpt.begin(), context.excerpt.end(), '\r', ' ');
    context.bold = findHits(part, needles);
    return context;
}

}  // namespace search
