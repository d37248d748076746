#pragma once
// Character and paragraph formatting as the RTF reader sees it. Lengths are
// twips (1/20 point) as in RTF itself; sizes are half-points.
#include <cstdint>

namespace rtf {

enum class Align : unsigned char { Left, Center, Right, Justify };

struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hasColor = false;    // false: automatic (the view's text colour)
    int fontSize = 0;         // half-points; 0: the document's default size
    std::uint32_t color = 0;  // 0xRRGGBB when hasColor

    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

struct ParaFormat {
    Align align = Align::Left;
    int firstIndent = 0;  // twips, may be negative (hanging indent)
    int leftIndent = 0;
    int rightIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;

    friend bool operator==(const ParaFormat&, const ParaFormat&) = default;
};

// Limits the reader applies to what a file asks for.
inline constexpr int kMinFontSize = 2;     // half-points (1 pt)
inline constexpr int kMaxFontSize = 3276;  // half-points (1638 pt)
inline constexpr int kMaxIndent = 31680;   // twips (22 inches)

}  // namespace rtf
