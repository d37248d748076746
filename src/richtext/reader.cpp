#include "richtext/reader.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

#include "platform/textconv.h"
#include "richtext/rtf_parser.h"

namespace richtext {
namespace {

QTextCharFormat toQt(const rtf::CharFormat& f) {
    QTextCharFormat q;
    if (f.bold)
        q.setFontWeight(QFont::Bold);
    if (f.italic)
        q.setFontItalic(true);
    if (f.underline)
        q.setFontUnderline(true);
    if (f.fontSize > 0)
        q.setFontPointSize(f.fontSize / 2.0);
    if (f.hasColor) {
        q.setForeground(QColor(static_cast<int>((f.color >> 16) & 0xFF),
                               static_cast<int>((f.color >> 8) & 0xFF),
                               static_cast<int>(f.color & 0xFF)));
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
    return q;
}

// Collects text of one format and inserts it as one run.
class DocumentSink final : public rtf::Sink {
  public:
    explicit DocumentSink(QTextDocument& doc) : cursor_(&doc) {}

    void text(std::string_view bytes, const rtf::CharFormat& format) override {
        useFormat(format);
        run_.append(platform::qs(bytes));
    }
    void lineBreak(const rtf::CharFormat& format) override {
        useFormat(format);
        run_.append(QChar::LineSeparator);
    }
    void paragraphFormat(const rtf::ParaFormat& format) override {
        flush();
        if (!haveBlockFormat_ || !(format == lastBlock_)) {
            lastBlock_ = format;
            lastBlockQt_ = toQt(format);
            haveBlockFormat_ = true;
        }
        cursor_.setBlockFormat(lastBlockQt_);
    }
    void newParagraph() override {
        flush();
        cursor_.insertBlock();
    }

    void flush() {
        if (run_.isEmpty())
            return;
        cursor_.insertText(run_, charQt_);
        run_.clear();
    }

    QTextCursor& cursor() { return cursor_; }

  private:
    void useFormat(const rtf::CharFormat& format) {
        if (haveCharFormat_ && format == char_)
            return;
        flush();
        char_ = format;
        charQt_ = toQt(format);
        haveCharFormat_ = true;
    }

    QTextCursor cursor_;
    QString run_;
    rtf::CharFormat char_;
    QTextCharFormat charQt_;
    bool haveCharFormat_ = false;
    rtf::ParaFormat lastBlock_;
    QTextBlockFormat lastBlockQt_;
    bool haveBlockFormat_ = false;
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
        sink.flush();
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
