#pragma once
// The hits of the keyword search a document was opened from: every
// occurrence of the search words highlighted in the text view, the current
// one shown in the status panel as "Pogodak N od M", F3 and Shift+F3 (and
// two small buttons) to step through them. The opening flow hands the words
// over before the window shows; the first hit is shown when the text is
// loaded, a script switch finds the hits again in the new text, and the
// close forgets them, so a document opened any other way shows none.
#include <QObject>
#include <string_view>
#include <vector>

#include "search/hits.h"

class QAction;
class QBoxLayout;
class QLabel;
class QTextEdit;
class QToolButton;
class QWidget;

namespace viewer {

class DocumentHits : public QObject {
    Q_OBJECT
  public:
    // window gets the keys, status panel the count; the two buttons go into
    // box at position at.
    DocumentHits(QWidget& window, QTextEdit& view, QLabel& status, QBoxLayout& box, int at);

    // The words of the next opening (none: no highlights).
    void setPending(search::HitWords words) { pending_ = std::move(words); }

    // A new document's text is loaded: the pending words become its words,
    // their hits are highlighted and the first is shown.
    void open(std::string_view plainText, bool cyrillic);
    // The script switched: the same words in the new text, the first shown.
    void refresh(std::string_view plainText, bool cyrillic);
    // The window closes: no words, no highlights.
    void close();

    void next();
    void previous();

    const std::vector<search::Hit>& hits() const { return hits_; }
    // Index of the hit shown (-1: none).
    int current() const { return current_; }

  private:
    void show(int index);
    void paint();
    void updateControls();

    QTextEdit& view_;
    QLabel& status_;
    QToolButton* previousButton_ = nullptr;
    QToolButton* nextButton_ = nullptr;
    QAction* previousAction_ = nullptr;
    QAction* nextAction_ = nullptr;
    int statusWidth_ = 0;  // the panel's own width
    search::HitWords pending_;
    search::HitWords words_;
    std::vector<search::Hit> hits_;
    int current_ = -1;
};

}  // namespace viewer
