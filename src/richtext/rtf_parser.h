#pragma once
// The RTF tokenizer and parser shared by the plain-text extraction and the
// document reader. It reports the text with its formatting to a sink, one
// run at a time, so that both see exactly the same text.
//
// Conventions, the same for every sink:
// - Text is YUSCII bytes; bytes 0x80-0xFF are Windows-1252 characters.
//   \'hh gives byte hh. \uN gives the YUSCII code of a Serbian Latin or
//   Cyrillic letter, the byte of an ASCII or Windows-1252 character, and
//   otherwise the character itself through Sink::foreign; its \ucN fallback
//   is then skipped.
// - Control bytes other than tab never reach the sink (raw or escaped); a
//   non-breaking space (\~ or byte 0xA0) becomes a plain space.
// - \par (and \sect, \page) ends a paragraph. A paragraph end is only
//   reported when something follows it, so a final \par adds no empty
//   paragraph: "a\par" is one paragraph, "a\par\par" two (the second empty).
// - Tables: \cell (\nestcell) ends a paragraph and its cell; \row (\nestrow)
//   ends the row and, like \par, the line: "a\cell b\cell\row c" is the text
//   "a", tab, "b", tab, line end, "c" to a sink that writes cells as tabs.
// - Footnotes (\footnote) come between footnoteStart and footnoteEnd, with
//   paragraphs of their own; the text around them goes on undisturbed.
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
    // A UTF-16 unit of a character that has no byte (a character beyond the
    // BMP comes as its two surrogates).
    virtual void foreign(char16_t unit, const CharFormat& format) = 0;
    // A line break inside the paragraph (\line).
    virtual void lineBreak(const CharFormat& format) = 0;
    // The format of the current paragraph; reported once per paragraph, when
    // it ends (or at the end of the input for the last one).
    virtual void paragraphFormat(const ParaFormat& format) = 0;
    // A new paragraph starts after the current one (or after a row).
    virtual void newParagraph() = 0;
    // The current paragraph (its format just reported) ends a table cell of
    // the given nesting level (1: a table in the body).
    virtual void cellEnd(int level) { (void)level; }
    // The cells ended since the last row end form a row.
    virtual void rowEnd(int level, const RowFormat& row) {
        (void)level;
        (void)row;
    }
    // A footnote's reference mark (\chftn) in the running text, or its number
    // at the start of the note itself (inNote). The number is its text.
    virtual void footnoteMark(int number, bool inNote, const CharFormat& format) = 0;
    virtual void footnoteStart(int number) { (void)number; }
    virtual void footnoteEnd() {}
    // A page break (\page): the next paragraph starts a new page.
    virtual void pageBreak() {}
    // The target of the hyperlink that text with CharFormat::link == index
    // belongs to; reported before that text.
    virtual void linkTarget(int index, std::string_view url) {
        (void)index;
        (void)url;
    }
};

void parse(std::string_view input, Sink& sink);

// The YUSCII byte for a Serbian Latin or Cyrillic letter given as a Unicode
// code point, or -1 when the code point is none of them.
int yusciiFromUnicode(long codePoint);

}  // namespace rtf
