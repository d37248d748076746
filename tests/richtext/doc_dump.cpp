#include "doc_dump.h"

#include <QTextBlock>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextTable>
#include <cstdio>

#include "platform/textconv.h"
#include "richtext/docformat.h"

namespace richtext_test {
namespace {

const char* alignName(Qt::Alignment a) {
    a &= Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignJustify)
        return "j";
    if (a & Qt::AlignHCenter)
        return "c";
    if (a & Qt::AlignRight)
        return "r";
    return "l";
}

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string bytes(const QString& s) {
    return platform::ys(s);
}

std::string runKey(const QTextCharFormat& cf) {
    std::string key = "<";
    if (cf.fontWeight() >= QFont::Bold)
        key += "b";
    if (cf.fontItalic())
        key += "i";
    if (cf.fontUnderline())
        key += "u";
    if (cf.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        key += "^";
    if (cf.verticalAlignment() == QTextCharFormat::AlignSubScript)
        key += "_";
    if (cf.hasProperty(QTextFormat::FontPointSize))
        key += number(cf.fontPointSize());
    if (cf.hasProperty(QTextFormat::ForegroundBrush))
        key += bytes(cf.foreground().color().name());
    if (cf.isAnchor())
        key += " href=" + std::string(cf.anchorHref().toLatin1().constData());
    if (cf.hasProperty(richtext::kNoteReference))
        key += " ref" + std::to_string(cf.intProperty(richtext::kNoteReference));
    if (cf.hasProperty(richtext::kNoteNumber))
        key += " note" + std::to_string(cf.intProperty(richtext::kNoteNumber));
    return key + ">";
}

void dumpBlock(const QTextBlock& b, const std::string& indent, std::string& out) {
    const QTextBlockFormat bf = b.blockFormat();
    out += indent + "[";
    out += alignName(bf.alignment());
    for (double v :
         {bf.textIndent(), bf.leftMargin(), bf.rightMargin(), bf.topMargin(), bf.bottomMargin()}) {
        out += " " + number(v);
    }
    if (bf.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        out += " page";
    for (const QTextOption::Tab& tab : bf.tabPositions())
        out += " tab" + number(tab.position);
    if (bf.hasProperty(richtext::kNoteBlock))
        out += " note" + std::to_string(bf.intProperty(richtext::kNoteBlock));
    out += "]";
    std::string previous;  // runs of equal format print as one
    for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextFragment f = it.fragment();
        const std::string key = runKey(f.charFormat());
        if (key != previous)
            out += key;
        previous = key;
        QString text = f.text();
        text.replace(QChar::LineSeparator, QStringLiteral("\\n"));
        out += bytes(text);
    }
    out += "\n";
}

std::string border(qreal width, QTextFrameFormat::BorderStyle style) {
    if (style == QTextFrameFormat::BorderStyle_None || width <= 0)
        return "-";
    return number(width) + (style == QTextFrameFormat::BorderStyle_Double ? "d" : "");
}

void dumpFrame(QTextFrame* frame, const std::string& indent, std::string& out);

void dumpTable(QTextTable* t, const std::string& indent, std::string& out) {
    const QTextTableFormat tf = t->format();
    out += indent + "<table " + std::to_string(t->rows()) + "x" + std::to_string(t->columns());
    for (const QTextLength& w : tf.columnWidthConstraints()) {
        out += " " + number(w.rawValue()) + (w.type() == QTextLength::PercentageLength ? "%" : "");
    }
    out += std::string(" ") + alignName(tf.alignment());
    if (tf.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        out += " page";
    out += ">\n";
    for (int r = 0; r < t->rows(); ++r) {
        for (int c = 0; c < t->columns(); ++c) {
            const QTextTableCell cell = t->cellAt(r, c);
            if (cell.row() != r || cell.column() != c)
                continue;
            const QTextTableCellFormat cf = cell.format().toTableCellFormat();
            out += indent + " (" + std::to_string(r) + "," + std::to_string(c);
            if (cell.rowSpan() > 1 || cell.columnSpan() > 1)
                out += " span " + std::to_string(cell.rowSpan()) + "x" +
                       std::to_string(cell.columnSpan());
            if (cf.hasProperty(richtext::kStoredCells))
                out += " stored " + std::to_string(cf.intProperty(richtext::kStoredCells));
            out += " border " + border(cf.topBorder(), cf.topBorderStyle()) + " " +
                   border(cf.leftBorder(), cf.leftBorderStyle()) + " " +
                   border(cf.bottomBorder(), cf.bottomBorderStyle()) + " " +
                   border(cf.rightBorder(), cf.rightBorderStyle());
            if (cf.hasProperty(QTextFormat::BackgroundBrush))
                out += " bg " + bytes(cf.background().color().name());
            if (cf.verticalAlignment() == QTextCharFormat::AlignMiddle)
                out += " middle";
            if (cf.verticalAlignment() == QTextCharFormat::AlignBottom)
                out += " bottom";
            out += ")\n";
            QTextFrame::iterator it = cell.begin();
            for (; it != cell.end(); ++it) {
                if (QTextFrame* child = it.currentFrame()) {
                    if (auto* nested = qobject_cast<QTextTable*>(child))
                        dumpTable(nested, indent + "  ", out);
                    else
                        dumpFrame(child, indent + "  ", out);
                } else {
                    dumpBlock(it.currentBlock(), indent + "  ", out);
                }
            }
        }
    }
    out += indent + "</table>\n";
}

void dumpFrame(QTextFrame* frame, const std::string& indent, std::string& out) {
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame* child = it.currentFrame()) {
            if (auto* table = qobject_cast<QTextTable*>(child))
                dumpTable(table, indent, out);
            else
                dumpFrame(child, indent, out);
        } else {
            dumpBlock(it.currentBlock(), indent, out);
        }
    }
}

void blockText(const QTextBlock& b, std::string& out) {
    QString text = b.text();
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    out += bytes(text);
}

void frameText(QTextFrame* frame, std::string& out);

// Blocks and frames one a line; the notes at the end are left out.
void childrenText(QTextFrame::iterator it, QTextFrame::iterator end, std::string& out) {
    bool first = true;
    for (; it != end; ++it) {
        if (it.currentFrame() == nullptr &&
            it.currentBlock().blockFormat().hasProperty(richtext::kNoteBlock)) {
            continue;
        }
        if (!first)
            out += '\n';
        first = false;
        if (QTextFrame* child = it.currentFrame())
            frameText(child, out);
        else
            blockText(it.currentBlock(), out);
    }
}

void tableText(QTextTable* t, std::string& out) {
    for (int r = 0; r < t->rows(); ++r) {
        if (r > 0)
            out += '\n';
        for (int c = 0; c < t->columns(); ++c) {
            const QTextTableCell cell = t->cellAt(r, c);
            if (cell.column() != c)
                continue;
            if (cell.row() == r)
                childrenText(cell.begin(), cell.end(), out);
            const int stored = cell.format().intProperty(richtext::kStoredCells);
            out.append(static_cast<std::size_t>(std::max(stored, 1)), '\t');
        }
    }
}

void frameText(QTextFrame* frame, std::string& out) {
    if (auto* table = qobject_cast<QTextTable*>(frame)) {
        tableText(table, out);
        return;
    }
    childrenText(frame->begin(), frame->end(), out);
}

std::vector<std::string> words(const std::string& s) {
    std::vector<std::string> out;
    std::string word;
    for (char c : s) {
        if (c == '\t' || c == '\n') {
            if (!word.empty())
                out.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty())
        out.push_back(std::move(word));
    return out;
}

bool hasTables(QTextFrame* frame) {
    for (QTextFrame* child : frame->childFrames()) {
        if (qobject_cast<QTextTable*>(child) != nullptr)
            return true;
    }
    return false;
}

}  // namespace

std::string dump(const QTextDocument& doc) {
    std::string out;
    dumpFrame(doc.rootFrame(), "", out);
    return out;
}

std::string plain(const QTextDocument& doc) {
    std::string out;
    frameText(doc.rootFrame(), out);
    return out;
}

bool sameText(const QTextDocument& doc, const std::string& plainText) {
    const std::string text = plain(doc);
    if (text == plainText)
        return true;
    // A table may leave out the empty paragraphs and cells around it.
    const bool cells = hasTables(doc.rootFrame()) || plainText.find('\t') != std::string::npos;
    return cells && words(text) == words(plainText);
}

}  // namespace richtext_test
