#include "richtext/writer.h"

#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextTable>
#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <vector>

#include "platform/textconv.h"
#include "richtext/docformat.h"
#include "richtext/rtf_format.h"
#include "richtext/rtf_parser.h"
#include "richtext/table_grid.h"

namespace richtext {
namespace {

int twips(qreal points) {
    return static_cast<int>(
        std::clamp<qreal>(std::round(points * 20.0), -rtf::kMaxIndent, rtf::kMaxIndent));
}

std::uint32_t rgbOf(const QColor& c) {
    return (static_cast<std::uint32_t>(c.red()) << 16) |
           (static_cast<std::uint32_t>(c.green()) << 8) | static_cast<std::uint32_t>(c.blue());
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
    f.pageBreakBefore = (q.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) != 0;
    for (const QTextOption::Tab& tab : q.tabPositions()) {
        if (f.tabCount < static_cast<int>(f.tabs.size()))
            f.tabs[static_cast<std::size_t>(f.tabCount++)] =
                std::clamp(twips(tab.position), 0, rtf::kMaxIndent);
    }
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
        f.hasColor = true;
        f.color = rgbOf(q.foreground().color());
    }
    if (q.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        f.script = rtf::Script::Super;
    else if (q.verticalAlignment() == QTextCharFormat::AlignSubScript)
        f.script = rtf::Script::Sub;
    return f;
}

bool isNoteBlock(const QTextBlock& b) {
    return b.blockFormat().hasProperty(kNoteBlock);
}

// A cell border as the writer sees it: width in twips, 0 for none.
struct Side {
    int width = 0;
    QTextFrameFormat::BorderStyle style = QTextFrameFormat::BorderStyle_None;
    std::uint32_t color = 0;
};

Side side(qreal width, QTextFrameFormat::BorderStyle style, const QBrush& brush) {
    Side s;
    if (style == QTextFrameFormat::BorderStyle_None || width <= 0)
        return s;
    s.width = std::max(1, twips(width));
    s.style = style;
    s.color = rgbOf(brush.color());
    return s;
}

std::vector<Side> sides(const QTextTableCellFormat& f) {
    return {side(f.topBorder(), f.topBorderStyle(), f.topBorderBrush()),
            side(f.leftBorder(), f.leftBorderStyle(), f.leftBorderBrush()),
            side(f.bottomBorder(), f.bottomBorderStyle(), f.bottomBorderBrush()),
            side(f.rightBorder(), f.rightBorderStyle(), f.rightBorderBrush())};
}

// Children of a frame (or a table cell) in order: blocks and frames.
template <typename Fn>
void forEachChild(QTextFrame::iterator it, QTextFrame::iterator end, Fn fn) {
    for (; it != end; ++it) {
        fn(it.currentBlock(), it.currentFrame());
    }
}

class Writer {
  public:
    explicit Writer(const QTextDocument& doc) : doc_(doc) {}

    std::string run() {
        collect();
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
        QTextFrame* root = doc_.rootFrame();
        frame(root->begin(), root->end(), 0);
        // Notes after the last paragraph belong to none of its text.
        for (const auto& [number, blocks] : notes_) {
            if (written_.count(number) == 0)
                note(number);
        }
        out_ += "}\n";
        return std::move(out_);
    }

  private:
    // ---- colours and notes, before writing

    void addColor(std::uint32_t rgb) {
        if (std::find(colors_.begin(), colors_.end(), rgb) == colors_.end())
            colors_.push_back(rgb);
    }

    void collect() {
        for (QTextBlock block = doc_.begin(); block.isValid(); block = block.next()) {
            if (isNoteBlock(block)) {
                const int number = block.blockFormat().intProperty(kNoteBlock);
                if (number > 0)
                    notes_[number].push_back(block);
            }
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                rtf::CharFormat f = fromQt(it.fragment().charFormat());
                if (f.hasColor)
                    addColor(f.color);
            }
        }
        collectTables(doc_.rootFrame());
    }

    void collectTables(QTextFrame* frame) {
        for (QTextFrame* child : frame->childFrames()) {
            if (auto* table = qobject_cast<QTextTable*>(child)) {
                for (int r = 0; r < table->rows(); ++r) {
                    for (int c = 0; c < table->columns(); ++c) {
                        const QTextTableCellFormat f =
                            table->cellAt(r, c).format().toTableCellFormat();
                        for (const Side& s : sides(f)) {
                            if (s.width > 0)
                                addColor(s.color);
                        }
                        if (f.hasProperty(QTextFormat::BackgroundBrush))
                            addColor(rgbOf(f.background().color()));
                    }
                }
            }
            collectTables(child);
        }
    }

