#include "compare/references.h"

#include <unordered_map>

#include "compare/diff.h"

namespace compare {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Letters of a word: ASCII letters and the YUSCII letter codes.
bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '@' || c == '[' || c == '\\' ||
           c == ']' || c == '^' || c == '`' || c == '{' || c == '|' || c == '}' || c == '~';
}

char upper(char c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<char>(c - 'a' + 'A');
    }
    switch (c) {  // YUSCII small letters to their capitals
        case '`':
            return '@';
        case '{':
            return '[';
        case '|':
            return '\\';
        case '}':
            return ']';
        case '~':
            return '^';
        default:
            return c;
    }
}

// The case endings of "~lan" that a reference takes.
bool isArticleWord(std::string_view word) {
    static const char* const kForms[] = {"lan",    "lana",     "lanu",   "lanom", "lanovi",
                                         "lanova", "lanovima", "lanove", "l."};
    if (word.size() < 2 || (word[0] != '~' && word[0] != '^')) {
        return false;
    }
    const std::string_view rest = word.substr(1);
    for (const char* form : kForms) {
        if (rest == form) {
            return true;
        }
    }
    return false;
}

// The number at p (digits, then a small letter not followed by a letter);
// its length, 0 when there is none.
size_t numberAt(std::string_view text, size_t p) {
    size_t i = p;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
    }
    if (i == p || i - p > 4) {
        return 0;
    }
    if (i < text.size() && text[i] >= 'a' && text[i] <= 'z' &&
        (i + 1 >= text.size() || !isLetter(text[i + 1]))) {
        ++i;
    }
    return i - p;
}

size_t lineStartOf(std::string_view text, size_t p) {
    const size_t nl = text.rfind('\n', p == 0 ? 0 : p - 1);
    return p == 0 || nl == std::string_view::npos ? 0 : nl + 1;
}

bool isQuote(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return c == '"' || u == 0x84 || u == 0x93 || u == 0x94;
}

size_t skipBlanks(std::string_view text, size_t p) {
    while (p < text.size() && (text[p] == ' ' || text[p] == '\t')) {
        ++p;
    }
    return p;
}

bool startsWithUpper(std::string_view text, size_t p, std::string_view prefix) {
    if (p + prefix.size() > text.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (upper(text[p + i]) != prefix[i]) {
            return false;
        }
    }
    return true;
}

// An article reference whose word starts at p: the word, blanks, the number.
void articleAt(std::string_view text, size_t p, size_t wordEnd, std::vector<Reference>& out) {
    const size_t n = skipBlanks(text, wordEnd);
    if (n == wordEnd) {
        return;
    }
    const size_t len = numberAt(text, n);
    if (len == 0) {
        return;
    }
    // A heading line is the article itself, not a reference to it.
    if (p == lineStartOf(text, p)) {
        const size_t end = text.find('\n', p);
        const size_t lineEnd = end == std::string_view::npos ? text.size() : end;
        if (!articleKey(text.substr(p, lineEnd - p)).empty()) {
            return;
        }
    }
    Reference r;
    r.kind = Reference::Kind::Article;
    r.start = p;
    r.length = n + len - p;
    r.article = std::string(text.substr(n, len));
    out.push_back(std::move(r));
}

