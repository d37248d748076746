#pragma once
// The contract page's text work on a rich-text document: the party data the
// user types, the paragraph indents, the article headings, the title block,
// the placeholders and the search of the model view. Texts are YUSCII; the
// document holds them as platform::qs gives them.
#include <QColor>
#include <array>
#include <string>
#include <string_view>
#include <vector>

class QTextDocument;

namespace mainwindow {

// One contracting party.
struct tugovornastrana {
    std::string naziv;   // name
    std::string adresa;  // place and address
};

// What the user typed for the contract, held for the program run.
struct tugovornipodaci {
    std::string datum;
    std::string mesto;
    std::array<tugovornastrana, 3> strane;
};

// A placeholder of the model text and what takes its place.
struct PlaceholderValue {
    std::string placeholder;  // "<ugov1>" and so on
    std::string value;        // the typed value; empty: the blank goes in
    std::string blank;        // a line to write on, framed by one space each
};

// The eight placeholders in the order they are replaced.
std::vector<PlaceholderValue> placeholderValues(const tugovornipodaci& podaci);

// Every paragraph: first-line indent 9 points, left 0, right 9.
void setContractIndents(QTextDocument& doc);

// Article headings (lines "^lan 12." and the like): centred and bold, with
// an empty line above each (none is added where one is there already).
void formatArticleHeadings(QTextDocument& doc);

// The first two lines are the title: bold, 12 points, centred. A text of
// one line is left as it is.
void formatTitleBlock(QTextDocument& doc);

// Puts the values in place of the placeholders, wherever they occur and in
// any letter case: a value in the colour of generated values with the
// placeholder's own formatting otherwise, a blank in the placeholder's own
// formatting. What was put in is never searched again, so a value that
// reads like a placeholder stays as typed.
void fillPlaceholders(QTextDocument& doc, const std::vector<PlaceholderValue>& values,
                      const QColor& colour);

// The first occurrence of word at or after from: the letters A to Z match in
// either case, every other character (the YUSCII letters too) only as
// written. -1 when there is none or the word is empty.
int findInText(const QTextDocument& doc, std::string_view word, int from);

}  // namespace mainwindow