    int colorIndex(std::uint32_t rgb) const {
        auto it = std::find(colors_.begin(), colors_.end(), rgb);
        return static_cast<int>(it - colors_.begin()) + 1;  // entry 0 is automatic
    }

    // ---- output

    void word(const char* name) {
        out_ += '\\';
        out_ += name;
        delimit_ = true;
    }
    void word(const char* name, int value) {
        word(name);
        out_ += std::to_string(value);
    }
    void raw(const char* text) {
        out_ += text;
        delimit_ = false;
    }

    // Blocks and tables of a frame or cell; level 0 is the body. In a cell
    // the last paragraph ends the cell instead of a \par.
    void frame(QTextFrame::iterator begin, QTextFrame::iterator end, int level) {
        std::vector<std::pair<QTextBlock, QTextFrame*>> children;
        forEachChild(begin, end, [&](const QTextBlock& b, QTextFrame* f) {
            if (f != nullptr || !isNoteBlock(b))
                children.emplace_back(b, f);
        });
        for (std::size_t i = 0; i < children.size(); ++i) {
            const auto& [block, child] = children[i];
            if (child != nullptr) {
                if (auto* table = qobject_cast<QTextTable*>(child))
                    this->table(*table, level + 1);
                else
                    frame(child->begin(), child->end(), level);
                continue;
            }
            const bool last = i + 1 == children.size();
            const QTextFrame* next = last ? nullptr : children[i + 1].second;
            const char* end = "par";
            if (last && level > 0) {
                end = level == 1 ? "cell" : "nestcell";
            } else if (next != nullptr && (next->frameFormat().pageBreakPolicy() &
                                           QTextFormat::PageBreak_AlwaysBefore)) {
                end = "page";  // the table after it starts a new page
            }
            paragraph(block, level, end);
        }
    }

    void paragraphFormat(const rtf::ParaFormat& p, int level) {
        word("pard");
        if (level > 0)
            word("intbl");
        if (level > 1)
            word("itap", level);
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
        if (p.pageBreakBefore)
            word("pagebb");
        for (int i = 0; i < p.tabCount; ++i)
            word("tx", p.tabs[static_cast<std::size_t>(i)]);
    }

    void paragraph(const QTextBlock& block, int level, const char* end) {
        paragraphFormat(fromQt(block.blockFormat()), level);
        runs(block);
        word(end);
        out_ += '\n';
        delimit_ = false;
    }

    void runs(const QTextBlock& block) {
        notesIn(block.blockFormat().stringProperty(kNotesAtStart));
        QString link;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat q = fragment.charFormat();
            const QString href = q.isAnchor() ? q.anchorHref() : QString();
            if (href != link) {
                if (!link.isEmpty())
                    closeLink();
                if (!href.isEmpty())
                    openLink(href);
                link = href;
            }
            characterFormat(fromQt(q));
            if (q.hasProperty(kNoteNumber) || q.hasProperty(kNoteReference)) {
                // Marks side by side share one fragment: "11" is two marks.
                const int number =
                    q.intProperty(q.hasProperty(kNoteNumber) ? kNoteNumber : kNoteReference);
                const auto digits = QString::number(number).size();
                for (qsizetype k = 0; k < std::max<qsizetype>(1, fragment.length() / digits); ++k)
                    word("chftn");
            } else {
                text(fragment.text());
            }
            const QString notes = q.stringProperty(kNotesAfter);
            if (!notes.isEmpty() && !link.isEmpty()) {
                closeLink();  // the notes' text is not the link's
                link.clear();
            }
            notesIn(notes);
        }
        if (!link.isEmpty())
            closeLink();
    }

    // A group changes the character format only inside it.
    void openGroup(const char* opening) {
        saved_.push_back({char_, haveChar_});
        raw(opening);
    }
    void closeGroup(const char* closing = "}") {
        raw(closing);
        char_ = saved_.back().first;
        haveChar_ = saved_.back().second;
        saved_.pop_back();
    }

