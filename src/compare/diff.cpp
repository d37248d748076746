#include "compare/diff.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace compare {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// A word or a paragraph end, with the blanks before it.
struct Token {
    std::string_view lead;
    std::string_view word;  // "\n" for a paragraph end
    bool paragraphEnd() const { return word == "\n"; }
};

// "(2)", "2)", "2." and "(2a)" at the start of a paragraph: the paragraph's
// number, which an inserted paragraph before it changes.
bool isLabel(std::string_view w) {
    size_t i = 0;
    const bool open = !w.empty() && w[0] == '(';
    if (open) {
        ++i;
    }
    const size_t digits = i;
    while (i < w.size() && isDigit(w[i])) {
        ++i;
    }
    if (i == digits || i - digits > 3) {
        return false;
    }
    if (i < w.size() && w[i] >= 'a' && w[i] <= 'z') {
        ++i;
    }
    if (open) {
        return i + 1 == w.size() && w[i] == ')';
    }
    return i + 1 == w.size() && (w[i] == ')' || w[i] == '.');
}

std::vector<Token> tokenize(std::string_view text) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < text.size()) {
        const size_t leadStart = i;
        while (i < text.size() && isSpace(text[i])) {
            ++i;
        }
        if (i == text.size()) {
            // Trailing blanks join the last token (or stand alone).
            if (!tokens.empty()) {
                Token& last = tokens.back();
                last.word = std::string_view(
                    last.word.data(), static_cast<size_t>(text.data() + i - last.word.data()));
            } else {
                tokens.push_back({{}, text.substr(leadStart)});
            }
            break;
        }
        const size_t start = i;
        if (text[i] == '\n') {
            ++i;
        } else {
            while (i < text.size() && !isSpace(text[i]) && text[i] != '\n') {
                ++i;
            }
        }
        tokens.push_back(
            {text.substr(leadStart, start - leadStart), text.substr(start, i - start)});
    }
    return tokens;
}

// Token identities for the comparison: equal words get equal numbers, and
// every paragraph label the same number.
class Keys {
  public:
    std::vector<int> of(const std::vector<Token>& tokens) {
        std::vector<int> keys;
        keys.reserve(tokens.size());
        bool paragraphStart = true;
        for (const Token& t : tokens) {
            std::string_view w = t.word;
            while (!w.empty() && isSpace(w.back())) {
                w.remove_suffix(1);
            }
            if (paragraphStart && isLabel(w)) {
                keys.push_back(kLabel);
            } else {
                auto [it, added] = ids_.try_emplace(w, static_cast<int>(ids_.size()) + 1);
                keys.push_back(it->second);
            }
            paragraphStart = t.paragraphEnd();
        }
        return keys;
    }

  private:
    static constexpr int kLabel = 0;
    std::unordered_map<std::string_view, int> ids_;
};

// Beyond this many differences a pair of texts counts as rewritten.
constexpr int kMaxDifferences = 3000;

// The edit script of a against b (Myers): for each step, 0 same (advances
// both), -1 removed (advances a), +1 added (advances b). Empty optional when
// the texts differ in more than kMaxDifferences tokens.
bool myers(const int* a, int n, const int* b, int m, std::vector<signed char>& script) {
    const int max = n + m;
    const int limit = std::min(max, kMaxDifferences);
    const int offset = limit + 1;
    std::vector<int> v(static_cast<size_t>(2 * limit + 3), 0);
    std::vector<std::vector<int>> trace;
    int found = -1;
    for (int d = 0; d <= limit && found < 0; ++d) {
        trace.emplace_back(v.begin() + (offset - d - 1), v.begin() + (offset + d + 2));
        for (int k = -d; k <= d; k += 2) {
            int x;
            if (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1])) {
                x = v[offset + k + 1];
            } else {
                x = v[offset + k - 1] + 1;
            }
            int y = x - k;
            while (x < n && y < m && a[x] == b[y]) {
                ++x;
                ++y;
            }
            v[offset + k] = x;
            if (x >= n && y >= m) {
                found = d;
                break;
            }
        }
    }
    if (found < 0) {
        return false;
    }
    // Walk back through the saved rows of v.
    std::vector<signed char> reversed;
    int x = n;
    int y = m;
    for (int d = found; d > 0; --d) {
        const std::vector<int>& row = trace[static_cast<size_t>(d)];
        // row[i] holds v[k] for k = i - d - 1.
        auto at = [&](int k) { return row[static_cast<size_t>(k + d + 1)]; };
        const int k = x - y;
        int prevK;
        if (k == -d || (k != d && at(k - 1) < at(k + 1))) {
            prevK = k + 1;
        } else {
            prevK = k - 1;
        }
        const int prevX = at(prevK);
        const int prevY = prevX - prevK;
        while (x > prevX && y > prevY) {
            reversed.push_back(0);
            --x;
            --y;
        }
        reversed.push_back(x == prevX ? 1 : -1);
        x = prevX;
        y = prevY;
    }
    while (x > 0 && y > 0) {
        reversed.push_back(0);
        --x;
        --y;
    }
    script.assign(reversed.rbegin(), reversed.rend());
    return true;
}

