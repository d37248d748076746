#pragma once
// Reads a stored RTF text into a QTextDocument. The document holds YUSCII
// bytes as the characters platform::qs() gives them (the byte's own code or
// its Windows-1252 character, the ten punctuation letters in private use),
// never decoded letters; the windows choose the YUSCII font that draws them.
// A character the RTF gives that has no byte is kept as itself.
//
// Paragraph lengths (indents, spacing) are stored in points (twips / 20).
// Font sizes are set only where the text gives one (\fsN); elsewhere the
// document's default font applies. Text colours come from the colour table.
// Line breaks (\line) are QChar::LineSeparator inside the paragraph.
// Superscript and subscript are the char format's vertical alignment.
// Tables are QTextTables: the edges of all rows' cells are the columns
// (widths fixed, or in percent for a table wider than 6.5 inches), merged
// cells span, cell borders, shading and vertical alignment as given; nested
// tables sit in their cells. A hyperlink field's result is an anchor with
// the link as its href. Footnote marks are superscript numbers
// (kNoteReference); the notes follow the text under a rule, their blocks
// marked kNoteBlock (docformat.h). \page sets a page break before the
// next paragraph or table.
// What the reader does with malformed or non-RTF input: see rtf_parser.h.
// For a document without tables platform::ys(doc.toPlainText()) equals
// rtf::plainText() of the same input, position for position, up to the notes
// at the end.
#include <QTextDocument>
#include <memory>
#include <string_view>

namespace richtext {

// Replaces the document's content (one edit block, undo history cleared).
void read(std::string_view rtf, QTextDocument& doc);

// A new document holding the text.
std::unique_ptr<QTextDocument> read(std::string_view rtf);

}  // namespace richtext
