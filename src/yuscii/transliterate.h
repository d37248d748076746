#pragma once
// YUSCII text as plain ASCII Latin without diacritics, for text that leaves
// the program through the clipboard: nj, lj, dz, s, c, z, dj and capitals.
#include <string>
#include <string_view>

namespace yuscii {

// Every YUSCII letter replaced by its plain Latin spelling; every other byte
// unchanged. The result holds none of the YUSCII letter codes, so
// transliterating it again changes nothing.
std::string transliterate(std::string_view text);

}  // namespace yuscii
