#pragma once
// Reads a stored RTF text into a QTextDocument. The document holds YUSCII
// bytes as the characters platform::qs() gives them (the byte's own code, the
// ten punctuation letters in private use), never decoded letters; the windows
// choose the YUSCII font that draws them.
//
// Paragraph lengths (indents, spacing) are stored in points (twips / 20).
// Font sizes are set only where the text gives one (\fsN); elsewhere the
// document's default font applies. Text colours come from the colour table.
// Line breaks (\line) are QChar::LineSeparator inside the paragraph.
// What the reader does with malformed or non-RTF input: see rtf_parser.h;
// platform::ys(doc.toPlainText()) always equals rtf::plainText() of the same
// input, position for position.
#include <QTextDocument>
#include <memory>
#include <string_view>

namespace richtext {

// Replaces the document's content (one edit block, undo history cleared).
void read(std::string_view rtf, QTextDocument& doc);

// A new document holding the text.
std::unique_ptr<QTextDocument> read(std::string_view rtf);

}  // namespace richtext
