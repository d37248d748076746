#pragma once
// YUSCII letters: ten ASCII punctuation codes and the letters W, Q and X stand
// for Serbian letters. Case mapping and the mapping of typed characters to
// YUSCII codes.
//
//   @ [ \ ] ^  =  Ž Š Đ Ć Č     ` { | } ~  =  ž š đ ć č
//   W Q X      =  Nj Lj Dž      w q x      =  nj lj dž
#include <optional>
#include <string>
#include <string_view>

namespace yuscii {

// Lower-case YUSCII letters (` { | } ~) to their capitals (@ [ \ ] ^); every
// other byte, ASCII letters included, unchanged.
char yusciiupper(char ch);
// The reverse: @ [ \ ] ^ to ` { | } ~; every other byte unchanged.
char yusciilower(char ch);

// Full upper case of a YUSCII text: a-z to A-Z, then yusciiupper. Same length.
std::string yupperW(std::string_view s);
// Full lower case: A-Z to a-z, then yusciilower. Same length.
std::string ylowerW(std::string_view s);

// Keyboard mapping of one typed character: the US-layout keys that carry the
// Serbian letters on a Serbian Latin keyboard ([ { ] } ; : ' " \ |) become the
// YUSCII letters; every other byte unchanged. The result is YUSCII.
char yusciitounicod(char ch);

// A typed Unicode character as the YUSCII byte it enters: Latin-1 characters
// go through yusciitounicod; the Unicode letters Š š Č č Ć ć Đ đ Ž ž and the
// Serbian Cyrillic letters (as their Latin counterparts: Љ Q, Њ W, Џ X, Ш [,
// ...) become their YUSCII codes. Anything else has no byte (nullopt).
std::optional<char> fromUnicodeKey(char32_t codePoint);

}  // namespace yuscii