// A rewritten sentence shares a few short words with the old one ("i",
// "se", "je"); marked as kept they cut the rewrite into shreds. A run of at
// most two kept words between changes, within a paragraph, counts as
// changed. newTokens are the new tokens the script walks.
std::vector<signed char> withoutShortMatches(const std::vector<signed char>& script,
                                             const Token* newTokens) {
    std::vector<signed char> out;
    out.reserve(script.size());
    size_t y = 0;
    size_t i = 0;
    while (i < script.size()) {
        if (script[i] != 0) {
            y += script[i] > 0 ? 1 : 0;
            out.push_back(script[i++]);
            continue;
        }
        size_t end = i;
        bool paragraphEnd = false;
        while (end < script.size() && script[end] == 0) {
            paragraphEnd = paragraphEnd || newTokens[y + (end - i)].paragraphEnd();
            ++end;
        }
        const size_t run = end - i;
        const bool between = !out.empty() && end < script.size();
        if (between && run <= 2 && !paragraphEnd) {
            out.insert(out.end(), run, -1);
            out.insert(out.end(), run, 1);
        } else {
            out.insert(out.end(), run, 0);
        }
        y += run;
        i = end;
    }
    return out;
}

struct Step {
    Mark mark;
    const Token* token;
};

// The marked tokens of two texts in reading order; between two kept runs
// the removed tokens come first, then the added ones.
std::vector<Step> diffSteps(const std::vector<Token>& a, const std::vector<Token>& b) {
    Keys keys;
    const std::vector<int> ka = keys.of(a);
    const std::vector<int> kb = keys.of(b);
    const int n = static_cast<int>(ka.size());
    const int m = static_cast<int>(kb.size());
    int prefix = 0;
    while (prefix < n && prefix < m && ka[prefix] == kb[prefix]) {
        ++prefix;
    }
    int suffix = 0;
    while (suffix < n - prefix && suffix < m - prefix && ka[n - 1 - suffix] == kb[m - 1 - suffix]) {
        ++suffix;
    }
    std::vector<Step> steps;
    steps.reserve(static_cast<size_t>(std::max(n, m)));
    for (int i = 0; i < prefix; ++i) {
        steps.push_back({Mark::Same, &b[i]});
    }
    std::vector<signed char> script;
    const int midA = n - prefix - suffix;
    const int midB = m - prefix - suffix;
    if (!myers(ka.data() + prefix, midA, kb.data() + prefix, midB, script)) {
        script.assign(static_cast<size_t>(midA), -1);
        script.insert(script.end(), static_cast<size_t>(midB), 1);
    }
    script = withoutShortMatches(script, b.data() + prefix);
    int x = prefix;
    int y = prefix;
    std::vector<Step> removed;
    std::vector<Step> added;
    auto flush = [&] {
        steps.insert(steps.end(), removed.begin(), removed.end());
        steps.insert(steps.end(), added.begin(), added.end());
        removed.clear();
        added.clear();
    };
    for (signed char s : script) {
        if (s == 0) {
            flush();
            steps.push_back({Mark::Same, &b[y]});
            ++x;
            ++y;
        } else if (s < 0) {
            removed.push_back({Mark::Removed, &a[x++]});
        } else {
            added.push_back({Mark::Added, &b[y++]});
        }
    }
    flush();
    for (int i = m - suffix; i < m; ++i) {
        steps.push_back({Mark::Same, &b[i]});
    }
    return steps;
}

