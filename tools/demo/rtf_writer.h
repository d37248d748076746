#pragma once
// The body markup of the demo sources as RTF: one paragraph per line, with
// alignment, indents, bold and italic; text in YUSCII bytes.
//
//   # text     centred, bold (title block)
//   ## text    centred, bold (article heading)
//   ### text   centred, italic (section heading)
//   - text     list item, left indent
//   text       justified, first-line indent
//   inline: **bold**, _italic_
#include <string>
#include <string_view>
#include <vector>

namespace demo {

enum class Script { Latin, Cyrillic };

// One source line in YUSCII (digraph separators still in place).
struct SourceLine {
    int number = 0;
    std::string text;
};

// YUSCII text as RTF text: "\", "{" and "}" (the letters Dj, s and c with
// caron/acute) are escaped.
std::string rtfEscape(std::string_view yuscii);

// The whole body as one RTF document in the script's font. Empty lines are
// skipped. An unclosed ** or _ is an error naming file and line.
std::string markupToRtf(const std::vector<SourceLine>& body, Script script, std::string_view file);

// A one-paragraph note. When exactLength is not 0 the paragraph is padded with
// trailing blanks so the RTF is exactly that many bytes; a note already longer
// is an error naming file and line.
std::string noteToRtf(const SourceLine& note, Script script, std::string_view file,
                      size_t exactLength = 0);

}  // namespace demo
