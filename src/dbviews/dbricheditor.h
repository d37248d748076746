#pragma once
// An editable rich-text view bound to a memo field of a data source's
// current row: it shows the row's text (RTF) and follows every move of the
// row. Every change of the text or its format is written back to the field
// as RTF at once, the first change putting the table into Edit state (Insert
// on an empty table). So the text has reached the field before any post:
// the navigator's, or the one the table makes when its cursor moves. Cancel
// shows the stored text again.
//
// The editor is read-only when asked to be (setReadOnly) and while the field
// cannot take the text: a closed or read-only table, an absent field, or a
// field that is no memo (such a field is shown as plain text).
//
// Copy, cut and paste keys go through the platform clipboard seam; there is
// no context menu. Group programmatic changes in one edit block
// (QTextCursor::beginEditBlock) to write the field once.
//
// The data source must outlive the editor, or be unbound first.
#include <QTextEdit>
#include <string>

#include "dbviews/sourcelink.h"

namespace dbviews {

class DBRichEditor : public QTextEdit, public FieldBinding {
    Q_OBJECT
  public:
    explicit DBRichEditor(QWidget* parent = nullptr);
    ~DBRichEditor() override;

    // The read-only option (QTextEdit::isReadOnly tells the state in effect).
    void setReadOnly(bool readOnly);
    bool readOnlyOption() const { return readOnly_; }
    bool canModify() const;

    // The plain text as YUSCII bytes: paragraphs and line breaks '\n'.
    std::string plainText() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    // A drop (or the selection's paste) as plain YUSCII text.
    void insertFromMimeData(const QMimeData* source) override;

  private:
    void rebound() override;
    void dataChanged(engine::Event event);
    void load(const std::string& value, bool rich);
    void documentEdited();
    void updateReadOnly();

    bool readOnly_ = false;
    std::string shown_;  // the field value the text stands for
    bool shownValid_ = false;
    bool writing_ = false;  // our own change of the field is under way
};

}  // namespace dbviews
