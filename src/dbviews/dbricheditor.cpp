#include "dbviews/dbricheditor.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include "platform/pastetext.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "richtext/reader.h"
#include "richtext/writer.h"

namespace dbviews {
DBRichEditor::DBRichEditor(QWidget* parent)
    : QTextEdit(parent), FieldBinding([this](engine::Event event) { dataChanged(event); }) {
    setAcceptRichText(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    dataChanged(engine::Event::RecordChanged);
}

DBRichEditor::~DBRichEditor() {
    link_.setDataSource(nullptr);
}

void DBRichEditor::rebound() {
    dataChanged(engine::Event::RecordChanged);
}

void DBRichEditor::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    updateReadOnly();
}

bool DBRichEditor::canModify() const {
    auto field = boundField();
    return field && field->type() == engine::FieldType::Memo && !link_.table()->readOnly();
}

void DBRichEditor::updateReadOnly() {
    QTextEdit::setReadOnly(readOnly_ || !canModify());
}

std::string DBRichEditor::plainText() const {
    return platform::ysPlain(document()->toPlainText());
}

void DBRichEditor::dataChanged(engine::Event event) {
    if (writing_) {
        return;
    }
    auto field = boundField();
    std::string value = field ? field->asString() : std::string();
    // Another row is always read. Otherwise a value the text already stands
    // for is not read again, so that a post of our own text keeps the caret
    // and the scroll position; the edits can no longer be undone, though, as
    // the row may be another one with the same text.
    if (event == engine::Event::RecordChanged || !shownValid_ || value != shown_) {
        load(value, field && field->type() == engine::FieldType::Memo);
        shown_ = std::move(value);
        shownValid_ = true;
    } else if (event != engine::Event::FieldChanged && event != engine::Event::StateChanged) {
        document()->clearUndoRedoStacks();
    }
    updateReadOnly();
}

void DBRichEditor::load(const std::string& value, bool rich) {
    // Read into a document of its own, then show it (laid out step by step).
    auto* doc = new QTextDocument(this);
    doc->setDefaultFont(font());
    if (rich) {
        richtext::read(value, *doc);
    } else {
        doc->setPlainText(platform::qs(value));
    }
    doc->clearUndoRedoStacks();
    // The view deletes the document it made itself; the ones read here are ours.
    QTextDocument* old = document();
    const bool ours = old->parent() == this;
    setDocument(doc);
    if (ours) {
        delete old;
    }
    connect(doc, &QTextDocument::contentsChanged, this, &DBRichEditor::documentEdited);
}

void DBRichEditor::documentEdited() {
    auto field = boundField();
    if (writing_ || !field || !canModify()) {
        return;
    }
    std::string rtf = richtext::write(*document());
    writing_ = true;
    try {
        if (!link_.editing()) {
            link_.table()->edit();
        }
        field->setBytes(rtf);
    } catch (const engine::Error&) {
        writing_ = false;
        throw;
    }
    writing_ = false;
    shown_ = std::move(rtf);
    shownValid_ = true;
}

void DBRichEditor::keyPressEvent(QKeyEvent* event) {
    const bool copy = event->matches(QKeySequence::Copy);
    const bool cut = event->matches(QKeySequence::Cut);
    if (copy || cut) {
        QTextCursor cursor = textCursor();
        if (cursor.hasSelection()) {
            platform::ui().setClipboardText(platform::ysPlain(cursor.selection().toPlainText()));
            if (cut && !isReadOnly()) {
                cursor.removeSelectedText();
            }
        }
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        if (!isReadOnly()) {
            insertPlainText(platform::qs(platform::ui().clipboardText()));
        }
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void DBRichEditor::insertFromMimeData(const QMimeData* source) {
    if (source != nullptr && source->hasText() && !isReadOnly()) {
        insertPlainText(platform::qs(platform::ysFromOutside(source->text())));
    }
}

}  // namespace dbviews
