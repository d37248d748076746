#pragma once
// YUSCII text as the real Unicode letters it reads as, for text that leaves
// the program as characters rather than as codes drawn by our fonts: PDF
// text, exports. The script decides what the codes are: Serbian Latin
// (W Q X as Nj Lj Dž), Serbian Cyrillic (every letter code its Cyrillic
// letter; Y, which has none, stays Latin), or the interface face's Latin
// (only the ten punctuation letters; w q x stay plain letters). Bytes 0x80-0xFF are their
// Windows-1252 characters; control bytes stay as they are.
#include <string>
#include <string_view>

namespace yuscii {

enum class Script { Latin, Interface, Cyrillic };

std::u16string toUnicode(std::string_view yuscii, Script script);
std::string toUtf8(std::string_view yuscii, Script script);

}  // namespace yuscii
