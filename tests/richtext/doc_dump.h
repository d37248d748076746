#pragma once
// A readable dump of a document's paragraphs, runs, tables and notes, for
// comparing documents in tests.
#include <QTextDocument>
#include <string>

namespace richtext_test {

// One line per paragraph: "[align fi li ri sb sa]" (with "page" for a page
// break before it, "noteN" for a block of the notes at the end) then each
// run as "<flags size color>text" with the text's bytes (line breaks as
// "\n"). Tables as "<table RxC widths align>", a line per cell with its
// span, stored cells, borders (top left bottom right), shading and vertical
// alignment, its paragraphs indented, and "</table>".
std::string dump(const QTextDocument& doc);

// The document text as YUSCII bytes as the searches see it: cells end with
// a tab, rows with a line end, the notes at the end are left out.
std::string plain(const QTextDocument& doc);

// Whether the document's text is plainText: the same bytes, or, for a
// document with tables (whose empty paragraphs around the tables the text
// does not show alike), the same text between tabs and line ends.
bool sameText(const QTextDocument& doc, const std::string& plainText);

}  // namespace richtext_test