std::vector<Piece> piecesOf(const std::vector<Step>& steps) {
    std::vector<Piece> pieces;
    for (const Step& s : steps) {
        if (pieces.empty() || pieces.back().mark != s.mark) {
            pieces.push_back({s.mark, {}});
        }
        pieces.back().text.append(s.token->lead).append(s.token->word);
    }
    return pieces;
}

std::string_view lineOf(std::string_view text) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    while (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

std::string trimmed(std::string_view s) {
    while (!s.empty() && (isSpace(s.front()) || s.front() == '\n')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (isSpace(s.back()) || s.back() == '\n')) {
        s.remove_suffix(1);
    }
    return std::string(s);
}

// The paragraphs of a text, without their ends.
std::vector<std::string> paragraphs(std::string_view text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        out.push_back(trimmed(text.substr(start, end - start)));
        start = end + 1;
    }
    while (!out.empty() && out.back().empty()) {
        out.pop_back();
    }
    return out;
}

}  // namespace

std::string articleKey(std::string_view line) {
    if (line.size() < 6 || line.substr(1, 4) != "lan " || !isDigit(line[5])) {
        return {};
    }
    size_t i = 5;
    while (i < line.size() && isDigit(line[i])) {
        ++i;
    }
    if (i < line.size() && line[i] >= 'a' && line[i] <= 'z') {
        ++i;
    }
    return std::string(line.substr(5, i - 5));
}

std::vector<Article> splitArticles(std::string_view text) {
    std::vector<Article> articles;
    size_t start = 0;
    size_t lineStart = 0;
    std::string heading;
    std::string key;
    auto close = [&](size_t end) {
        if (end > start || !key.empty()) {
            articles.push_back({heading, key, text.substr(start, end - start)});
        }
    };
    while (lineStart < text.size()) {
        const std::string_view line = lineOf(text.substr(lineStart));
        std::string k = articleKey(line);
        if (!k.empty()) {
            close(lineStart);
            start = lineStart;
            heading = std::string(line);
            key = std::move(k);
        }
        const size_t end = text.find('\n', lineStart);
        lineStart = end == std::string_view::npos ? text.size() : end + 1;
    }
    close(text.size());
    return articles;
}

std::vector<Piece> diffWords(std::string_view oldText, std::string_view newText) {
    const std::vector<Token> a = tokenize(oldText);
    const std::vector<Token> b = tokenize(newText);
    return piecesOf(diffSteps(a, b));
}

bool Comparison::identical() const {
    return std::all_of(articles.begin(), articles.end(),
                       [](const ArticleDiff& a) { return a.change == Change::Same; });
}

std::vector<const ArticleDiff*> Comparison::changes() const {
    std::vector<const ArticleDiff*> out;
    for (const ArticleDiff& a : articles) {
        if (a.change != Change::Same) {
            out.push_back(&a);
        }
    }
    return out;
}

namespace {

// Keys made unique: the second article "5" of a text is "5#2".
std::vector<std::string> uniqueKeys(const std::vector<Article>& articles) {
    std::unordered_map<std::string, int> seen;
    std::vector<std::string> keys;
    for (const Article& a : articles) {
        const int n = ++seen[a.key];
        keys.push_back(n == 1 ? a.key : a.key + "#" + std::to_string(n));
    }
    return keys;
}

ArticleDiff whole(const Article& article, Change change, Mark mark) {
    return {article.heading, article.key, change, {{mark, std::string(article.text)}}};
}

}  // namespace