    void openLink(const QString& href) {
        openGroup("{\\field{\\*\\fldinst HYPERLINK \"");
        for (char c : href.toLatin1()) {
            if (c == '\\' || c == '{' || c == '}')
                out_ += '\\';
            if (c != '"')
                out_ += c;
        }
        raw("\"}{\\fldrslt ");
    }
    void closeLink() { closeGroup("}}"); }

    void notesIn(const QString& list) {
        if (list.isEmpty())
            return;
        for (const QString& n : list.split(u','))
            note(n.toInt());
    }

    void note(int number) {
        written_.insert(number);
        openGroup("{\\footnote");
        delimit_ = true;
        haveChar_ = false;
        const std::vector<QTextBlock>& blocks = notes_[number];
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            paragraphFormat(fromQt(blocks[i].blockFormat()), 0);
            runs(blocks[i]);
            word("par");  // as in the body: a final \par adds no paragraph
        }
        closeGroup();
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
        if (f.script == rtf::Script::Super)
            word("super");
        if (f.script == rtf::Script::Sub)
            word("sub");
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
                // No byte: the character itself, with '?' for readers that
                // do not know it.
                word("u", u > 0x7FFF ? static_cast<int>(u) - 0x10000 : static_cast<int>(u));
                raw("?");
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

    // ---- tables

    // Column edges in twips from the table's left; a table in percent spans
    // 10000, so that its widths read back as the same percentages.
    static std::vector<int> edges(const QTextTable& t) {
        const QTextTableFormat f = t.format();
        const QList<QTextLength> widths = f.columnWidthConstraints();
        const int columns = t.columns();
        const bool percent = std::any_of(widths.begin(), widths.end(), [](const QTextLength& w) {
            return w.type() != QTextLength::FixedLength;
        });
        std::vector<int> out{0};
        for (int c = 0; c < columns; ++c) {
            int w = 0;
            if (c < widths.size() && widths[c].type() == QTextLength::FixedLength && !percent) {
                w = std::max(1, twips(widths[c].rawValue()));
            } else if (c < widths.size() && widths[c].type() == QTextLength::PercentageLength) {
                w = static_cast<int>(std::lround(widths[c].rawValue() * 100));
            } else {
                w = 10000 / std::max(1, columns);
            }
            out.push_back(out.back() + std::max(w, 1));
        }
        if (percent && out.back() <= rtf::kMaxFixedTableWidth)
            out.back() = rtf::kMaxFixedTableWidth + 1;  // still reads as percent
        if (percent) {
            // A merged cell of more stored cells than hundredths of a
            // percent: all edges further apart, a twip for each of its cells.
            int scale = 1;
            for (int r = 0; r < t.rows(); ++r) {
                for (int c = 0; c < columns; ++c) {
                    const QTextTableCell cell = t.cellAt(r, c);
                    if (cell.row() != r || cell.column() != c)
                        continue;
                    const int stored = cell.format().intProperty(kStoredCells);
                    const int width = out[static_cast<std::size_t>(c + cell.columnSpan())] -
                                      out[static_cast<std::size_t>(c)];
                    scale = std::max(scale, (stored + width - 1) / std::max(width, 1));
                }
            }
            for (int& e : out)
                e *= scale;
        }
        return out;
    }

    void border(const char* name, const Side& s) {
        if (s.width == 0)
            return;
        word(name);
        switch (s.style) {
            case QTextFrameFormat::BorderStyle_Double:
                word("brdrdb");
                break;
            case QTextFrameFormat::BorderStyle_Dotted:
                word("brdrdot");
                break;
            case QTextFrameFormat::BorderStyle_Dashed:
                word("brdrdash");
                break;
            default:
                word("brdrs");
                break;
        }
        word("brdrw", s.width);
        word("brdrcf", colorIndex(s.color));
    }

