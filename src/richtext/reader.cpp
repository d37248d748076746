#include "richtext/reader.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextTable>
#include <algorithm>
#include <map>
#include <vector>

#include "platform/textconv.h"
#include "richtext/docformat.h"
#include "richtext/rtf_parser.h"
#include "richtext/table_grid.h"

namespace richtext {
namespace {

QColor toColor(std::uint32_t rgb) {
    return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF));
}

QTextCharFormat toQt(const rtf::CharFormat& f, const QString& link) {
    QTextCharFormat q;
    if (f.bold)
        q.setFontWeight(QFont::Bold);
    if (f.italic)
        q.setFontItalic(true);
    if (f.underline)
        q.setFontUnderline(true);
    if (f.fontSize > 0)
        q.setFontPointSize(f.fontSize / 2.0);
    if (f.hasColor)
        q.setForeground(toColor(f.color));
    if (f.face == rtf::Face::Latin)
        q.setFontFamilies({QStringLiteral("YHelvetica")});
    else if (f.face == rtf::Face::Cyrillic)
        q.setFontFamilies({QStringLiteral("CHelvetica")});
    if (f.script == rtf::Script::Super)
        q.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (f.script == rtf::Script::Sub)
        q.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (!link.isEmpty()) {
        q.setAnchor(true);
        q.setAnchorHref(link);
        // A link the text does not mark itself looks like one.
        if (!f.underline && !f.hasColor) {
            q.setFontUnderline(true);
            q.setForeground(QColor(0x00, 0x00, 0xEE));
        }
    }
    return q;
}

QTextBlockFormat toQt(const rtf::ParaFormat& f) {
    QTextBlockFormat q;
    switch (f.align) {
        case rtf::Align::Left:
            q.setAlignment(Qt::AlignLeft);
            break;
        case rtf::Align::Center:
            q.setAlignment(Qt::AlignHCenter);
            break;
        case rtf::Align::Right:
            q.setAlignment(Qt::AlignRight);
            break;
        case rtf::Align::Justify:
            q.setAlignment(Qt::AlignJustify);
            break;
    }
    if (f.firstIndent != 0)
        q.setTextIndent(f.firstIndent / 20.0);
    if (f.leftIndent != 0)
        q.setLeftMargin(f.leftIndent / 20.0);
    if (f.rightIndent != 0)
        q.setRightMargin(f.rightIndent / 20.0);
    if (f.spaceBefore != 0)
        q.setTopMargin(f.spaceBefore / 20.0);
    if (f.spaceAfter != 0)
        q.setBottomMargin(f.spaceAfter / 20.0);
    if (f.pageBreakBefore)
        q.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    if (f.tabCount > 0) {
        QList<QTextOption::Tab> tabs;
        for (int i = 0; i < f.tabCount; ++i)
            tabs.append(
                QTextOption::Tab(f.tabs[static_cast<std::size_t>(i)] / 20.0, QTextOption::LeftTab));
        q.setTabPositions(tabs);
    }
    return q;
}

QTextFrameFormat::BorderStyle toQt(rtf::BorderStyle s) {
    switch (s) {
        case rtf::BorderStyle::None:
            return QTextFrameFormat::BorderStyle_None;
        case rtf::BorderStyle::Single:
            return QTextFrameFormat::BorderStyle_Solid;
        case rtf::BorderStyle::Double:
            return QTextFrameFormat::BorderStyle_Double;
        case rtf::BorderStyle::Dotted:
            return QTextFrameFormat::BorderStyle_Dotted;
        case rtf::BorderStyle::Dashed:
            return QTextFrameFormat::BorderStyle_Dashed;
    }
    return QTextFrameFormat::BorderStyle_None;
}

constexpr int kMinCellPadding = 40;  // twips, for a row without \trgaph

