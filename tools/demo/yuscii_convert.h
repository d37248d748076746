#pragma once
// UTF-8 Serbian Latin text of the demo sources into YUSCII bytes, and the
// Cyrillic-script codes derived from the Latin ones.
#include <stdexcept>
#include <string>
#include <string_view>

namespace demo {

// A problem in a source file; the text names the file and the line.
class SourceError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// "file:line: problem".
std::string where(std::string_view file, int line);

// UTF-8 to YUSCII: the Serbian letters to their codes, typographic marks to
// plain ASCII. The ten ASCII characters that are YUSCII letters, control
// characters and any other non-ASCII character are errors naming file and
// line. A "+" between the letters of a digraph is kept (see below).
std::string utf8ToYuscii(std::string_view utf8, std::string_view file, int line);

// The Latin text: drops the "+" that marks a two-letter digraph (in+jekcija).
std::string latinText(std::string_view yuscii);

// The Cyrillic text: nj, lj, dz-caron become w, q, x (upper case when the
// first letter is upper case), except where a "+" separates the two letters,
// which is dropped.
std::string cyrillicText(std::string_view yuscii);

}  // namespace demo
