#include "demo/amend.h"

#include <string>

namespace demo {

namespace {

constexpr const char* kHeading = "## ^lan ";

bool isHeading(const std::string& line) {
    return line.rfind(kHeading, 0) == 0;
}

bool isParagraph(const std::string& line) {
    return !line.empty() && line[0] != '#' && line[0] != '-';
}

// The heading's number as written ("12" of "## ^lan 12.").
std::string numberOf(const std::string& heading) {
    std::string n = heading.substr(std::string(kHeading).size());
    while (!n.empty() && n.back() == '.') {
        n.pop_back();
    }
    return n;
}

// One word of the paragraph replaced by another.
std::string changedWord(const std::string& paragraph, Text& text, Random& random) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < paragraph.size(); ++i) {
        if (paragraph[i] != ' ' && (i == 0 || paragraph[i - 1] == ' ')) {
            starts.push_back(i);
        }
    }
    if (starts.size() < 2) {
        return paragraph;
    }
    const size_t at =
        starts[static_cast<size_t>(random.between(1, static_cast<int>(starts.size()) - 1))];
    size_t end = paragraph.find(' ', at);
    if (end == std::string::npos) {
        end = paragraph.size();
    }
    // Keep the punctuation after the word.
    while (end > at + 1 &&
           (paragraph[end - 1] == ',' || paragraph[end - 1] == '.' || paragraph[end - 1] == ';')) {
        --end;
    }
    return paragraph.substr(0, at) + text.contentWord() + paragraph.substr(end);
}

}  // namespace

std::vector<SourceLine> amendedBody(const std::vector<SourceLine>& body, Text& text,
                                    Random& random) {
    std::vector<SourceLine> out;
    std::string lastNumber;
    bool dropping = false;
    auto add = [&](std::string line) { out.push_back({0, std::move(line)}); };
    for (const SourceLine& source : body) {
        const std::string& line = source.text;
        if (isHeading(line)) {
            // After the article before: now and then a new one.
            // (only after an article of a plain number, and not before one
            // inserted earlier: "^lan 12a." stays the only 12a)
            const bool plain = !lastNumber.empty() && lastNumber.back() >= '0' &&
                               lastNumber.back() <= '9' && numberOf(line) != lastNumber + "a";
            if (plain && !dropping && random.chance(0.04)) {
                add(std::string(kHeading) + lastNumber + "a.");
                for (int p = random.between(1, 2); p > 0; --p) {
                    add(text.paragraph());
                }
            }
            lastNumber = numberOf(line);
            dropping = random.chance(0.015);
            if (!dropping) {
                add(line);
            }
            continue;
        }
        if (line.rfind("#", 0) == 0) {
            dropping = false;  // a chapter heading stays
            add(line);
            continue;
        }
        if (dropping) {
            continue;
        }
        if (isParagraph(line) && !lastNumber.empty()) {
            if (random.chance(0.02)) {
                continue;  // the paragraph is dropped
            }
            add(random.chance(0.08) ? changedWord(line, text, random) : line);
            if (random.chance(0.03)) {
                add(text.paragraph());
            }
            continue;
        }
        add(line);
    }
    for (size_t i = 0; i < out.size(); ++i) {
        out[i].number = static_cast<int>(i) + 1;
    }
    return out;
}

}  // namespace demo
