#include "mainwindow/contracttext.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <utility>

#include "platform/textconv.h"
#include "search/foldfind.h"

namespace mainwindow {
namespace {

constexpr const char* kDateBlank = " ___/___/_____ ";
constexpr const char* kPlaceBlank = " ____________ ";
constexpr const char* kNameBlank = " ____________________ ";
constexpr const char* kAddressBlank = " _________________ ";

// The document's text as YUSCII bytes, position for position: a paragraph
// end is '\n', a character without a byte '?'.
std::string documentBytes(const QTextDocument& doc) {
    std::string text(static_cast<size_t>(std::max(doc.characterCount(), 0)), '\n');
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const std::string line = platform::ys(block.text());
        std::copy(line.begin(), line.end(), text.begin() + block.position());
    }
    // The document's last position is the end of its last paragraph.
    if (!text.empty()) {
        text.pop_back();
    }
    return text;
}

std::string folded(std::string_view word) {
    std::string out(word);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

QTextCursor selection(QTextDocument& doc, int start, int end) {
    QTextCursor cursor(&doc);
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    return cursor;
}

bool isHeadingLine(std::string_view line) {
    return line.size() >= 6 && line.substr(1, 4) == "lan " && line[5] >= '0' && line[5] <= '9';
}

// A text range put in by the replacement, [start, end).
using Range = std::pair<int, int>;

bool overlapsAny(const std::vector<Range>& ranges, int start, int end) {
    return std::any_of(ranges.begin(), ranges.end(),
                       [&](const Range& r) { return start < r.second && r.first < end; });
}

}  // namespace

std::vector<PlaceholderValue> placeholderValues(const tugovornipodaci& podaci) {
    std::vector<PlaceholderValue> values;
    for (int party = 0; party < 3; ++party) {
        const std::string n = std::to_string(party + 1);
        const tugovornastrana& strana = podaci.strane[static_cast<size_t>(party)];
        values.push_back({"<ugov" + n + ">", strana.naziv, kNameBlank});
        values.push_back({"<nazivugs" + n + ">", strana.adresa, kAddressBlank});
    }
    values.push_back({"<datumug>", podaci.datum, kDateBlank});
    values.push_back({"<mestoug>", podaci.mesto, kPlaceBlank});
    return values;
}

void setContractIndents(QTextDocument& doc) {
    QTextCursor cursor(&doc);
    cursor.select(QTextCursor::Document);
    QTextBlockFormat indents;
    indents.setTextIndent(9);
    indents.setLeftMargin(0);
    indents.setRightMargin(9);
    cursor.mergeBlockFormat(indents);
}

void formatArticleHeadings(QTextDocument& doc) {
    std::vector<std::string> headings;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (const QString& line : block.text().split(QChar::LineSeparator)) {
            std::string bytes = platform::ys(line);
            if (isHeadingLine(bytes)) {
                headings.push_back(std::move(bytes));
            }
        }
    }
    int from = 0;
    for (const std::string& heading : headings) {
        const int at = findInText(doc, heading, from);
        if (at < 0) {
            continue;
        }
        const int length = static_cast<int>(heading.size());
        QTextCursor cursor = selection(doc, at, at + length);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        cursor.mergeBlockFormat(centred);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.mergeCharFormat(bold);
        // The empty line above the heading.
        const QTextBlock block = doc.findBlock(at);
        const bool blankAbove =
            block.position() == at && block.previous().isValid() && block.previous().length() == 1;
        int end = at + length;
        if (!blankAbove) {
            cursor.setPosition(at);
            cursor.insertBlock();
            ++end;
        }
        from = end;
    }
}

void formatTitleBlock(QTextDocument& doc) {
    const std::string text = documentBytes(doc);
    const size_t first = text.find('\n', 1);
    if (first == std::string::npos) {
        return;
    }
    const size_t second = text.find('\n', first + 1);
    const int end = static_cast<int>(second == std::string::npos ? text.size() : second);
    QTextCursor cursor = selection(doc, 0, end);
    QTextCharFormat title;
    title.setFontWeight(QFont::Bold);
    title.setFontPointSize(12);
    cursor.mergeCharFormat(title);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.mergeBlockFormat(centred);
}

void fillPlaceholders(QTextDocument& doc, const std::vector<PlaceholderValue>& values,
                      const QColor& colour) {
    std::vector<Range> inserted;
    for (const PlaceholderValue& p : values) {
        const int length = static_cast<int>(p.placeholder.size());
        const bool filled = !p.value.empty();
        const QString replacement = platform::qs(filled ? p.value : p.blank);
        int from = 0;
        for (;;) {
            const int at = findInText(doc, p.placeholder, from);
            if (at < 0) {
                break;
            }
            if (overlapsAny(inserted, at, at + length)) {
                from = at + 1;
                continue;
            }
            // The placeholder's own formatting: that of its first character.
            QTextCursor first(&doc);
            first.setPosition(at + 1);
            QTextCharFormat format = first.charFormat();
            if (filled) {
                format.setForeground(colour);
            }
            QTextCursor cursor = selection(doc, at, at + length);
            cursor.insertText(replacement, format);
            const int shift = static_cast<int>(replacement.size()) - length;
            for (Range& r : inserted) {
                if (r.first >= at + length) {
                    r.first += shift;
                    r.second += shift;
                }
            }
            inserted.emplace_back(at, at + static_cast<int>(replacement.size()));
            from = at + static_cast<int>(replacement.size());
        }
    }
}

int findInText(const QTextDocument& doc, std::string_view word, int from) {
    if (word.empty()) {
        return -1;
    }
    const std::string text = documentBytes(doc);
    const search::FoldedFinder finder(folded(word));
    const size_t at = finder.find(text, static_cast<size_t>(std::max(from, 0)));
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

}  // namespace mainwindow
