// libFuzzer target: the plain text of arbitrary bytes. Aborts when the text
// is longer than its source or holds bytes a sink must never see.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "richtext/plaintext.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string text = rtf::plainText(input);
    if (text.size() > size)
        std::abort();
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if ((b < 0x20 && b != '\t' && b != '\n') || b == 0xA0)
            std::abort();
    }
    return 0;
}