    // The row's definition: for each cell (each part of a cell that stands
    // for several stored cells) its borders, shading and right edge.
    void rowDefinition(const QTextTable& t, int r, const std::vector<int>& edge, int level) {
        const QTextTableFormat tf = t.format();
        const bool centred = (tf.alignment() & Qt::AlignHCenter) != 0;
        const bool right = (tf.alignment() & Qt::AlignRight) != 0;
        const int left = centred || right ? 0 : twips(tf.leftMargin());
        word("trowd");
        const QTextTableCellFormat first = t.cellAt(r, 0).format().toTableCellFormat();
        word("trgaph", twips(first.leftPadding()));
        if (left > 0)
            word("trleft", left);
        if (centred)
            word("trqc");
        else if (right)
            word("trqr");
        if (r < tf.headerRowCount())
            word("trhdr");
        (void)level;
        for (int c = 0; c < t.columns(); ++c) {
            const QTextTableCell cell = t.cellAt(r, c);
            if (cell.column() != c)
                continue;
            const QTextTableCellFormat f = cell.format().toTableCellFormat();
            const int parts = parts_(cell, edge);
            const std::vector<Side> s = sides(f);
            for (int k = 0; k < parts; ++k) {
                if (parts > 1)
                    word(k == 0 ? "clmgf" : "clmrg");
                if (cell.row() < r)
                    word("clvmrg");
                else if (cell.rowSpan() > 1)
                    word("clvmgf");
                border("clbrdrt", s[0]);
                border("clbrdrl", s[1]);
                border("clbrdrb", s[2]);
                border("clbrdrr", s[3]);
                if (f.hasProperty(QTextFormat::BackgroundBrush))
                    word("clcbpat", colorIndex(rgbOf(f.background().color())));
                if (f.verticalAlignment() == QTextCharFormat::AlignMiddle)
                    word("clvertalc");
                else if (f.verticalAlignment() == QTextCharFormat::AlignBottom)
                    word("clvertalb");
                word("cellx", left + partEdge(cell, k, parts, edge));
            }
        }
        out_ += '\n';
        delimit_ = false;
    }

    // A cell's stored cells, each at least a twip wide.
    static int parts_(const QTextTableCell& cell, const std::vector<int>& edge) {
        const int stored = cell.format().intProperty(kStoredCells);
        const auto c = static_cast<std::size_t>(cell.column());
        const int width = edge[c + static_cast<std::size_t>(cell.columnSpan())] - edge[c];
        return std::clamp(stored, 1, std::max(width, 1));
    }

    // The right edge of part k of a cell: on the columns it spans where it
    // has as many, else a twip after the part before it (only the cell's
    // own edges decide the columns when it is read).
    static int partEdge(const QTextTableCell& cell, int k, int parts,
                        const std::vector<int>& edge) {
        const int c = cell.column();
        if (k + 1 == parts)
            return edge[static_cast<std::size_t>(c + cell.columnSpan())];
        if (parts <= cell.columnSpan())
            return edge[static_cast<std::size_t>(c + k + 1)];
        return edge[static_cast<std::size_t>(c)] + k + 1;
    }

    void table(const QTextTable& t, int level) {
        const std::vector<int> edge = edges(t);
        const char* cellEnd = level == 1 ? "cell" : "nestcell";
        for (int r = 0; r < t.rows(); ++r) {
            if (level == 1)
                rowDefinition(t, r, edge, level);
            for (int c = 0; c < t.columns(); ++c) {
                const QTextTableCell cell = t.cellAt(r, c);
                if (cell.column() != c)
                    continue;
                if (cell.row() == r) {
                    frame(cell.begin(), cell.end(), level);
                } else {
                    paragraphFormat(rtf::ParaFormat{}, level);
                    word(cellEnd);
                    out_ += '\n';
                    delimit_ = false;
                }
                for (int k = 1; k < parts_(cell, edge); ++k) {
                    paragraphFormat(rtf::ParaFormat{}, level);
                    word(cellEnd);
                    out_ += '\n';
                    delimit_ = false;
                }
            }
            if (level == 1) {
                word("row");
            } else {
                raw("{\\*\\nesttableprops");
                delimit_ = true;
                rowDefinition(t, r, edge, level);
                word("nestrow");
                raw("}{\\nonesttables\\par}");
            }
            out_ += '\n';
            delimit_ = false;
        }
    }

    const QTextDocument& doc_;
    std::string out_;
    std::vector<std::uint32_t> colors_;
    std::map<int, std::vector<QTextBlock>> notes_;
    std::set<int> written_;  // notes written where they stand
    std::vector<std::pair<rtf::CharFormat, bool>> saved_;
    rtf::CharFormat char_;
    bool haveChar_ = false;
    bool delimit_ = false;  // a control word was written last and needs its space
};

}  // namespace

std::string write(const QTextDocument& doc) {
    return Writer(doc).run();
}

}  // namespace richtext
