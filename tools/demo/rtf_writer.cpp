#include "demo/rtf_writer.h"

#include "demo/yuscii_convert.h"

namespace demo {
namespace {

// latinToo: a Cyrillic text also names the Latin face as \f1, for the Roman
// numerals printed Serbian Cyrillic keeps in Latin.
std::string header(Script script, bool latinToo = false) {
    const char* font = script == Script::Latin ? "YHelvetica" : "CHelvetica";
    const char* second =
        latinToo && script == Script::Cyrillic ? "{\\f1\\fnil\\fcharset0 YHelvetica;}" : "";
    return std::string("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 ") +
           font + ";}" + second + "}\n\\viewkind4\\uc1\\f0\\fs20\n";
}

// The length of a Roman numeral that opens the line and is followed by a
// full stop ("IV. Akcionarsko dru{tvo"), or 0.
size_t leadingRoman(std::string_view text) {
    size_t n = 0;
    while (n < text.size() && std::string_view("IVXLCDM").find(text[n]) != std::string_view::npos) {
        ++n;
    }
    if (n == 0 || n >= text.size() || text[n] != '.') {
        return 0;
    }
    // Only the numerals as written: thousands, hundreds, tens, units.
    static const char* const kDigits[4][10] = {
        {"", "M", "MM", "MMM"},
        {"", "C", "CC", "CCC", "CD", "D", "DC", "DCC", "DCCC", "CM"},
        {"", "X", "XX", "XXX", "XL", "L", "LX", "LXX", "LXXX", "XC"},
        {"", "I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX"},
    };
    std::string_view rest = text.substr(0, n);
    for (const auto& digits : kDigits) {
        size_t best = 0;
        for (const char* d : digits) {
            const std::string_view digit = d == nullptr ? "" : d;
            if (digit.size() > best && rest.starts_with(digit)) {
                best = digit.size();
            }
        }
        rest.remove_prefix(best);
    }
    return rest.empty() ? n : 0;
}

constexpr const char* kTrailer = "}\n";

struct Style {
    const char* prefix;  // paragraph formatting
    bool bold = false;
    bool italic = false;
};

// Writes text with its inline markup; base styles stay on throughout.
void inlineText(std::string& out, std::string_view text, const Style& style, std::string_view file,
                int line) {
    bool bold = false;
    bool italic = false;
    bool shownBold = style.bold;
    bool shownItalic = style.italic;
    int boldStart = 0;
    int italicStart = 0;
    auto sync = [&] {
        if ((style.bold || bold) != shownBold) {
            shownBold = !shownBold;
            out += shownBold ? "\\b " : "\\b0 ";
        }
        if ((style.italic || italic) != shownItalic) {
            shownItalic = !shownItalic;
            out += shownItalic ? "\\i " : "\\i0 ";
        }
    };
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "**") == 0) {
            bold = !bold;
            boldStart = static_cast<int>(i) + 1;
            ++i;
            continue;
        }
        if (text[i] == '_') {
            italic = !italic;
            italicStart = static_cast<int>(i) + 1;
            continue;
        }
        sync();
        if (text[i] == '\\' || text[i] == '{' || text[i] == '}') {
            out += '\\';
        }
        out += text[i];
    }
    if (bold) {
        throw SourceError(where(file, line) + "unclosed ** at column " + std::to_string(boldStart));
    }
    if (italic) {
        throw SourceError(where(file, line) + "unclosed _ at column " +
                          std::to_string(italicStart));
    }
    if (shownBold) {
        out += "\\b0";
    }
    if (shownItalic) {
        out += "\\i0";
    }
}

std::string scriptText(std::string_view yuscii, Script script) {
    return script == Script::Latin ? latinText(yuscii) : cyrillicText(yuscii);
}

}  // namespace

std::string rtfEscape(std::string_view yuscii) {
    std::string out;
    out.reserve(yuscii.size() + 8);
    for (char c : yuscii) {
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
        }
        out += c;
    }
    return out;
}

std::string markupToRtf(const std::vector<SourceLine>& body, Script script, std::string_view file) {
    static const Style kTitle{"\\pard\\qc\\b ", true, false};
    static const Style kSection{"\\pard\\qc\\i ", false, true};
    static const Style kItem{"\\pard\\qj\\li567 "};
    static const Style kPlain{"\\pard\\qj\\fi567 "};
    std::string out = header(script, true);
    for (const SourceLine& line : body) {
        std::string_view text = line.text;
        const Style* style = &kPlain;
        if (text.starts_with("### ")) {
            style = &kSection;
            text.remove_prefix(4);
        } else if (text.starts_with("## ")) {
            style = &kTitle;
            text.remove_prefix(3);
        } else if (text.starts_with("# ")) {
            style = &kTitle;
            text.remove_prefix(2);
        } else if (text.starts_with("- ")) {
            style = &kItem;
            text.remove_prefix(2);
        }
        while (!text.empty() && text.back() == ' ') {
            text.remove_suffix(1);
        }
        while (!text.empty() && text.front() == ' ') {
            text.remove_prefix(1);
        }
        if (text.empty()) {
            continue;
        }
        out += style->prefix;
        if (const size_t roman = script == Script::Cyrillic ? leadingRoman(text) : 0) {
            out += "{\\f1 ";
            out += text.substr(0, roman);
            out += "}";
            text.remove_prefix(roman);
        }
        inlineText(out, scriptText(text, script), *style, file, line.number);
        out += "\\par\n";
    }
    out += kTrailer;
    return out;
}

std::string noteToRtf(const SourceLine& note, Script script, std::string_view file,
                      size_t exactLength) {
    std::string out = header(script) + "\\pard\\qj ";
    inlineText(out, scriptText(note.text, script), Style{""}, file, note.number);
    const size_t rest = std::string_view("\\par\n").size() + std::string_view(kTrailer).size();
    if (exactLength != 0) {
        if (out.size() + rest > exactLength) {
            throw SourceError(where(file, note.number) + "the note takes " +
                              std::to_string(out.size() + rest) + " bytes, more than " +
                              std::to_string(exactLength));
        }
        out.append(exactLength - out.size() - rest, ' ');
    }
    out += "\\par\n";
    out += kTrailer;
    return out;
}

}  // namespace demo
