#pragma once
// Writes a QTextDocument as RTF that the reader reads back to the same text
// and formatting: paragraph alignment, indents and spacing (points in the
// document, twips in the file), bold, italic, underline, font size and text
// colour. Characters up to 0xFF are YUSCII bytes; a Serbian letter above
// 0xFF (typed as Unicode) is stored as its YUSCII code, any other as \uN with
// the fallback '?'. The font table names "YHelvetica"; the font family of a
// run is not stored.
#include <QTextDocument>
#include <string>

namespace richtext {

std::string write(const QTextDocument& doc);

}  // namespace richtext
