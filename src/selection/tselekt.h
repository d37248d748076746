#pragma once
// The selection window: a list of regulations handed over by its caller
// (the newest regulations of the last update), with highlighting by a part
// of the title, the details of the selected row, opening a row in the
// document window and the jump to the archive of a regulation that has
// older or newer versions. Created hidden at start, shown modally, emptied
// by every close.
//
// The window tells the rest of the program what the user asks through its
// signals and asks the archive test through links; src/app connects both.
#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "lists/listrules.h"

class QAction;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QToolButton;

namespace widgets {
class ReportList;
}

class Tselekt : public QDialog {
    Q_OBJECT
  public:
    explicit Tselekt(QWidget* parent = nullptr);
    ~Tselekt() override;

    // What the window asks; src/app sets it (an empty archive test answers
    // false).
    struct Links {
        // jelimastariji: the regulation of this title has an older or a
        // newer version.
        std::function<bool(const std::string&)> archiveTest;
    };
    Links links;

    // The rows to show, handed over before the window is shown.
    void setRows(std::vector<lists::Row> rows);

    // Set at start and by every close; the next activation clears it.
    bool fresh = true;

    void FormActivate();
    void FormClose();
    // The details of the selected row and the archive button.
    void change();

    // Every way of closing runs FormClose first.
    void done(int result) override;

  Q_SIGNALS:
    // Opens the row's regulation (title, BG) through the common flow; when
    // the document window has closed, the main window refreshes its page and
    // adds the title to the recently opened regulations.
    void openRequested(const std::string& title, const std::string& bg);
    // The main window's archive page is to search this title.
    void archiveJumpRequested(const std::string& title);
    // Marks a title for quick opening.
    void quickOpenMarked(const std::string& title);
    // The close has begun (the main window's progress bar goes to 0).
    void closing();

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildWindow();
    void setTitleWidth();

    // Set while the highlighting selects rows one by one: the details
    // follow once at the end.
    bool bulk_ = false;

  private:
    // Handlers reached through the controls.
    // "&Selektuj": highlights the rows whose title holds the search text.
    void SpeedButton1Click();
    // Opens the selected row.
    void ListBox1DblClick();
    // "Arhiva za ovaj propis".
    void SpeedButton3Click();
    // The context menu's "Oznaci": the selected row's title, or the first
    // row's when none is selected.
    void Oznaci1Click();

    // Controls (names as in the window's design); tests find them by
    // object name.
    // Controls (names as in the window's design).
    QToolButton* SpeedButton2 = nullptr;  // "Pret&hodna strana"
    QPlainTextEdit* Memo1 = nullptr;      // the details, greyed
    QToolButton* SpeedButton3 = nullptr;  // "Arhiva za ovaj propis"
    widgets::ReportList* Listbox1 = nullptr;
    QLineEdit* Edit1 = nullptr;           // a part of a title
    QToolButton* SpeedButton1 = nullptr;  // "&Selektuj"
    QMenu* PopupMenu1 = nullptr;
    QAction* Oznaci1 = nullptr;
    QAction* Nazad1 = nullptr;
};
