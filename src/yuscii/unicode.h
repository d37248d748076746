#pragma once
// YUSCII text as real Unicode letters, for text that leaves the program as
// text (PDF): what the YUSCII faces draw, spelt with Unicode's letters.
//
//   Latin       the Latin text face: @ [ \ ] ^ ` { | } ~ as Ž Š Đ Ć Č ž š đ ć č,
//               W Q X w q x as Nj Lj Dž nj lj dž
//   Interface   the interface face: only the ten punctuation letters
//   Cyrillic    the Cyrillic text face: every Serbian letter as its Cyrillic
//               letter (A B V G ... as А Б В Г ..., W as Њ); Y y stay
//
// Other bytes keep their own code (Latin-1).
#include <string>
#include <string_view>

namespace yuscii {

enum class Script { Latin, Interface, Cyrillic };

std::u16string toUnicode(std::string_view text, Script script);

}  // namespace yuscii
