// One pass over the input with an explicit stack of group states; no
// recursion, no allocation per character.
#include "richtext/rtf_parser.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

#include "yuscii/cp1252.h"

namespace rtf {
namespace {

enum class Kw : unsigned char {
    SkipDest,
    ColorTable,
    FontTable,
    Font,
    DefaultFont,
    Plain,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    FontSize,
    Color,
    Pard,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    FirstIndent,
    LeftIndent,
    RightIndent,
    SpaceBefore,
    SpaceAfter,
    Par,
    Line,
    Tab,
    Dash,
    Space,
    Quote,
    DoubleQuote,
    Bullet,
    Unicode,
    UnicodeSkip,
    Bin,
    Red,
    Green,
    Blue,
    Super,
    Sub,
    Up,
    Down,
    NoSuperSub,
    Page,
    PageBreakBefore,
    TabStop,
    Footnote,
    FootnoteMark,
    Field,
    FieldInst,
    FieldResult,
    InTable,
    TableLevel,
    Cell,
    NestCell,
    Row,
    NestRow,
    NestTableProps,
    RowDefaults,
    CellX,
    RowGap,
    RowLeft,
    RowAlignLeft,
    RowAlignCenter,
    RowAlignRight,
    RowHeader,
    MergeFirst,
    Merged,
    VMergeFirst,
    VMerged,
    CellBorderTop,
    CellBorderLeft,
    CellBorderBottom,
    CellBorderRight,
    OtherBorder,
    BorderSingle,
    BorderDouble,
    BorderDotted,
    BorderDashed,
    BorderHair,
    BorderNone,
    BorderWidth,
    BorderColor,
    CellShadingColor,
    CellShading,
    CellTop,
    CellCenter,
    CellBottom,
};

const std::unordered_map<std::string_view, Kw>& keywords() {
    static const std::unordered_map<std::string_view, Kw> table = [] {
        std::unordered_map<std::string_view, Kw> t;
        // Destinations whose content is not text of the document.
        for (std::string_view d : {"filetbl",
                                   "stylesheet",
                                   "listtable",
                                   "listoverridetable",
                                   "revtbl",
                                   "rsidtbl",
                                   "info",
                                   "pict",
                                   "object",
                                   "objdata",
                                   "header",
                                   "headerl",
                                   "headerr",
                                   "headerf",
                                   "footer",
                                   "footerl",
                                   "footerr",
                                   "footerf",
                                   "annotation",
                                   "atnid",
                                   "atnauthor",
                                   "xe",
                                   "tc",
                                   "txe",
                                   "pn",
                                   "nonshppict",
                                   "shp",
                                   "shpinst",
                                   "shprslt",
                                   "themedata",
                                   "colorschememapping",
                                   "latentstyles",
                                   "datastore",
                                   "xmlnstbl",
                                   "mmathPr",
                                   "userprops",
                                   "docvar",
                                   "template",
                                   "generator",
                                   "pgdsctbl",
                                   "protusertbl",
                                   "fchars",
                                   "lchars",
                                   "background",
                                   "bkmkstart",
                                   "bkmkend",
                                   "author",
                                   "operator",
                                   "title",
                                   "subject",
                                   "keywords",
                                   "comment",
                                   "doccomm",
                                   "company",
                                   "category",
                                   "manager",
                                   "hlinkbase",
                                   "creatim",
                                   "revtim",
                                   "printim",
                                   "buptim",
                                   "password",
                                   "passwordhash",
                                   "nonesttables",
                                   "listpicture",
                                   "ftnsep",
                                   "ftnsepc",
                                   "ftncn",
                                   "aftnsep",
                                   "aftnsepc",
                                   "aftncn"}) {
            t.emplace(d, Kw::SkipDest);
        }
        const std::pair<std::string_view, Kw> words[] = {
            {"colortbl", Kw::ColorTable},
            {"fonttbl", Kw::FontTable},
            {"f", Kw::Font},
            {"deff", Kw::DefaultFont},
            {"plain", Kw::Plain},
            {"b", Kw::Bold},
            {"i", Kw::Italic},
            {"ul", Kw::Underline},
            {"uld", Kw::Underline},
            {"uldash", Kw::Underline},
            {"uldashd", Kw::Underline},
            {"uldashdd", Kw::Underline},
            {"uldb", Kw::Underline},
            {"ulhwave", Kw::Underline},
            {"ulldash", Kw::Underline},
            {"ulth", Kw::Underline},
            {"ulthd", Kw::Underline},
            {"ulthdash", Kw::Underline},
            {"ulthdashd", Kw::Underline},
            {"ulthdashdd", Kw::Underline},
            {"ulthldash", Kw::Underline},
            {"ululdbwave", Kw::Underline},
            {"ulw", Kw::Underline},
            {"ulwave", Kw::Underline},
            {"ulnone", Kw::UnderlineNone},
            {"fs", Kw::FontSize},
            {"cf", Kw::Color},
            {"pard", Kw::Pard},
            {"ql", Kw::AlignLeft},
            {"qc", Kw::AlignCenter},
            {"qr", Kw::AlignRight},
            {"qj", Kw::AlignJustify},
            {"fi", Kw::FirstIndent},
            {"li", Kw::LeftIndent},
            {"lin", Kw::LeftIndent},
            {"ri", Kw::RightIndent},
            {"rin", Kw::RightIndent},
            {"sb", Kw::SpaceBefore},
            {"sa", Kw::SpaceAfter},
            {"par", Kw::Par},
            {"sect", Kw::Par},
            {"page", Kw::Page},
            {"row", Kw::Row},
            {"nestrow", Kw::NestRow},
            {"line", Kw::Line},
            {"tab", Kw::Tab},
            {"cell", Kw::Cell},
            {"nestcell", Kw::NestCell},
            {"emdash", Kw::Dash},
            {"endash", Kw::Dash},
            {"emspace", Kw::Space},
            {"enspace", Kw::Space},
            {"qmspace", Kw::Space},
            {"lquote", Kw::Quote},
            {"rquote", Kw::Quote},
            {"ldblquote", Kw::DoubleQuote},
            {"rdblquote", Kw::DoubleQuote},
            {"bullet", Kw::Bullet},
            {"u", Kw::Unicode},
            {"uc", Kw::UnicodeSkip},
            {"bin", Kw::Bin},
            {"red", Kw::Red},
            {"green", Kw::Green},
            {"blue", Kw::Blue},
            {"super", Kw::Super},
            {"sub", Kw::Sub},
            {"up", Kw::Up},
            {"dn", Kw::Down},
            {"nosupersub", Kw::NoSuperSub},
            {"pagebb", Kw::PageBreakBefore},
            {"tx", Kw::TabStop},
            {"footnote", Kw::Footnote},
            {"chftn", Kw::FootnoteMark},
            {"field", Kw::Field},
            {"fldinst", Kw::FieldInst},
            {"fldrslt", Kw::FieldResult},
            {"intbl", Kw::InTable},
            {"itap", Kw::TableLevel},
            {"nesttableprops", Kw::NestTableProps},
            {"trowd", Kw::RowDefaults},
            {"cellx", Kw::CellX},
            {"trgaph", Kw::RowGap},
            {"trleft", Kw::RowLeft},
            {"trql", Kw::RowAlignLeft},
            {"trqc", Kw::RowAlignCenter},
            {"trqr", Kw::RowAlignRight},
            {"trhdr", Kw::RowHeader},
            {"clmgf", Kw::MergeFirst},
            {"clmrg", Kw::Merged},
            {"clvmgf", Kw::VMergeFirst},
            {"clvmrg", Kw::VMerged},
            {"clbrdrt", Kw::CellBorderTop},
            {"clbrdrl", Kw::CellBorderLeft},
            {"clbrdrb", Kw::CellBorderBottom},
            {"clbrdrr", Kw::CellBorderRight},
            {"brdrt", Kw::OtherBorder},
            {"brdrl", Kw::OtherBorder},
            {"brdrb", Kw::OtherBorder},
            {"brdrr", Kw::OtherBorder},
            {"brdrbtw", Kw::OtherBorder},
            {"brdrbar", Kw::OtherBorder},
            {"box", Kw::OtherBorder},
            {"trbrdrt", Kw::OtherBorder},
            {"trbrdrl", Kw::OtherBorder},
            {"trbrdrb", Kw::OtherBorder},
            {"trbrdrr", Kw::OtherBorder},
            {"trbrdrh", Kw::OtherBorder},
            {"trbrdrv", Kw::OtherBorder},
            {"brdrs", Kw::BorderSingle},
            {"brdrth", Kw::BorderSingle},
            {"brdrsh", Kw::BorderSingle},
            {"brdrdb", Kw::BorderDouble},
            {"brdrtriple", Kw::BorderDouble},
            {"brdrdot", Kw::BorderDotted},
            {"brdrdash", Kw::BorderDashed},
            {"brdrdashsm", Kw::BorderDashed},
            {"brdrdashd", Kw::BorderDashed},
            {"brdrhair", Kw::BorderHair},
            {"brdrnone", Kw::BorderNone},
            {"brdrnil", Kw::BorderNone},
            {"brdrw", Kw::BorderWidth},
            {"brdrcf", Kw::BorderColor},
            {"clcbpat", Kw::CellShadingColor},
            {"clshdng", Kw::CellShading},
            {"clvertalt", Kw::CellTop},
            {"clvertalc", Kw::CellCenter},
            {"clvertalb", Kw::CellBottom},
        };
        for (const auto& [name, kw] : words) {
            t.emplace(name, kw);
        }
        return t;
    }();
    return table;
}

// Bytes that end a run of plain text: group and control characters, control
// bytes other than tab, and the non-breaking space (which becomes a space).
struct ByteClasses {
    std::array<bool, 256> rtf{};
    std::array<bool, 256> plain{};
    constexpr ByteClasses() {
        for (int b = 0; b < 0x20; ++b) {
            rtf[b] = plain[b] = b != '\t';
        }
        rtf[0xA0] = plain[0xA0] = true;
        rtf['{'] = rtf['}'] = rtf['\\'] = true;
    }
};
constexpr ByteClasses kClasses;

// Every byte value as a one-byte string, for single characters.
struct ByteStrings {
    std::array<char, 256> bytes{};
    constexpr ByteStrings() {
        for (int b = 0; b < 256; ++b) {
            bytes[b] = static_cast<char>(b);
        }
    }
};
constexpr ByteStrings kBytes;

constexpr std::size_t kMaxColors = 65536;
constexpr std::size_t kMaxFonts = 4096;
constexpr std::size_t kMaxFontName = 64;
constexpr std::size_t kMaxFieldInstruction = 4096;
constexpr int kMaxLinks = 1 << 20;

// Where the text of a group goes: the document (body or footnote), the
// colour table, a field's instruction, or a nested row's properties.
enum class Dest : unsigned char { Text, ColorTable, FieldInst, NestProps };

struct State {
    CharFormat chr;
    ParaFormat para;
    int uc = 1;  // bytes of fallback text after \uN
    Dest dest = Dest::Text;
    bool note = false;  // inside a footnote
};

struct ColorEntry {
    bool set = false;
    std::uint32_t rgb = 0;
};

bool isLower(char c) {
    return c >= 'a' && c <= 'z';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int clampInt(long long v, int lo, int hi) {
    return static_cast<int>(std::clamp<long long>(v, lo, hi));
}

// The target of a HYPERLINK field instruction: HYPERLINK "url" or
// HYPERLINK url; empty for any other field.
std::string_view hyperlinkTarget(std::string_view inst) {
    auto skipSpaces = [&inst] {
        while (!inst.empty() && (inst.front() == ' ' || inst.front() == '\t'))
            inst.remove_prefix(1);
    };
    skipSpaces();
    constexpr std::string_view kWord = "HYPERLINK";
    if (!inst.starts_with(kWord))
        return {};
    inst.remove_prefix(kWord.size());
    skipSpaces();
    if (!inst.empty() && inst.front() == '"') {
        inst.remove_prefix(1);
        return inst.substr(0, inst.find('"'));
    }
    return inst.substr(0, inst.find_first_of(" \t\""));
}

struct Word {
    std::string_view name;
    bool hasParam = false;
    long long param = 0;  // saturated to the int range
};

class Parser {
  public:
    Parser(std::string_view in, Sink& sink) : in_(in), sink_(sink) {}

    void run() {
        std::size_t p = 0;
        while (p < in_.size() && (in_[p] == ' ' || in_[p] == '\t' || in_[p] == '\r' ||
                                  in_[p] == '\n' || in_[p] == '\0')) {
            ++p;
        }
        if (in_.substr(p).starts_with("{\\rtf")) {
            pos_ = p;
            runRtf();
        } else {
            runPlain();
        }
        if (st_.note)
            endNote(st_.para);
        // The last paragraph, not ended by \par, keeps the format it had at
        // its last text (the closing braces would otherwise reset it).
        if (!paraPending_ && !afterCell_) {
            sink_.paragraphFormat(textInPara_ ? lastPara_ : st_.para);
        }
    }

  private:
    // ---- plain text input

    void runPlain() {
        const std::size_t n = in_.size();
        while (pos_ < n) {
            unsigned char c = static_cast<unsigned char>(in_[pos_]);
            if (c == '\r') {
                ++pos_;
                if (pos_ < n && in_[pos_] == '\n')
                    ++pos_;
                paragraphEnd();
            } else if (c == '\n') {
                ++pos_;
                paragraphEnd();
            } else if (kClasses.plain[c]) {
                ++pos_;
                emitByte(c);
            } else {
                std::size_t start = pos_;
                while (pos_ < n && !kClasses.plain[static_cast<unsigned char>(in_[pos_])]) {
                    ++pos_;
                }
                emitText(in_.substr(start, pos_ - start));
            }
        }
    }

    // ---- RTF input

    void runRtf() {
        stack_.reserve(32);
        const std::size_t n = in_.size();
        while (pos_ < n) {
            unsigned char c = static_cast<unsigned char>(in_[pos_]);
            if (!kClasses.rtf[c]) {
                std::size_t start = pos_;
                while (pos_ < n && !kClasses.rtf[static_cast<unsigned char>(in_[pos_])]) {
                    ++pos_;
                }
                textRun(in_.substr(start, pos_ - start));
                continue;
            }
            ++pos_;
            switch (c) {
                case '{':
                    pushGroup();
                    break;
                case '}':
                    popGroup();
                    break;
                case '\\':
                    control();
                    break;
                case 0xA0:
                    groupStart_ = false;
                    emitByte(c);
                    break;
                default:
                    break;  // CR, LF and other control bytes are not text
            }
        }
    }

    void textRun(std::string_view run) {
        groupStart_ = false;
        if (skipChars_ > 0) {
            std::size_t k = std::min<std::size_t>(static_cast<std::size_t>(skipChars_), run.size());
            run.remove_prefix(k);
            skipChars_ -= static_cast<int>(k);
        }
        if (!run.empty())
            emitText(run);
    }

    void pushGroup() {
        skipChars_ = 0;
        groupStart_ = true;
        if (stack_.size() >= static_cast<std::size_t>(kMaxDepth)) {
            ++overflow_;
        } else {
            stack_.push_back(st_);
        }
    }

    void popGroup() {
        skipChars_ = 0;
        groupStart_ = false;
        if (overflow_ > 0) {
            --overflow_;
        } else if (!stack_.empty()) {
            const bool wasNote = st_.note;
            const ParaFormat notePara = st_.para;
            st_ = stack_.back();
            stack_.pop_back();
            if (wasNote && !st_.note)
                endNote(notePara);
        }
        // A '}' without its '{' is ignored.
    }

    // Reads a control word's letters and parameter; pos_ is on the first letter.
    Word readWord() {
        const std::size_t n = in_.size();
        Word w;
        std::size_t start = pos_;
        while (pos_ < n && isLower(in_[pos_]))
            ++pos_;
        w.name = in_.substr(start, pos_ - start);
        bool negative = false;
        if (pos_ + 1 < n && in_[pos_] == '-' && isDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        if (pos_ < n && isDigit(in_[pos_])) {
            w.hasParam = true;
            long long v = 0;
            constexpr long long kSaturated = 1LL << 40;
            while (pos_ < n && isDigit(in_[pos_])) {
                if (v < kSaturated)
                    v = v * 10 + (in_[pos_] - '0');
                ++pos_;
            }
            if (negative)
                v = -v;
            w.param = std::clamp<long long>(v, std::numeric_limits<int>::min(),
                                            std::numeric_limits<int>::max());
        }
        if (pos_ < n && in_[pos_] == ' ')
            ++pos_;
        return w;
    }

    void skipBinary(long long count) {
        if (count <= 0)
            return;
        std::size_t left = in_.size() - pos_;
        pos_ += static_cast<std::size_t>(count) < left ? static_cast<std::size_t>(count) : left;
    }

    // Reads the rest of the current group and leaves it. see(depth, c, word)
    // gets each brace and plain character (word null) and each control word
    // (c is the backslash), depth counting the groups opened inside; \bin
    // data and control symbols are passed over.
    template <typename See>
    void walkGroup(See see) {
        const std::size_t n = in_.size();
        long long depth = 0;
        while (pos_ < n) {
            const char c = in_[pos_++];
            if (c == '}' && depth == 0) {
                popGroup();
                return;
            }
            if (c == '\\' && pos_ < n) {
                if (!isLower(in_[pos_])) {
                    ++pos_;  // a control symbol, \{ \} \\ included
                    continue;
                }
                const Word w = readWord();
                if (w.name == "bin" && w.hasParam)
                    skipBinary(w.param);
                else
                    see(depth, c, &w);
                continue;
            }
            if (c == '{')
                ++depth;
            see(depth, c, static_cast<const Word*>(nullptr));
            if (c == '}')
                --depth;
        }
    }

    // Skips the rest of the current group, including its closing brace.
    void skipGroup() {
        walkGroup([](long long, char, const Word*) {});
    }

    // The font table, read to its end: "\fN" starts an entry, its text up
    // to ';' is the name; starred groups in it (\panose, \falt) are not.
    void readFontTable() {
        long long starred = -1;  // the depth of the starred group being passed
        long long number = 0;
        std::string name;
        walkGroup([&](long long depth, char c, const Word* w) {
            if (w != nullptr) {
                if (starred < 0 && w->name == "f") {
                    number = w->hasParam ? w->param : 0;
                    name.clear();
                }
            } else if (c == '{') {
                if (starred < 0 && in_.substr(pos_, 2) == "\\*")
                    starred = depth;
            } else if (c == '}') {
                if (depth == starred)
                    starred = -1;
            } else if (starred >= 0 || c == '\r' || c == '\n') {
                return;
            } else if (c == ';') {
                while (!name.empty() && name.back() == ' ')
                    name.pop_back();
                addFont(number, name);
                name.clear();
            } else if (name.size() < kMaxFontName && !(name.empty() && c == ' ')) {
                name += c;
            }
        });
    }

    void addFont(long long number, const std::string& name) {
        Face face = Face::Document;
        if (name == "YHelvetica")
            face = Face::Latin;
        else if (name == "CHelvetica")
            face = Face::Cyrillic;
        if (fonts_.size() < kMaxFonts || fonts_.contains(number))
            fonts_[number] = face;
    }

    // After "{\*": the destinations this reader knows are read, any other
    // is skipped whole.
    void starredDestination() {
        const std::size_t n = in_.size();
        if (pos_ + 1 < n && in_[pos_] == '\\' && isLower(in_[pos_ + 1])) {
            ++pos_;
            const Word w = readWord();
            const auto& table = keywords();
            auto it = table.find(w.name);
            if (it != table.end() && (it->second == Kw::Footnote || it->second == Kw::FieldInst ||
                                      it->second == Kw::NestTableProps)) {
                word(w, true);
                return;
            }
        }
        skipGroup();
    }

    // pos_ is just after the backslash.
    void control() {
        const std::size_t n = in_.size();
        if (pos_ >= n)
            return;
        bool atGroupStart = groupStart_;
        groupStart_ = false;
        char c = in_[pos_];
        if (isLower(c)) {
            word(readWord(), atGroupStart);
            return;
        }
        ++pos_;
        if (c == '\'') {
            int value = -1;
            if (pos_ < n && hexValue(in_[pos_]) >= 0) {
                value = hexValue(in_[pos_++]);
                if (pos_ < n && hexValue(in_[pos_]) >= 0)
                    value = value * 16 + hexValue(in_[pos_++]);
            }
            if (value >= 0) {
                emitByte(static_cast<unsigned char>(value));
            } else if (skipChars_ > 0) {
                --skipChars_;
            }
            return;
        }
        if (skipChars_ > 0) {
            --skipChars_;
            return;
        }
        switch (c) {
            case '\\':
            case '{':
            case '}':
            case '|':  // a formula mark in RTF, but here the YUSCII letter a writer escaped
                emitByte(static_cast<unsigned char>(c));
                break;
            case '~':
                emitByte(' ');
                break;
            case '_':
                emitByte('-');
                break;
            case '*':
                if (atGroupStart)
                    starredDestination();
                break;
            case '\r':
            case '\n':
                paragraphEnd();
                break;
            default:
                break;  // \- optional hyphen, \: and unknown symbols
        }
    }

    // The row definition that row and cell words change: the nested one
    // inside \nesttableprops, the outer one elsewhere.
    int defIndex() const { return st_.dest == Dest::NestProps ? 1 : 0; }

    Border* border() {
        if (borderSide_ < 0)
            return nullptr;
        CellDef& cell = cellDefs_[defIndex()];
        Border* sides[] = {&cell.top, &cell.left, &cell.bottom, &cell.right_};
        return sides[borderSide_];
    }

    void setBorderStyle(BorderStyle style, int defaultWidth) {
        if (Border* b = border()) {
            b->style = style;
            if (b->width == 0)
                b->width = defaultWidth;
        }
    }

    const ColorEntry* colorAt(long long index) const {
        if (index >= 0 && static_cast<std::size_t>(index) < colors_.size() &&
            colors_[static_cast<std::size_t>(index)].set) {
            return &colors_[static_cast<std::size_t>(index)];
        }
        return nullptr;
    }

    void word(const Word& w, bool atGroupStart) {
        const auto& table = keywords();
        auto it = table.find(w.name);
        if (skipChars_ > 0) {
            // A control word stands for one byte of the \uN fallback text.
            --skipChars_;
            if (it != table.end() && it->second == Kw::Bin && w.hasParam)
                skipBinary(w.param);
            return;
        }
        if (it == table.end())
            return;
        CharFormat& chr = st_.chr;
        ParaFormat& para = st_.para;
        const bool on = !w.hasParam || w.param != 0;
        switch (it->second) {
            case Kw::SkipDest:
                if (atGroupStart)
                    skipGroup();
                break;
            case Kw::ColorTable:
                if (atGroupStart) {
                    st_.dest = Dest::ColorTable;
                    colors_.clear();
                    pending_ = ColorEntry{};
                }
                break;
            case Kw::FontTable:
                if (atGroupStart)
                    readFontTable();
                break;
            case Kw::Font:
                chr.face = faceOf(w.hasParam ? w.param : 0);
                break;
            case Kw::DefaultFont:
                defaultFont_ = w.hasParam ? w.param : 0;
                break;
            case Kw::Plain: {
                const int link = chr.link;  // a hyperlink's text may reset its format
                chr = CharFormat{};
                chr.link = link;
                break;
            }
            case Kw::Bold:
                chr.bold = on;
                break;
            case Kw::Italic:
                chr.italic = on;
                break;
            case Kw::Underline:
                chr.underline = on;
                break;
            case Kw::UnderlineNone:
                chr.underline = false;
                break;
            case Kw::FontSize:
                chr.fontSize = w.hasParam ? clampInt(w.param, kMinFontSize, kMaxFontSize) : 0;
                break;
            case Kw::Color:
                setColor(w.hasParam ? w.param : 0);
                break;
            case Kw::Super:
                chr.script = Script::Super;
                break;
            case Kw::Sub:
                chr.script = Script::Sub;
                break;
            case Kw::Up:
                chr.script = on ? Script::Super : Script::Normal;
                break;
            case Kw::Down:
                chr.script = on ? Script::Sub : Script::Normal;
                break;
            case Kw::NoSuperSub:
                chr.script = Script::Normal;
                break;
            case Kw::Pard:
                para = ParaFormat{};
                break;
            case Kw::AlignLeft:
                para.align = Align::Left;
                break;
            case Kw::AlignCenter:
                para.align = Align::Center;
                break;
            case Kw::AlignRight:
                para.align = Align::Right;
                break;
            case Kw::AlignJustify:
                para.align = Align::Justify;
                break;
            case Kw::FirstIndent:
                para.firstIndent = clampInt(w.param, -kMaxIndent, kMaxIndent);
                break;
            case Kw::LeftIndent:
                para.leftIndent = clampInt(w.param, -kMaxIndent, kMaxIndent);
                break;
            case Kw::RightIndent:
                para.rightIndent = clampInt(w.param, -kMaxIndent, kMaxIndent);
                break;
            case Kw::SpaceBefore:
                para.spaceBefore = clampInt(w.param, 0, kMaxIndent);
                break;
            case Kw::SpaceAfter:
                para.spaceAfter = clampInt(w.param, 0, kMaxIndent);
                break;
            case Kw::PageBreakBefore:
                para.pageBreakBefore = on;
                break;
            case Kw::TabStop:
                if (para.tabCount < static_cast<int>(para.tabs.size()))
                    para.tabs[static_cast<std::size_t>(para.tabCount++)] =
                        clampInt(w.param, 0, kMaxIndent);
                break;
            case Kw::InTable:
                para.tableLevel = std::max(para.tableLevel, 1);
                break;
            case Kw::TableLevel:
                para.tableLevel = clampInt(w.param, 0, kMaxTableLevel);
                break;
            case Kw::Par:
                paragraphEnd();
                break;
            case Kw::Page:
                if (st_.dest == Dest::Text && !st_.note)
                    pageBreak_ = true;
                paragraphEnd();
                break;
            case Kw::Line:
                lineBreak();
                break;
            case Kw::Tab:
                emitByte('\t');
                break;
            case Kw::Dash:
                emitByte('-');
                break;
            case Kw::Space:
                emitByte(' ');
                break;
            case Kw::Quote:
                emitByte('\'');
                break;
            case Kw::DoubleQuote:
                emitByte('"');
                break;
            case Kw::Bullet:
                emitByte(0x95);  // Windows-1252 bullet
                break;
            case Kw::Unicode:
                unicode(w.param);
                break;
            case Kw::UnicodeSkip:
                st_.uc = w.hasParam ? clampInt(w.param, 0, 1 << 30) : 1;
                break;
            case Kw::Bin:
                skipBinary(w.param);
                break;
            case Kw::Red:
                colorComponent(16, w.param);
                break;
            case Kw::Green:
                colorComponent(8, w.param);
                break;
            case Kw::Blue:
                colorComponent(0, w.param);
                break;
            case Kw::Footnote:
                if (!atGroupStart)
                    break;
                if (st_.dest != Dest::Text || st_.note) {
                    skipGroup();  // a note inside a note is not shown
                } else {
                    startNote();
                }
                break;
            case Kw::FootnoteMark:
                footnoteMark();
                break;
            case Kw::Field:
                if (atGroupStart)
                    fieldInst_.clear();
                break;
            case Kw::FieldInst:
                if (atGroupStart) {
                    st_.dest = Dest::FieldInst;
                    fieldInst_.clear();
                }
                break;
            case Kw::FieldResult:
                fieldResult();
                break;
            case Kw::Cell:
                cellEnd(1);
                break;
            case Kw::NestCell:
                cellEnd(std::max(2, st_.para.tableLevel));
                break;
            case Kw::Row:
                rowEnd(1);
                break;
            case Kw::NestRow:
                rowEnd(std::max(2, st_.para.tableLevel));
                break;
            case Kw::NestTableProps:
                if (atGroupStart)
                    st_.dest = Dest::NestProps;
                break;
            case Kw::RowDefaults:
                rowDefs_[defIndex()] = RowFormat{};
                cellDefs_[defIndex()] = CellDef{};
                borderSide_ = -1;
                break;
            case Kw::CellX: {
                RowFormat& row = rowDefs_[defIndex()];
                CellDef& cell = cellDefs_[defIndex()];
                cell.right = clampInt(w.param, -kMaxCellX, kMaxCellX);
                if (row.cells.size() < static_cast<std::size_t>(kMaxCells))
                    row.cells.push_back(cell);
                cell = CellDef{};
                borderSide_ = -1;
                break;
            }
            case Kw::RowGap:
                rowDefs_[defIndex()].gap = clampInt(w.param, 0, kMaxIndent);
                break;
            case Kw::RowLeft:
                rowDefs_[defIndex()].left = clampInt(w.param, -kMaxIndent, kMaxIndent);
                break;
            case Kw::RowAlignLeft:
                rowDefs_[defIndex()].align = Align::Left;
                break;
            case Kw::RowAlignCenter:
                rowDefs_[defIndex()].align = Align::Center;
                break;
            case Kw::RowAlignRight:
                rowDefs_[defIndex()].align = Align::Right;
                break;
            case Kw::RowHeader:
                rowDefs_[defIndex()].header = true;
                break;
            case Kw::MergeFirst:
                cellDefs_[defIndex()].mergeFirst = true;
                break;
            case Kw::Merged:
                cellDefs_[defIndex()].merged = true;
                break;
            case Kw::VMergeFirst:
                cellDefs_[defIndex()].vmergeFirst = true;
                break;
            case Kw::VMerged:
                cellDefs_[defIndex()].vmerged = true;
                break;
            case Kw::CellBorderTop:
                borderSide_ = 0;
                break;
            case Kw::CellBorderLeft:
                borderSide_ = 1;
                break;
            case Kw::CellBorderBottom:
                borderSide_ = 2;
                break;
            case Kw::CellBorderRight:
                borderSide_ = 3;
                break;
            case Kw::OtherBorder:
                borderSide_ = -1;
                break;
            case Kw::BorderSingle:
                setBorderStyle(BorderStyle::Single, 10);
                break;
            case Kw::BorderDouble:
                setBorderStyle(BorderStyle::Double, 10);
                break;
            case Kw::BorderDotted:
                setBorderStyle(BorderStyle::Dotted, 10);
                break;
            case Kw::BorderDashed:
                setBorderStyle(BorderStyle::Dashed, 10);
                break;
            case Kw::BorderHair:
                setBorderStyle(BorderStyle::Single, 5);
                break;
            case Kw::BorderNone:
                if (Border* b = border())
                    *b = Border{};
                break;
            case Kw::BorderWidth:
                if (Border* b = border())
                    b->width = clampInt(w.param, 0, kMaxBorderWidth);
                break;
            case Kw::BorderColor:
                if (Border* b = border()) {
                    const ColorEntry* c = colorAt(w.param);
                    b->hasColor = c != nullptr;
                    b->color = c != nullptr ? c->rgb : 0;
                }
                break;
            case Kw::CellShadingColor:
                if (const ColorEntry* c = colorAt(w.param)) {
                    cellDefs_[defIndex()].hasShading = true;
                    cellDefs_[defIndex()].shading = c->rgb;
                }
                break;
            case Kw::CellShading: {
                CellDef& cell = cellDefs_[defIndex()];
                const int percent = clampInt(w.param, 0, 10000);  // hundredths
                if (!cell.hasShading && percent > 0) {
                    const auto grey = static_cast<std::uint32_t>(255 - 255 * percent / 10000);
                    cell.hasShading = true;
                    cell.shading = (grey << 16) | (grey << 8) | grey;
                }
                break;
            }
            case Kw::CellTop:
                cellDefs_[defIndex()].valign = VAlign::Top;
                break;
            case Kw::CellCenter:
                cellDefs_[defIndex()].valign = VAlign::Center;
                break;
            case Kw::CellBottom:
                cellDefs_[defIndex()].valign = VAlign::Bottom;
                break;
        }
    }

    void unicode(long long n) {
        if (n < 0)
            n += 65536;  // RTF writes code points above 32767 as negative numbers
        if (n < 0 || n > 0x10FFFF)
            return;  // no character: the fallback text stands for it
        if (n == 0x2028 || n == 0x2029) {
            lineBreak();  // the document's own line and paragraph ends
            skipChars_ = st_.uc;
            return;
        }
        if (n == 0xFFFC || n == 0xFDD0 || n == 0xFDD1) {
            skipChars_ = st_.uc;  // the document's marks of images and frames: no text
            return;
        }
        int byte = yusciiFromUnicode(static_cast<long>(n));
        if (byte < 0 && (n < 0x80 || (n >= 0xA0 && n <= 0xFF)))
            byte = static_cast<int>(n);
        if (byte < 0)
            byte = yuscii::cp1252HighByte(static_cast<char32_t>(n));
        if (byte >= 0) {
            emitByte(static_cast<unsigned char>(byte));
        } else if (n > 0xFFFF) {
            const long v = static_cast<long>(n) - 0x10000;
            emitForeign(static_cast<char16_t>(0xD800 + (v >> 10)));
            emitForeign(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        } else if (n >= 0xA0) {
            emitForeign(static_cast<char16_t>(n));
        }
        // C1 control characters (U+0080-U+009F) are dropped like C0 ones.
        skipChars_ = st_.uc;
    }

    void colorComponent(int shift, long long value) {
        if (st_.dest != Dest::ColorTable)
            return;
        auto v = static_cast<std::uint32_t>(std::clamp<long long>(value, 0, 255));
        pending_.set = true;
        pending_.rgb = (pending_.rgb & ~(0xFFu << shift)) | (v << shift);
    }

    void setColor(long long index) {
        CharFormat& chr = st_.chr;
        const ColorEntry* c = colorAt(index);
        chr.hasColor = c != nullptr;
        chr.color = c != nullptr ? c->rgb : 0;
    }

    // ---- footnotes and fields

    // The paragraph state of the running text, kept while a note is read.
    struct Flow {
        bool paraPending = false;
        bool textInPara = false;
        bool afterCell = false;
        ParaFormat lastPara;
    };

    Flow flow() const { return {paraPending_, textInPara_, afterCell_, lastPara_}; }
    void setFlow(const Flow& f) {
        paraPending_ = f.paraPending;
        textInPara_ = f.textInPara;
        afterCell_ = f.afterCell;
        lastPara_ = f.lastPara;
    }

    void startNote() {
        bodyFlow_ = flow();
        setFlow(Flow{});
        st_.note = true;
        st_.para = ParaFormat{};
        sink_.footnoteStart(++notes_);
    }

    void endNote(const ParaFormat& notePara) {
        if (!paraPending_ && textInPara_)
            sink_.paragraphFormat(lastPara_);
        else if (!paraPending_ && !afterCell_)
            sink_.paragraphFormat(notePara);
        sink_.footnoteEnd();
        setFlow(bodyFlow_);
    }

    void footnoteMark() {
        if (st_.dest != Dest::Text)
            return;
        ensureParagraph();
        // A mark in the text counts the marks, not the notes read so far, so a
        // note that has no mark does not shift the numbers of the marks after it.
        sink_.footnoteMark(st_.note ? notes_ : ++marks_, st_.note, st_.chr);
    }

    void fieldResult() {
        if (st_.dest != Dest::Text)
            return;
        const std::string_view url = hyperlinkTarget(fieldInst_);
        fieldInst_.clear();
        if (url.empty() || links_ >= kMaxLinks)
            return;
        st_.chr.link = ++links_;
        sink_.linkTarget(links_, url);
    }

    // ---- output

    void ensureParagraph() {
        if (paraPending_) {
            sink_.newParagraph();
            paraPending_ = false;
        }
        afterCell_ = false;
        textInPara_ = true;
        lastPara_ = st_.para;
    }

    void emitText(std::string_view run) {
        switch (st_.dest) {
            case Dest::Text:
                ensureParagraph();
                sink_.text(run, st_.chr);
                return;
            case Dest::FieldInst:
                if (fieldInst_.size() < kMaxFieldInstruction)
                    fieldInst_.append(run.substr(0, kMaxFieldInstruction - fieldInst_.size()));
                return;
            case Dest::NestProps:
                return;
            case Dest::ColorTable:
                break;
        }
        // Colour table: each ';' ends an entry; an entry without components
        // is the automatic colour.
        for (char c : run) {
            if (c == ';' && colors_.size() < kMaxColors) {
                colors_.push_back(pending_);
                pending_ = ColorEntry{};
            }
        }
    }

    // A run's face: one of the YUSCII faces only where the document's
    // default font is not that face.
    Face faceOf(long long number) const {
        const auto it = fonts_.find(number);
        if (it == fonts_.end())
            return Face::Document;
        const auto deff = fonts_.find(defaultFont_);
        const Face base = deff == fonts_.end() ? Face::Document : deff->second;
        return it->second == base ? Face::Document : it->second;
    }

    void emitByte(unsigned char b) {
        if (skipChars_ > 0) {
            --skipChars_;
            return;
        }
        if (b == 0xA0)
            b = ' ';
        if (b < 0x20 && b != '\t')
            return;
        emitText(std::string_view(&kBytes.bytes[b], 1));
    }

    void emitForeign(char16_t unit) {
        if (st_.dest != Dest::Text)
            return;
        ensureParagraph();
        sink_.foreign(unit, st_.chr);
    }

    void lineBreak() {
        if (st_.dest != Dest::Text)
            return;
        ensureParagraph();
        sink_.lineBreak(st_.chr);
    }

    void paragraphEnd() {
        if (st_.dest != Dest::Text)
            return;
        if (paraPending_)
            sink_.newParagraph();
        sink_.paragraphFormat(st_.para);
        if (pageBreak_) {
            sink_.pageBreak();
            pageBreak_ = false;
        }
        paraPending_ = true;
        textInPara_ = false;
        afterCell_ = false;
    }

    void cellEnd(int level) {
        if (st_.dest != Dest::Text)
            return;
        if (st_.note) {
            emitByte('\t');  // a note's table reads as text
            return;
        }
        ensureParagraph();
        ParaFormat format = st_.para;
        format.tableLevel = std::max(format.tableLevel, level);
        sink_.paragraphFormat(format);
        sink_.cellEnd(std::min(level, kMaxTableLevel));
        textInPara_ = false;
        afterCell_ = true;
    }

    void rowEnd(int level) {
        if (st_.dest != Dest::Text && st_.dest != Dest::NestProps)
            return;
        if (st_.note) {
            paragraphEnd();
            return;
        }
        if (!paraPending_ && !afterCell_ && textInPara_) {
            // Text after the row's last \cell ends with the row.
            sink_.paragraphFormat(lastPara_);
        }
        sink_.rowEnd(std::min(level, kMaxTableLevel), rowDefs_[level > 1 ? 1 : 0]);
        paraPending_ = true;
        textInPara_ = false;
        afterCell_ = false;
    }

    static constexpr int kMaxCellX = 1 << 20;
    static constexpr int kMaxBorderWidth = 200;

    std::string_view in_;
    Sink& sink_;
    std::size_t pos_ = 0;
    State st_;
    std::vector<State> stack_;
    long long overflow_ = 0;  // groups opened beyond kMaxDepth
    int skipChars_ = 0;       // fallback bytes of \uN still to skip
    bool groupStart_ = false;
    bool paraPending_ = false;
    bool textInPara_ = false;
    bool afterCell_ = false;  // a \cell ended the last paragraph
    bool pageBreak_ = false;  // \page: reported with the paragraph it ends
    ParaFormat lastPara_;
    std::vector<ColorEntry> colors_;
    ColorEntry pending_;
    std::unordered_map<long long, Face> fonts_;  // font number -> YUSCII face
    long long defaultFont_ = 0;
    Flow bodyFlow_;
    int notes_ = 0;
    int marks_ = 0;  // footnote marks in the text
    int links_ = 0;
    std::string fieldInst_;
    RowFormat rowDefs_[2];  // the outer row and a nested one
    CellDef cellDefs_[2];   // the cell being defined
    int borderSide_ = -1;   // the cell border that \brdr words set: top left bottom right
};

}  // namespace

void parse(std::string_view input, Sink& sink) {
    Parser parser(input, sink);
    parser.run();
}

}  // namespace rtf