// The issues after a quoted gazette name ending at p: [","] "br." | "broj"
// then issues "N/YYYY" separated by "," or "i".
void issuesAfter(std::string_view text, size_t p, const std::string& gazette,
                 std::vector<Reference>& out) {
    size_t i = skipBlanks(text, p);
    if (i < text.size() && text[i] == ',') {
        i = skipBlanks(text, i + 1);
    }
    if (startsWithUpper(text, i, "BROJ")) {
        i += 4;
    } else if (startsWithUpper(text, i, "BR.")) {
        i += 3;
    } else {
        return;
    }
    for (;;) {
        i = skipBlanks(text, i);
        const size_t len = numberAt(text, i);
        if (len == 0 || i + len >= text.size() || text[i + len] != '/') {
            return;
        }
        const size_t y = i + len + 1;
        size_t ye = y;
        while (ye < text.size() && isDigit(text[ye])) {
            ++ye;
        }
        if (ye - y != 4 && ye - y != 2) {
            return;
        }
        Reference r;
        r.kind = Reference::Kind::Issue;
        r.start = i;
        r.length = ye - i;
        r.gazette = gazette;
        r.issue = std::string(text.substr(i, len));
        r.year = std::string(text.substr(y, ye - y));
        if (r.year.size() == 2) {  // "24/05"
            r.year = (r.year[0] >= '5' ? "19" : "20") + r.year;
        }
        out.push_back(std::move(r));
        i = skipBlanks(text, ye);
        if (i < text.size() && text[i] == ',') {
            ++i;
        } else if (i + 1 < text.size() && text[i] == 'i' && text[i + 1] == ' ') {
            i += 2;
        } else {
            return;
        }
    }
}

}  // namespace

std::vector<Reference> findReferences(std::string_view text) {
    std::vector<Reference> out;
    size_t p = 0;
    while (p < text.size()) {
        const char c = text[p];
        if ((c == '~' || c == '^') && (p == 0 || !isLetter(text[p - 1]))) {
            size_t e = p + 1;
            while (e < text.size() && isLetter(text[e])) {
                ++e;
            }
            if (e < text.size() && text[e] == '.' && e == p + 2) {
                ++e;  // "~l."
            }
            if (isArticleWord(text.substr(p, e - p))) {
                articleAt(text, p, e, out);
            }
            p = e;
            continue;
        }
        if (isQuote(c)) {
            size_t close = p + 1;
            while (close < text.size() && !isQuote(text[close]) && text[close] != '\n' &&
                   close - p < 120) {
                ++close;
            }
            if (close < text.size() && isQuote(text[close])) {
                const std::string name(text.substr(p + 1, close - p - 1));
                if (startsWithUpper(name, 0, "SL")) {
                    issuesAfter(text, close + 1, name, out);
                }
                p = close + 1;
                continue;
            }
        }
        ++p;
    }
    return out;
}

std::vector<ArticleLink> articleLinks(std::string_view text, const std::vector<Reference>& refs) {
    std::unordered_map<std::string, const Article*> byKey;
    const std::vector<Article> articles = splitArticles(text);
    for (const Article& a : articles) {
        if (!a.key.empty()) {
            byKey.try_emplace(a.key, &a);
        }
    }
    std::vector<ArticleLink> links;
    for (const Reference& r : refs) {
        if (r.kind != Reference::Kind::Article) {
            continue;
        }
        auto it = byKey.find(r.article);
        if (it != byKey.end()) {
            links.push_back({r, static_cast<size_t>(it->second->text.data() - text.data()),
                             it->second->heading});
        }
    }
    return links;
}

std::string gazetteKey(std::string_view name) {
    std::vector<std::string> words;
    std::string word;
    auto flush = [&] {
        if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    };
    for (char c : name) {
        if (isLetter(c) || isDigit(c)) {
            word += upper(c);
        } else if (c == '-') {
            flush();
            words.push_back("-");
        } else {
            flush();
        }
    }
    flush();
    std::string key;
    for (size_t i = 0; i < words.size(); ++i) {
        std::string w = words[i];
        if (w == "SL" || w.rfind("SLU@BEN", 0) == 0) {
            continue;
        }
        if (w.rfind("GLASNIK", 0) == 0) {
            w = "GLASNIK";
        } else if (w.rfind("LIST", 0) == 0) {
            w = "LIST";
        } else if (w.rfind("REPUBLIK", 0) == 0 && i + 1 < words.size() &&
                   words[i + 1].rfind("SRBIJ", 0) == 0) {
            w = "RS";
            ++i;
        }
        key += (key.empty() ? "" : " ") + w;
    }
    return key;
}

}  // namespace compare
