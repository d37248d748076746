#include "richtext/writer.h"

#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextFragment>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/textconv.h"
#include "richtext/rtf_format.h"
#include "richtext/rtf_parser.h"

namespace richtext {
namespace {

int twips(qreal points) {
    return static_cast<int>(
        std::clamp<qreal>(std::round(points * 20.0), -rtf::kMaxIndent, rtf::kMaxIndent));
}

rtf::ParaFormat fromQt(const QTextBlockFormat& q) {
    rtf::ParaFormat f;
    const Qt::Alignment h = q.alignment() & Qt::AlignHorizontal_Mask;
    if (h & Qt::AlignJustify) {
        f.align = rtf::Align::Justify;
    } else if (h & Qt::AlignHCenter) {
        f.align = rtf::Align::Center;
    } else if (h & (Qt::AlignRight | Qt::AlignTrailing)) {
        f.align = rtf::Align::Right;
    }
    f.firstIndent = twips(q.textIndent());
    f.leftIndent = twips(q.leftMargin());
    f.rightIndent = twips(q.rightMargin());
    f.spaceBefore = std::max(0, twips(q.topMargin()));
    f.spaceAfter = std::max(0, twips(q.bottomMargin()));
    return f;
}

rtf::CharFormat fromQt(const QTextCharFormat& q) {
    rtf::CharFormat f;
    f.bold = q.fontWeight() >= QFont::Bold;
    f.italic = q.fontItalic();
    f.underline = q.fontUnderline();
    if (q.hasProperty(QTextFormat::FontPointSize) && q.fontPointSize() > 0) {
        f.fontSize = std::clamp(static_cast<int>(std::lround(q.fontPointSize() * 2.0)),
                                rtf::kMinFontSize, rtf::kMaxFontSize);
    }
    if (q.hasProperty(QTextFormat::ForegroundBrush) && q.foreground().style() != Qt::NoBrush) {
        const QColor c = q.foreground().color();
        f.hasColor = true;
        f.color = (static_cast<std::uint32_t>(c.red()) << 16) |
                  (static_cast<std::uint32_t>(c.green()) << 8) |
                  static_cast<std::uint32_t>(c.blue());
    }
    return f;
}

class Writer {
  public:
    explicit Writer(const QTextDocument& doc) : doc_(doc) {}

    std::string run() {
        collectColors();
        out_ += "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil YHelvetica;}}\n";
        if (!colors_.empty()) {
            out_ += "{\\colortbl;";
            for (std::uint32_t rgb : colors_) {
                word("red", static_cast<int>((rgb >> 16) & 0xFF));
                word("green", static_cast<int>((rgb >> 8) & 0xFF));
                word("blue", static_cast<int>(rgb & 0xFF));
                out_ += ';';
                delimit_ = false;
            }
            out_ += "}\n";
        }
        out_ += "\\uc1";
        delimit_ = true;
        for (QTextBlock block = doc_.begin(); block.isValid(); block = block.next()) {
            paragraph(block);
        }
        out_ += "}\n";
        return std::move(out_);
    }

  private:
    void collectColors() {
        for (QTextBlock block = doc_.begin(); block.isValid(); block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                rtf::CharFormat f = fromQt(it.fragment().charFormat());
                if (f.hasColor &&
                    std::find(colors_.begin(), colors_.end(), f.color) == colors_.end()) {
                    colors_.push_back(f.color);
                }
            }
        }
    }

    int colorIndex(std::uint32_t rgb) const {
        auto it = std::find(colors_.begin(), colors_.end(), rgb);
        return static_cast<int>(it - colors_.begin()) + 1;  // entry 0 is automatic
    }

    void word(const char* name) {
        out_ += '\\';
        out_ += name;
        delimit_ = true;
    }
    void word(const char* name, int value) {
        word(name);
        out_ += std::to_string(value);
    }

    void paragraph(const QTextBlock& block) {
        const rtf::ParaFormat p = fromQt(block.blockFormat());
        word("pard");
        switch (p.align) {
            case rtf::Align::Left:
                break;
            case rtf::Align::Center:
                word("qc");
                break;
            case rtf::Align::Right:
                word("qr");
                break;
            case rtf::Align::Justify:
                word("qj");
                break;
        }
        if (p.firstIndent != 0)
            word("fi", p.firstIndent);
        if (p.leftIndent != 0)
            word("li", p.leftIndent);
        if (p.rightIndent != 0)
            word("ri", p.rightIndent);
        if (p.spaceBefore != 0)
            word("sb", p.spaceBefore);
        if (p.spaceAfter != 0)
            word("sa", p.spaceAfter);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            characterFormat(fromQt(fragment.charFormat()));
            text(fragment.text());
        }
        word("par");
        out_ += '\n';
        delimit_ = false;
    }

    void characterFormat(const rtf::CharFormat& f) {
        if (haveChar_ && f == char_)
            return;
        char_ = f;
        haveChar_ = true;
        word("plain");
        if (f.bold)
            word("b");
        if (f.italic)
            word("i");
        if (f.underline)
            word("ul");
        if (f.fontSize > 0)
            word("fs", f.fontSize);
        if (f.hasColor)
            word("cf", colorIndex(f.color));
    }

    void text(const QString& s) {
        for (QChar qc : s) {
            const char16_t u = qc.unicode();
            if (u == QChar::LineSeparator) {
                word("line");
                continue;
            }
            if (u == '\t') {
                word("tab");
                continue;
            }
            if (u == QChar::ObjectReplacementCharacter)
                continue;  // images are not stored
            int byte = platform::yusciiByte(qc);
            if (byte < 0) {
                byte = rtf::yusciiFromUnicode(u);
            }
            if (byte < 0) {
                // Not a YUSCII character: keep it for other readers; ours
                // shows the fallback.
                word("u", u > 0x7FFF ? static_cast<int>(u) - 0x10000 : static_cast<int>(u));
                out_ += '?';
                delimit_ = false;
                continue;
            }
            if (byte < 0x20)
                continue;
            if (delimit_) {
                out_ += ' ';
                delimit_ = false;
            }
            if (byte == '\\' || byte == '{' || byte == '}') {
                out_ += '\\';
                out_ += static_cast<char>(byte);
            } else if (byte >= 0x80) {
                static constexpr char kHex[] = "0123456789abcdef";
                out_ += "\\'";
                out_ += kHex[byte >> 4];
                out_ += kHex[byte & 0xF];
            } else {
                out_ += static_cast<char>(byte);
            }
        }
    }

    const QTextDocument& doc_;
    std::string out_;
    std::vector<std::uint32_t> colors_;
    rtf::CharFormat char_;
    bool haveChar_ = false;
    bool delimit_ = false;  // a control word was written last and needs its space
};

}  // namespace

std::string write(const QTextDocument& doc) {
    return Writer(doc).run();
}

}  // namespace richtext