QTextTableCellFormat cellFormat(const rtf::CellDef& def, int storedCells, int gap) {
    QTextTableCellFormat q;
    const rtf::Border* sides[] = {&def.top, &def.left, &def.bottom, &def.right_};
    for (int i = 0; i < 4; ++i) {
        const rtf::Border& b = *sides[i];
        const qreal width = b.style == rtf::BorderStyle::None ? 0 : std::max(b.width, 1) / 20.0;
        const QBrush brush(b.hasColor ? toColor(b.color) : QColor(Qt::black));
        switch (i) {
            case 0:
                q.setTopBorder(width);
                q.setTopBorderStyle(toQt(b.style));
                q.setTopBorderBrush(brush);
                break;
            case 1:
                q.setLeftBorder(width);
                q.setLeftBorderStyle(toQt(b.style));
                q.setLeftBorderBrush(brush);
                break;
            case 2:
                q.setBottomBorder(width);
                q.setBottomBorderStyle(toQt(b.style));
                q.setBottomBorderBrush(brush);
                break;
            default:
                q.setRightBorder(width);
                q.setRightBorderStyle(toQt(b.style));
                q.setRightBorderBrush(brush);
                break;
        }
    }
    if (def.hasShading)
        q.setBackground(toColor(def.shading));
    switch (def.valign) {
        case rtf::VAlign::Top:
            break;
        case rtf::VAlign::Center:
            q.setVerticalAlignment(QTextCharFormat::AlignMiddle);
            break;
        case rtf::VAlign::Bottom:
            q.setVerticalAlignment(QTextCharFormat::AlignBottom);
            break;
    }
    const qreal padding = std::max(gap, kMinCellPadding) / 20.0;
    q.setLeftPadding(padding);
    q.setRightPadding(padding);
    q.setTopPadding(1);
    q.setBottomPadding(1);
    if (storedCells > 1)
        q.setProperty(kStoredCells, storedCells);
    return q;
}

// ---- the document as read, before it goes into the QTextDocument

struct Run {
    QString text;
    QTextCharFormat format;
};

// Adds a note's number to a list property ("3" or "3,4").
template <typename Format>
void addNote(Format& format, int property, int number) {
    QString list = format.stringProperty(property);
    if (!list.isEmpty())
        list += u',';
    format.setProperty(property, list + QString::number(number));
}

// Adds the notes of list ("3,4") to notes.
void joinNotes(QString& notes, const QString& list) {
    if (list.isEmpty())
        return;
    if (!notes.isEmpty())
        notes += u',';
    notes += list;
}

struct Para {
    std::vector<Run> runs;
    QTextBlockFormat notesAtStart;  // kNotesAtStart when notes come first
    rtf::ParaFormat format;
    bool hasFormat = false;
    bool breakAfter = false;  // \page ended it
    bool used() const { return hasFormat || !runs.empty(); }
    // Whether the notes of the text stand in it.
    bool hasNotes() const {
        return notesAtStart.hasProperty(kNotesAtStart) ||
               std::any_of(runs.begin(), runs.end(),
                           [](const Run& r) { return r.format.hasProperty(kNotesAfter); });
    }
};

struct Table;

struct Item {
    Para para;
    std::unique_ptr<Table> table;
};

struct Cell {
    std::vector<Item> items;
    // Without text or tables.
    bool empty() const {
        return std::all_of(items.begin(), items.end(),
                           [](const Item& i) { return !i.table && i.para.runs.empty(); });
    }
    bool hasNotes() const {
        return std::any_of(items.begin(), items.end(),
                           [](const Item& i) { return !i.table && i.para.hasNotes(); });
    }
};

struct Row {
    std::vector<Cell> cells;
    rtf::RowFormat format;
};

struct Table {
    std::vector<Row> rows;
    std::vector<Cell> cells;  // of the row being read
    std::vector<Item> items;  // of the cell being read
    bool pageBreak = false;

    // Cells and paragraphs left without their \cell or \row end the table.
    void finish() {
        if (!items.empty())
            cells.push_back(Cell{std::move(items)});
        items.clear();
        if (!cells.empty()) {
            rtf::RowFormat format = rows.empty() ? rtf::RowFormat{} : rows.back().format;
            rows.push_back(Row{std::move(cells), std::move(format)});
        }
        cells.clear();
    }
};

struct Note {
    int number = 0;
    std::vector<Para> paras;
};

// Where the next paragraph or table goes: after the cursor's block, or into
// it when it is still empty (fresh).
struct Place {
    QTextCursor cursor;
    bool fresh = true;
};

class Builder {
  public:
    void para(Place& at, const Para& p, QTextBlockFormat format) {
        if (p.format.pageBreakBefore || pageBreak_) {
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            pageBreak_ = false;
        }
        if (at.fresh) {
            at.cursor.setBlockFormat(format);
        } else {
            at.cursor.insertBlock(format);
        }
        at.fresh = false;
        for (const Run& r : p.runs) {
            at.cursor.insertText(r.text, r.format);
        }
        if (p.breakAfter)
            pageBreak_ = true;
    }

