#pragma once
// A one-line entry bound to a text field of a data source's current row. It
// shows the row's value and follows every move of the row. Typed text goes
// into the field at once: the first change puts the table into Edit state
// (Insert on an empty table), so the navigator's post stores what is typed
// and its cancel brings the stored value back into the entry.
//
// The entry is read-only when asked to be (setReadOnly), and also while the
// table cannot take an edit: closed, read-only, or the field absent or not
// a text field. Its length is limited to the field's size.
#include <QLineEdit>
#include <string>

#include "dbviews/sourcelink.h"

namespace dbviews {

class DBEdit : public QLineEdit, public FieldBinding {
    Q_OBJECT
  public:
    explicit DBEdit(QWidget* parent = nullptr);
    ~DBEdit() override;

    // The read-only option (QLineEdit::isReadOnly tells the state in effect).
    void setReadOnly(bool readOnly);
    bool readOnlyOption() const { return readOnly_; }

    // Whether typing can reach the field now.
    bool canModify() const;
    // The shown text as YUSCII bytes.
    std::string value() const;

  private:
    void rebound() override;
    void dataChanged(engine::Event event);
    void textTyped(const QString& text);

    bool readOnly_ = false;
    bool writing_ = false;  // our own change of the field is under way
};

}  // namespace dbviews
