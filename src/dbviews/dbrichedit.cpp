#include "dbviews/dbrichedit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include "engine/datasource.h"
#include "engine/table.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "richtext/reader.h"

namespace dbviews {

DBRichEdit::DBRichEdit(QWidget* parent)
    : QTextEdit(parent), FieldBinding([this](engine::Event event) {
          // A change of state alone changes no shown value.
          if (event != engine::Event::StateChanged) {
              dataChanged();
          }
      }) {
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    viewport()->setMouseTracking(true);  // the hand over links
}

DBRichEdit::~DBRichEdit() {
    link_.setDataSource(nullptr);
}

void DBRichEdit::rebound() {
    dataChanged();
}

void DBRichEdit::dataChanged() {
    // A dataset walked row by row sends many changes; the text is replaced once.
    const std::string name = dataField().empty() ? std::string() : "(" + dataField() + ")";
    if (!loaded_ && shownName_ == name) {
        return;
    }
    loaded_ = false;
    shownName_ = name;
    setPlainText(platform::qs(name));
}

void DBRichEdit::loadMemo() {
    std::string rtf;
    engine::Table* table = link_.openTable();
    if (table != nullptr && !table->isEmpty()) {
        if (auto field = boundField()) {
            rtf = field->asString();
        }
    }
    // Read into a document of its own, then show it: a document the view
    // shows from the start is laid out step by step while the window stays
    // responsive, one filled in place would be laid out all at once.
    auto* doc = new QTextDocument(this);
    doc->setDefaultFont(font());
    doc->setUndoRedoEnabled(false);
    richtext::read(rtf, *doc);
    // The view deletes the document it made itself; the ones read here are ours.
    QTextDocument* old = document();
    const bool ours = old->parent() == this;
    setDocument(doc);
    if (ours) {
        delete old;
    }
    loaded_ = true;
    shownName_.clear();
    Q_EMIT memoLoaded();
}

std::string DBRichEdit::plainText() const {
    return platform::ysPlain(document()->toPlainText());
}

std::string DBRichEdit::selectedText() const {
    return platform::ysPlain(textCursor().selection().toPlainText());
}

bool DBRichEdit::hasSelection() const {
    return textCursor().hasSelection();
}

void DBRichEdit::copyToClipboard() {
    if (hasSelection()) {
        platform::ui().setClipboardText(selectedText());
    }
}

bool DBRichEdit::event(QEvent* event) {
    // Not claiming the copy key lets the window's own copy command have it.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        event->ignore();
        return true;
    }
    return QTextEdit::event(event);
}

void DBRichEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        copyToClipboard();
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void DBRichEdit::mouseMoveEvent(QMouseEvent* event) {
    QTextEdit::mouseMoveEvent(event);
    const bool link = !anchorAt(event->position().toPoint()).isEmpty();
    viewport()->setCursor(link ? Qt::PointingHandCursor : Qt::IBeamCursor);
}

void DBRichEdit::mouseReleaseEvent(QMouseEvent* event) {
    QTextEdit::mouseReleaseEvent(event);
    const QString href = anchorAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && !href.isEmpty() && !hasSelection()) {
        if (href.startsWith(QLatin1String("korvet:"))) {
            Q_EMIT internalLinkClicked(href);
        } else {
            platform::ui().shellOpen("open", href.toLatin1().toStdString(), "");
        }
    }
}

}  // namespace dbviews
