#pragma once
// Writes a QTextDocument as RTF that the reader reads back to the same text
// and formatting: paragraph alignment, indents and spacing (points in the
// document, twips in the file), page breaks, bold, italic, underline,
// superscript and subscript, font size and text colour, hyperlinks, tables
// (widths, merged cells, borders, shading, nested tables) and footnotes.
// Characters that stand for a byte (platform::yusciiByte: YUSCII and
// Windows-1252) are that byte; a Serbian letter typed as Unicode is stored
// as its YUSCII code, any other character as \uN with the fallback '?'. The
// font table names "YHelvetica"; the font family of a run is not stored.
#include <QTextDocument>
#include <string>

namespace richtext {

std::string write(const QTextDocument& doc);

}  // namespace richtext
