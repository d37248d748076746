#include "viewer/hits.h"

#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QTextEdit>
#include <QToolButton>
#include <algorithm>

#include "platform/guard.h"
#include "platform/textconv.h"

namespace viewer {

namespace {

QToolButton* arrowButton(QWidget* parent, const char* name, Qt::ArrowType arrow, const char* hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setArrowType(arrow);
    button->setAutoRaise(true);
    button->setFixedSize(20, 20);
    button->setToolTip(platform::qs(hint));
    button->setStatusTip(platform::qs(hint));
    return button;
}

QAction* keyAction(QWidget& window, const char* name, const QKeySequence& key) {
    auto* action = new QAction(&window);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    window.addAction(action);
    return action;
}

}  // namespace

DocumentHits::DocumentHits(QWidget& window, QTextEdit& view, QLabel& status, QBoxLayout& box,
                           int at)
    : QObject(&window), view_(view), status_(status), statusWidth_(status.minimumWidth()) {
    QWidget* row = box.parentWidget();
    previousButton_ = arrowButton(row, "PrethodniPogodak", Qt::UpArrow, "Prethodni pogodak");
    nextButton_ = arrowButton(row, "SledeciPogodak", Qt::DownArrow, "Slede}i pogodak");
    box.insertWidget(at, previousButton_);
    box.insertWidget(at + 1, nextButton_);
    previousAction_ = keyAction(window, "PrethodniPogodak1", QKeySequence(Qt::SHIFT | Qt::Key_F3));
    nextAction_ = keyAction(window, "SledeciPogodak1", QKeySequence(Qt::Key_F3));
    platform::connectGuarded(previousButton_, &QToolButton::clicked, this, [this] { previous(); });
    platform::connectGuarded(nextButton_, &QToolButton::clicked, this, [this] { next(); });
    platform::connectGuarded(previousAction_, &QAction::triggered, this, [this] { previous(); });
    platform::connectGuarded(nextAction_, &QAction::triggered, this, [this] { next(); });
    updateControls();
}

void DocumentHits::open(std::string_view plainText, bool cyrillic) {
    words_ = std::move(pending_);
    pending_ = {};
    refresh(plainText, cyrillic);
}

void DocumentHits::refresh(std::string_view plainText, bool cyrillic) {
    hits_ = words_.empty() ? std::vector<search::Hit>{}
                           : search::findHits(plainText, search::hitNeedles(words_, cyrillic));
    current_ = -1;
    if (hits_.empty()) {
        paint();
        updateControls();
    } else {
        show(0);
    }
}

void DocumentHits::close() {
    pending_ = {};
    words_ = {};
    hits_.clear();
    current_ = -1;
    paint();
    updateControls();
}

void DocumentHits::next() {
    if (!hits_.empty()) {
        show(current_ + 1 < static_cast<int>(hits_.size()) ? current_ + 1 : 0);
    }
}

void DocumentHits::previous() {
    if (!hits_.empty()) {
        show(current_ > 0 ? current_ - 1 : static_cast<int>(hits_.size()) - 1);
    }
}

void DocumentHits::show(int index) {
    current_ = index;
    const search::Hit& hit = hits_[static_cast<size_t>(index)];
    QTextCursor cursor(view_.document());
    cursor.setPosition(static_cast<int>(hit.end()));
    cursor.setPosition(static_cast<int>(hit.start), QTextCursor::KeepAnchor);
    view_.setTextCursor(cursor);
    view_.ensureCursorVisible();
    paint();
    updateControls();
}

void DocumentHits::paint() {
    QList<QTextEdit::ExtraSelection> marks;
    marks.reserve(static_cast<qsizetype>(hits_.size()));
    QTextCharFormat all;
    all.setBackground(QColor(0xff, 0xe8, 0x6b));
    QTextCharFormat shown;
    shown.setBackground(QColor(0xff, 0x96, 0x32));
    const int last = view_.document()->characterCount() - 1;
    for (size_t i = 0; i < hits_.size(); ++i) {
        const search::Hit& hit = hits_[i];
        if (static_cast<int>(hit.end()) > last) {
            break;  // the view holds another text than the one searched
        }
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(view_.document());
        mark.cursor.setPosition(static_cast<int>(hit.start));
        mark.cursor.setPosition(static_cast<int>(hit.end()), QTextCursor::KeepAnchor);
        mark.format = static_cast<int>(i) == current_ ? shown : all;
        marks.push_back(mark);
    }
    view_.setExtraSelections(marks);
}

void DocumentHits::updateControls() {
    const bool any = !hits_.empty();
    previousButton_->setEnabled(any);
    nextButton_->setEnabled(any);
    previousAction_->setEnabled(any);
    nextAction_->setEnabled(any);
    if (!any) {
        status_.clear();
        status_.setFixedWidth(statusWidth_);
        return;
    }
    const QString text = platform::qs("Pogodak " + std::to_string(current_ + 1) + " od " +
                                      std::to_string(hits_.size()));
    status_.setText(text);
    // The panel widens when the count needs it.
    status_.setFixedWidth(
        std::max(statusWidth_, status_.fontMetrics().horizontalAdvance(text) + 12));
}

}  // namespace viewer