Comparison compareTexts(std::string_view oldText, std::string_view newText) {
    const std::vector<Article> olds = splitArticles(oldText);
    const std::vector<Article> news = splitArticles(newText);
    const std::vector<std::string> oldKeys = uniqueKeys(olds);
    const std::vector<std::string> newKeys = uniqueKeys(news);
    std::unordered_map<std::string, size_t> newByKey;
    for (size_t j = 0; j < news.size(); ++j) {
        newByKey.emplace(newKeys[j], j);
    }
    std::vector<long> oldOf(news.size(), -1);
    // Removed articles by the slot they go to: 0 before everything, j + 1
    // after new article j.
    std::vector<std::vector<size_t>> removedAfter(news.size() + 1);
    size_t slot = 0;
    for (size_t i = 0; i < olds.size(); ++i) {
        auto it = newByKey.find(oldKeys[i]);
        if (it != newByKey.end()) {
            oldOf[it->second] = static_cast<long>(i);
            slot = it->second + 1;
        } else {
            removedAfter[slot].push_back(i);
        }
    }
    Comparison result;
    auto addRemoved = [&](size_t s) {
        for (size_t i : removedAfter[s]) {
            result.articles.push_back(whole(olds[i], Change::Removed, Mark::Removed));
        }
    };
    addRemoved(0);
    for (size_t j = 0; j < news.size(); ++j) {
        if (oldOf[j] < 0) {
            result.articles.push_back(whole(news[j], Change::Added, Mark::Added));
        } else {
            ArticleDiff d{news[j].heading, news[j].key, Change::Same,
                          diffWords(olds[static_cast<size_t>(oldOf[j])].text, news[j].text)};
            if (std::any_of(d.pieces.begin(), d.pieces.end(),
                            [](const Piece& p) { return p.mark != Mark::Same; })) {
                d.change = Change::Changed;
            }
            result.articles.push_back(std::move(d));
        }
        addRemoved(j + 1);
    }
    return result;
}

const char* changeName(Change change) {
    switch (change) {
        case Change::Changed:
            return "izmenjen";
        case Change::Added:
            return "dodat";
        case Change::Removed:
            return "brisan";
        case Change::Same:
            break;
    }
    return "";
}

namespace {

// The paragraphs of a changed article that differ: between two paragraph
// ends both texts share, the old paragraphs ("- ") and the new ones ("+ ")
// when anything in between changed.
void formatChanged(const ArticleDiff& a, std::string& out) {
    std::string oldText;
    std::string newText;
    bool changed = false;
    auto flush = [&] {
        if (changed) {
            for (const std::string& p : paragraphs(oldText)) {
                out += "- " + p + "\n";
            }
            for (const std::string& p : paragraphs(newText)) {
                out += "+ " + p + "\n";
            }
        }
        oldText.clear();
        newText.clear();
        changed = false;
    };
    for (const Piece& p : a.pieces) {
        if (p.mark != Mark::Same) {
            changed = true;
            (p.mark == Mark::Added ? newText : oldText) += p.text;
            continue;
        }
        // A same run: its shared paragraph ends close the pending region.
        size_t start = 0;
        while (start <= p.text.size()) {
            const size_t end = p.text.find('\n', start);
            const std::string_view part = std::string_view(p.text).substr(
                start, end == std::string::npos ? std::string::npos : end - start);
            oldText += part;
            newText += part;
            if (end == std::string::npos) {
                break;
            }
            flush();
            start = end + 1;
        }
    }
    flush();
}

}  // namespace

std::string formatComparison(const Comparison& comparison) {
    std::string out;
    for (const ArticleDiff* a : comparison.changes()) {
        const std::string heading = a->heading.empty() ? "Uvodni deo" : a->heading;
        out += "@ " + heading + " (" + changeName(a->change) + ")\n";
        if (a->change == Change::Changed) {
            formatChanged(*a, out);
        } else {
            const char* sign = a->change == Change::Added ? "+ " : "- ";
            for (const std::string& p : paragraphs(a->pieces.front().text)) {
                out += sign + p + "\n";
            }
        }
    }
    return out;
}

}  // namespace compare
