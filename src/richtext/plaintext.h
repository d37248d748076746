#pragma once
// The plain text of a stored RTF text, without building a document: what the
// searches compare. It equals the reader's document text (toPlainText):
// paragraphs and line breaks are '\n' (no '\n' for a final \par), tabs '\t',
// every other character one YUSCII byte. Input that is not RTF is taken as
// plain text (see rtf_parser.h for this and for malformed input).
#include <string>
#include <string_view>

namespace rtf {

std::string plainText(std::string_view rtf);

// Appends the plain text to out; lets a search loop reuse one buffer.
void appendPlainText(std::string_view rtf, std::string& out);

}  // namespace rtf