    void para(Place& at, const Para& p) {
        if (!haveBlock_ || !(p.format == lastBlock_)) {
            lastBlock_ = p.format;
            lastBlockQt_ = toQt(p.format);
            haveBlock_ = true;
        }
        QString notes = std::exchange(droppedNotes_, QString());
        joinNotes(notes, p.notesAtStart.stringProperty(kNotesAtStart));
        if (!notes.isEmpty()) {
            QTextBlockFormat f = lastBlockQt_;
            f.setProperty(kNotesAtStart, notes);
            para(at, p, f);
            return;
        }
        para(at, p, lastBlockQt_);
    }

    // Paragraphs, cells and tables left out of the document: the notes
    // that stood in them go to the start of the next paragraph, so that
    // the writer still writes every note in its order.
    void drop(const Para& p) {
        joinNotes(droppedNotes_, p.notesAtStart.stringProperty(kNotesAtStart));
        for (const Run& r : p.runs)
            joinNotes(droppedNotes_, r.format.stringProperty(kNotesAfter));
    }
    void drop(const std::vector<Item>& items) {
        for (const Item& i : items) {
            if (i.table)
                drop(*i.table);
            else
                drop(i.para);
        }
    }
    void drop(const Table& t) {
        for (const Row& r : t.rows) {
            for (const Cell& c : r.cells)
                drop(c.items);
        }
    }

    // A cell's paragraphs; empty last ones after others (a \par before
    // the \cell, as some writers put it) are not shown.
    void cellItems(Place& at, const std::vector<Item>& list) {
        std::size_t n = list.size();
        while (n > 1 && !list[n - 1].table && list[n - 1].para.runs.empty())
            --n;
        for (std::size_t i = 0; i < n; ++i) {
            if (list[i].table) {
                table(at, *list[i].table);
            } else {
                para(at, list[i].para);
            }
        }
        for (std::size_t i = n; i < list.size(); ++i)
            drop(list[i].para);
    }

    void table(Place& at, const Table& t) {
        std::vector<std::vector<const Cell*>> contents;
        const rtf::Grid grid = layoutTable(t, contents);
        if (grid.rows == 0 || grid.columns == 0) {
            drop(t);
            return;
        }
        QTextTableFormat format;
        format.setBorderCollapse(true);
        format.setBorder(0);
        format.setCellSpacing(0);
        format.setCellPadding(0);
        QList<QTextLength> widths;
        for (int w : grid.widths) {
            widths.append(grid.percent ? QTextLength(QTextLength::PercentageLength, w / 100.0)
                                       : QTextLength(QTextLength::FixedLength, w / 20.0));
        }
        format.setColumnWidthConstraints(widths);
        if (grid.percent)
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        const rtf::RowFormat& first = t.rows.front().format;
        switch (first.align) {
            case rtf::Align::Center:
                format.setAlignment(Qt::AlignHCenter);
                break;
            case rtf::Align::Right:
                format.setAlignment(Qt::AlignRight);
                break;
            default:
                format.setAlignment(Qt::AlignLeft);
                if (first.left > 0)
                    format.setLeftMargin(first.left / 20.0);
                break;
        }
        int headers = 0;
        while (headers < static_cast<int>(t.rows.size()) && t.rows[headers].format.header)
            ++headers;
        format.setHeaderRowCount(headers);
        if (pageBreak_) {
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            pageBreak_ = false;
        }
        QTextTable* table = at.cursor.insertTable(grid.rows, grid.columns, format);
        for (const rtf::GridCell& g : grid.cells) {
            if (g.rowSpan > 1 || g.columnSpan > 1)
                table->mergeCells(g.row, g.column, g.rowSpan, g.columnSpan);
        }
        for (const rtf::GridCell& g : grid.cells) {
            QTextTableCell cell = table->cellAt(g.row, g.column);
            const int gap = t.rows[static_cast<std::size_t>(g.row)].format.gap;
            cell.setFormat(cachedCellFormat(g.def, g.storedCells, gap));
            Place inside{cell.firstCursorPosition(), true};
            bool first = true;
            for (const auto& [r, k] : g.sources) {
                const Cell& content =
                    *contents[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)];
                // Merged cells add their text, if they have any.
                if (first || !content.empty())
                    cellItems(inside, content.items);
                else
                    drop(content.items);
                first = false;
            }
        }
        at.cursor.setPosition(table->lastPosition() + 1);
        at.fresh = true;
    }

  private:
    // Most cells of a table share their format: made once, a table of many
    // rows reads much faster.
    const QTextTableCellFormat& cachedCellFormat(const rtf::CellDef& def, int stored, int gap) {
        for (const CachedCell& c : cellFormats_) {
            if (c.stored == stored && c.gap == gap && c.def == def)
                return c.format;
        }
        if (cellFormats_.size() >= kCachedCellFormats)
            cellFormats_.erase(cellFormats_.begin());
        cellFormats_.push_back({def, stored, gap, cellFormat(def, stored, gap)});
        return cellFormats_.back().format;
    }

    // The table's rows on a grid, with the cells each grid cell shows.
    rtf::Grid layoutTable(const Table& t, std::vector<std::vector<const Cell*>>& contents) {
        std::vector<rtf::GridRow> rows;
        for (const Row& row : t.rows) {
            std::vector<const Cell*> cells;
            for (const Cell& c : row.cells)
                cells.push_back(&c);
            // Empty cells beyond the row's definition are a writer's slip.
            while (cells.size() > std::max<std::size_t>(row.format.cells.size(), 1) &&
                   cells.back()->empty() && !cells.back()->hasNotes())
                cells.pop_back();
            // A cell with notes keeps its place, so that the notes keep
            // their order.
            std::vector<bool> filled;
            for (const Cell* c : cells)
                filled.push_back(!c->empty() || c->hasNotes());
            rows.push_back({&row.format, static_cast<int>(cells.size()), std::move(filled)});
            contents.push_back(std::move(cells));
        }
        return rtf::layoutGrid(rows);
    }

    struct CachedCell {
        rtf::CellDef def;
        int stored;
        int gap;
        QTextTableCellFormat format;
    };
    static constexpr std::size_t kCachedCellFormats = 16;
    std::vector<CachedCell> cellFormats_;
    QString droppedNotes_;  // of content left out, for the next paragraph
    bool pageBreak_ = false;
    bool haveBlock_ = false;
    rtf::ParaFormat lastBlock_;
    QTextBlockFormat lastBlockQt_;
};

