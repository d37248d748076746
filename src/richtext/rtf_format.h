#pragma once
// Character, paragraph and table formatting as the RTF reader sees it.
// Lengths are twips (1/20 point) as in RTF itself; sizes are half-points.
#include <array>
#include <cstdint>
#include <vector>

namespace rtf {

enum class Align : unsigned char { Left, Center, Right, Justify };
enum class Script : unsigned char { Normal, Super, Sub };
// The YUSCII screen face a run asks for where it differs from the document's
// default font (a Roman numeral in Latin inside a Cyrillic text); other
// fonts are left to the window.
enum class Face : unsigned char { Document, Latin, Cyrillic };

struct CharFormat {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hasColor = false;  // false: automatic (the view's text colour)
    Script script = Script::Normal;
    int fontSize = 0;         // half-points; 0: the document's default size
    std::uint32_t color = 0;  // 0xRRGGBB when hasColor
    int link = 0;             // 1-based hyperlink (Sink::linkTarget); 0: none
    Face face = Face::Document;

    friend bool operator==(const CharFormat&, const CharFormat&) = default;
};

struct ParaFormat {
    Align align = Align::Left;
    int firstIndent = 0;  // twips, may be negative (hanging indent)
    int leftIndent = 0;
    int rightIndent = 0;
    int spaceBefore = 0;
    int spaceAfter = 0;
    int tableLevel = 0;  // 0: body text; 1: a table's cell; 2 and up: nested
    bool pageBreakBefore = false;
    int tabCount = 0;           // tab stops (\txN) in tabs, in the order given
    std::array<int, 8> tabs{};  // twips

    friend bool operator==(const ParaFormat&, const ParaFormat&) = default;
};

enum class BorderStyle : unsigned char { None, Single, Double, Dotted, Dashed };

struct Border {
    BorderStyle style = BorderStyle::None;
    int width = 0;  // twips
    bool hasColor = false;
    std::uint32_t color = 0;

    friend bool operator==(const Border&, const Border&) = default;
};

enum class VAlign : unsigned char { Top, Center, Bottom };

// One cell of a row definition (the properties before its \cellx).
struct CellDef {
    int right = 0;             // \cellx: the cell's right edge, from the row's origin
    bool mergeFirst = false;   // \clmgf: the first of horizontally merged cells
    bool merged = false;       // \clmrg: merged into the cell on its left
    bool vmergeFirst = false;  // \clvmgf: the first of vertically merged cells
    bool vmerged = false;      // \clvmrg: merged into the cell above
    Border top, left, bottom, right_;
    bool hasShading = false;
    std::uint32_t shading = 0;  // background 0xRRGGBB
    VAlign valign = VAlign::Top;

    friend bool operator==(const CellDef&, const CellDef&) = default;
};

struct RowFormat {
    std::vector<CellDef> cells;
    int left = 0;  // \trleft
    int gap = 0;   // \trgaph: half the space between cells
    Align align = Align::Left;
    bool header = false;  // \trhdr

    friend bool operator==(const RowFormat&, const RowFormat&) = default;
};

// Limits the reader applies to what a file asks for.
inline constexpr int kMinFontSize = 2;     // half-points (1 pt)
inline constexpr int kMaxFontSize = 3276;  // half-points (1638 pt)
inline constexpr int kMaxIndent = 31680;   // twips (22 inches)
inline constexpr int kMaxCells = 63;       // cells of one row definition
inline constexpr int kMaxTableLevel = 8;   // deeper nesting reads as this level

}  // namespace rtf
