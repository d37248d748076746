#pragma once
// The RTF tokenizer and parser shared by the plain-text extraction and the
// document reader. It reports the text with its formatting to a sink, one
// run at a time, so that both see exactly the same text.
//
// Conventions, the same for every sink:
// - Text is YUSCII bytes. \'hh gives byte hh; \uN gives the YUSCII code of a
//   Serbian Latin or Cyrillic letter (its \ucN fallback then skipped) and
//   otherwise nothing, so that the fallback text shows.
// - Control bytes other than tab never reach the sink (raw or escaped); a
//   non-breaking space (\~ or byte 0xA0) becomes a plain space.
// - \par (and \sect, \page, \row) ends a paragraph. A paragraph end is only
//   reported when something follows it, so a final \par adds no empty
//   paragraph: "a\par" is one paragraph, "a\par\par" two (the second empty).
// - Input that does not start with "{\rtf" (after white space) is plain text:
//   its bytes pass through and CR LF, LF or CR end paragraphs.
// - Malformed input never fails: a '}' without its '{' is ignored, groups
//   left open end with the input, nesting deeper than kMaxDepth keeps the
//   state of the deepest level, \binN never reads past the end.
#include <string_view>

#include "richtext/rtf_format.h"

namespace rtf {

inline constexpr int kMaxDepth = 512;

class Sink {
  public:
    virtual ~Sink() = default;
    // A run of text bytes in one format (never empty, never CR or LF).
    virtual void text(std::string_view bytes, const CharFormat& format) = 0;
    // A line break inside the paragraph (\line).
    virtual void lineBreak(const CharFormat& format) = 0;
    // The format of the current paragraph; reported once per paragraph, when
    // it ends (or at the end of the input for the last one).
    virtual void paragraphFormat(const ParaFormat& format) = 0;
    // A new paragraph starts after the current one.
    virtual void newParagraph() = 0;
};

void parse(std::string_view input, Sink& sink);

// The YUSCII byte for a Serbian Latin or Cyrillic letter given as a Unicode
// code point, or -1 when the code point is none of them.
int yusciiFromUnicode(long codePoint);

}  // namespace rtf
