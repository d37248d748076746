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

namespace rtf {
namespace {

enum class Kw : unsigned char {
    SkipDest,
    ColorTable,
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
    Unicode,
    UnicodeSkip,
    Bin,
    Red,
    Green,
    Blue,
};

const std::unordered_map<std::string_view, Kw>& keywords() {
    static const std::unordered_map<std::string_view, Kw> table = [] {
        std::unordered_map<std::string_view, Kw> t;
        // Destinations whose content is not text of the document.
        for (std::string_view d : {"fonttbl",
                                   "filetbl",
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
                                   "footnote",
                                   "annotation",
                                   "atnid",
                                   "atnauthor",
                                   "fldinst",
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
                                   "passwordhash"}) {
            t.emplace(d, Kw::SkipDest);
        }
        const std::pair<std::string_view, Kw> words[] = {
            {"colortbl", Kw::ColorTable},
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
            {"page", Kw::Par},
            {"row", Kw::Par},
            {"line", Kw::Line},
            {"tab", Kw::Tab},
            {"cell", Kw::Tab},
            {"nestcell", Kw::Tab},
            {"emdash", Kw::Dash},
            {"endash", Kw::Dash},
            {"emspace", Kw::Space},
            {"enspace", Kw::Space},
            {"qmspace", Kw::Space},
            {"lquote", Kw::Quote},
            {"rquote", Kw::Quote},
            {"ldblquote", Kw::DoubleQuote},
            {"rdblquote", Kw::DoubleQuote},
            {"u", Kw::Unicode},
            {"uc", Kw::UnicodeSkip},
            {"bin", Kw::Bin},
            {"red", Kw::Red},
            {"green", Kw::Green},
            {"blue", Kw::Blue},
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

enum class Dest : unsigned char { Text, ColorTable };

struct State {
    CharFormat chr;
    ParaFormat para;
    int uc = 1;  // bytes of fallback text after \uN
    Dest dest = Dest::Text;
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
        // The last paragraph, not ended by \par, keeps the format it had at
        // its last text (the closing braces would otherwise reset it).
        if (!paraPending_) {
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
            st_ = stack_.back();
            stack_.pop_back();
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

    // Skips the rest of the current group, including its closing brace.
    void skipGroup() {
        const std::size_t n = in_.size();
        long long depth = 0;
        while (pos_ < n) {
            char c = in_[pos_++];
            if (c == '{') {
                ++depth;
            } else if (c == '}') {
                if (depth == 0) {
                    popGroup();
                    return;
                }
                --depth;
            } else if (c == '\\' && pos_ < n) {
                if (isLower(in_[pos_])) {
                    Word w = readWord();
                    if (w.name == "bin" && w.hasParam)
                        skipBinary(w.param);
                } else {
                    ++pos_;  // a control symbol, \{ \} \\ included
                }
            }
        }
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
                    skipGroup();
                break;
            case '\r':
            case '\n':
                paragraphEnd();
                break;
            default:
                break;  // \- optional hyphen, \: and unknown symbols
        }
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
            case Kw::Plain:
                chr = CharFormat{};
                break;
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
            case Kw::Par:
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
        }
    }

    void unicode(long long n) {
        if (n < 0)
            n += 65536;  // RTF writes code points above 32767 as negative numbers
        int y = n >= 0 && n <= 0x10FFFF ? yusciiFromUnicode(static_cast<long>(n)) : -1;
        if (y < 0)
            return;  // not a Serbian letter: the fallback text stands for it
        emitByte(static_cast<unsigned char>(y));
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
        if (index >= 0 && static_cast<std::size_t>(index) < colors_.size() &&
            colors_[static_cast<std::size_t>(index)].set) {
            chr.hasColor = true;
            chr.color = colors_[static_cast<std::size_t>(index)].rgb;
        } else {
            chr.hasColor = false;
            chr.color = 0;
        }
    }

    // ---- output

    void ensureParagraph() {
        if (paraPending_) {
            sink_.newParagraph();
            paraPending_ = false;
        }
        textInPara_ = true;
        lastPara_ = st_.para;
    }

    void emitText(std::string_view run) {
        if (st_.dest == Dest::Text) {
            ensureParagraph();
            sink_.text(run, st_.chr);
            return;
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
        paraPending_ = true;
        textInPara_ = false;
    }

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
    ParaFormat lastPara_;
    std::vector<ColorEntry> colors_;
    ColorEntry pending_;
};

}  // namespace

void parse(std::string_view input, Sink& sink) {
    Parser parser(input, sink);
    parser.run();
}

}  // namespace rtf
