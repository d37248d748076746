#pragma once
// The plain text of a stored RTF text, without building a document: what the
// searches compare. Paragraphs and line breaks are '\n' (no '\n' for a final
// \par), tabs '\t', a table's cells end with '\t' and its rows with '\n',
// every other character is one YUSCII byte (bytes 0x80-0xFF Windows-1252)
// and a character without a byte is '?' for each of its UTF-16 units. A
// footnote's text is left out; its reference mark (\chftn) is its number.
// Without tables it equals the reader's document text (toPlainText) up to
// the notes. Input that is not RTF is taken as plain text (see rtf_parser.h
// for this and for malformed input).
#include <string>
#include <string_view>

namespace rtf {

std::string plainText(std::string_view rtf);

// Appends the plain text to out; lets a search loop reuse one buffer.
void appendPlainText(std::string_view rtf, std::string& out);

}  // namespace rtf
