#pragma once
// A rich-text view bound to one memo field of a data source's current record.
// It never loads the field by itself: any change of the record, the row set,
// the data source or the field name only marks it not loaded and shows the
// field's name in parentheses; loadMemo() reads the stored RTF explicitly.
//
// A click on a hyperlink (without selecting) opens its target through the
// platform shell seam; a link of the program's own (href "korvet:...") is
// told to the window instead (internalLinkClicked).
//
// Copying (the copy key, copyToClipboard) goes through the platform
// clipboard seam, so that the program knows the text as its own. The copy
// key is not claimed as a shortcut: a window action on the same key wins.
//
// The data source must outlive the view, or be unbound (setDataSource
// (nullptr)) before it goes.
#include <QTextEdit>
#include <string>

#include "dbviews/sourcelink.h"

namespace dbviews {

class DBRichEdit : public QTextEdit, public FieldBinding {
    Q_OBJECT
  public:
    explicit DBRichEdit(QWidget* parent = nullptr);
    ~DBRichEdit() override;

    // Reads the bound field of the current record into the view. A source
    // without an open dataset, an empty dataset or an unknown field give an
    // empty text. The view counts as loaded afterwards in every case.
    void loadMemo();
    bool loaded() const { return loaded_; }

    // The plain text as YUSCII bytes: paragraphs and line breaks '\n'.
    std::string plainText() const;
    // The selected text the same way; empty when nothing is selected.
    std::string selectedText() const;
    bool hasSelection() const;

    // Puts the selection on the clipboard through the platform seam; an empty
    // selection copies nothing.
    void copyToClipboard();

  Q_SIGNALS:
    // The text was read (loadMemo); the window may mark it up now.
    void memoLoaded();
    void internalLinkClicked(const QString& href);

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void rebound() override;
    void dataChanged();

    bool loaded_ = false;
    std::string shownName_;  // the name in parentheses while not loaded
};

}  // namespace dbviews