// Collects what the parser reports into paragraphs, tables and notes, and
// puts body paragraphs into the document as soon as they are complete.
class DocumentSink final : public rtf::Sink {
  public:
    explicit DocumentSink(QTextDocument& doc) : body_{QTextCursor(&doc), true} {}

    void text(std::string_view bytes, const rtf::CharFormat& format) override {
        useFormat(format);
        run_.append(platform::qs(bytes));
    }
    void foreign(char16_t unit, const rtf::CharFormat& format) override {
        useFormat(format);
        run_.append(QChar(unit));
    }
    void lineBreak(const rtf::CharFormat& format) override {
        useFormat(format);
        run_.append(QChar::LineSeparator);
    }
    void footnoteMark(int number, bool inNote, const rtf::CharFormat& format) override {
        flush();
        QTextCharFormat q = toQt(format, link(format.link));
        if (format.script == rtf::Script::Normal)
            q.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        q.setProperty(inNote ? kNoteNumber : kNoteReference, number);
        cur_.runs.push_back({QString::number(number), q});
    }
    void paragraphFormat(const rtf::ParaFormat& format) override {
        flush();
        cur_.format = format;
        cur_.hasFormat = true;
    }
    void newParagraph() override {
        flush();
        if (afterRow_) {
            afterRow_ = false;  // the row's own line end
            return;
        }
        commit(std::exchange(cur_, Para{}));
    }
    void cellEnd(int level) override {
        flush();
        commit(std::exchange(cur_, Para{}));
        Table& t = open(level);
        t.cells.push_back(Cell{std::move(t.items)});
        t.items.clear();
    }
    void rowEnd(int level, const rtf::RowFormat& row) override {
        flush();
        if (static_cast<int>(open_.size()) < level && cur_.format.tableLevel < level)
            return;  // a \row outside any table ends a paragraph like \par
        afterRow_ = true;
        if (cur_.used()) {
            cur_.format.tableLevel = std::max(cur_.format.tableLevel, level);
            cellEnd(level);
        }
        if (static_cast<int>(open_.size()) < level)
            return;
        closeTables(level);
        Table& t = *open_[static_cast<std::size_t>(level - 1)];
        if (!t.items.empty()) {
            t.cells.push_back(Cell{std::move(t.items)});
            t.items.clear();
        }
        if (!t.cells.empty())
            t.rows.push_back(Row{std::move(t.cells), row});
        t.cells.clear();
    }
    void footnoteStart(int number) override {
        flush();
        // Where the note stands, so that the writer puts it there again.
        if (cur_.runs.empty())
            addNote(cur_.notesAtStart, kNotesAtStart, number);
        else
            addNote(cur_.runs.back().format, kNotesAfter, number);
        bodyPara_ = std::exchange(cur_, Para{});
        bodyAfterRow_ = std::exchange(afterRow_, false);
        notes_.push_back(Note{number, {}});
        inNote_ = true;
    }
    void footnoteEnd() override {
        flush();
        if (cur_.used())
            notes_.back().paras.push_back(std::move(cur_));
        cur_ = std::move(bodyPara_);
        afterRow_ = bodyAfterRow_;
        inNote_ = false;
    }
    void pageBreak() override { cur_.breakAfter = true; }
    void linkTarget(int index, std::string_view url) override {
        if (static_cast<std::size_t>(index) >= links_.size())
            links_.resize(static_cast<std::size_t>(index) + 1);
        links_[static_cast<std::size_t>(index)] =
            QString::fromLatin1(url.data(), static_cast<qsizetype>(url.size()));
    }

    void finish() {
        flush();
        if (inNote_)
            footnoteEnd();
        if (cur_.used())
            commit(std::exchange(cur_, Para{}));
        closeTables(0);
        if (std::all_of(notes_.begin(), notes_.end(),
                        [](const Note& n) { return n.paras.empty(); })) {
            return;  // empty notes show nothing
        }
        // The notes follow the text under a short rule.
        QTextBlockFormat rule;
        rule.setProperty(QTextFormat::BlockTrailingHorizontalRulerWidth,
                         QTextLength(QTextLength::PercentageLength, 100));
        rule.setProperty(kNoteBlock, 0);
        rule.setTopMargin(12);
        builder_.para(body_, Para{}, rule);
        for (const Note& note : notes_) {
            for (const Para& p : note.paras) {
                QTextBlockFormat f = toQt(p.format);
                f.setProperty(kNoteBlock, note.number);
                builder_.para(body_, p, f);
            }
        }
    }

    QTextCursor& cursor() { return body_.cursor; }

  private:
    QString link(int index) const {
        return index > 0 && static_cast<std::size_t>(index) < links_.size()
                   ? links_[static_cast<std::size_t>(index)]
                   : QString();
    }

    void useFormat(const rtf::CharFormat& format) {
        if (haveCharFormat_ && format == char_)
            return;
        flush();
        char_ = format;
        charQt_ = toQt(format, link(format.link));
        haveCharFormat_ = true;
    }

    void flush() {
        if (run_.isEmpty())
            return;
        cur_.runs.push_back({run_, charQt_});
        run_.clear();
    }

    Table& open(int level) {
        closeTables(level);
        while (static_cast<int>(open_.size()) < level)
            open_.push_back(std::make_unique<Table>());
        return *open_[static_cast<std::size_t>(level - 1)];
    }

    // Ends the tables nested deeper than level: each goes into the cell of
    // the table around it, or into the body.
    void closeTables(int level) {
        while (static_cast<int>(open_.size()) > level) {
            std::unique_ptr<Table> t = std::move(open_.back());
            open_.pop_back();
            t->finish();
            if (t->rows.empty())
                continue;
            if (!open_.empty()) {
                open_.back()->items.push_back(Item{Para{}, std::move(t)});
            } else {
                builder_.table(body_, *t);
            }
        }
    }

    void commit(Para p) {
        if (inNote_) {
            notes_.back().paras.push_back(std::move(p));
            return;
        }
        const int level = std::min(p.format.tableLevel, rtf::kMaxTableLevel);
        if (level == 0) {
            closeTables(0);
            builder_.para(body_, p);
            return;
        }
        open(level).items.push_back(Item{std::move(p), nullptr});
    }

    Place body_;
    Builder builder_;
    Para cur_;
    Para bodyPara_;
    QString run_;
    rtf::CharFormat char_;
    QTextCharFormat charQt_;
    bool haveCharFormat_ = false;
    bool afterRow_ = false;
    bool bodyAfterRow_ = false;
    bool inNote_ = false;
    std::vector<std::unique_ptr<Table>> open_;  // open tables, outermost first
    std::vector<Note> notes_;
    std::vector<QString> links_;
};

}  // namespace

void read(std::string_view rtf, QTextDocument& doc) {
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.clear();
    {
        DocumentSink sink(doc);
        sink.cursor().beginEditBlock();
        rtf::parse(rtf, sink);
        sink.finish();
        sink.cursor().endEditBlock();
    }
    doc.setUndoRedoEnabled(undo);
    doc.setModified(false);
}

std::unique_ptr<QTextDocument> read(std::string_view rtf) {
    auto doc = std::make_unique<QTextDocument>();
    read(rtf, *doc);
    return doc;
}

}  // namespace richtext
