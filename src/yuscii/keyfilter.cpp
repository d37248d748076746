#include "yuscii/keyfilter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

#include "platform/textconv.h"
#include "platform/ui.h"
#include "yuscii/yuscii.h"

namespace yuscii {

namespace {

bool hasControlCharacter(const QString& text) {
    for (QChar c : text) {
        if (c.category() == QChar::Other_Control) {
            return true;
        }
    }
    return false;
}

// Replaces typed text in the events a field receives. An event whose text
// changes is swallowed and a copy with the filtered text is sent instead.
class KeyFilterObject final : public QObject {
  public:
    KeyFilterObject(QWidget* field, KeyFilter kind) : QObject(field), kind_(kind) {}

    void setKind(KeyFilter kind) { kind_ = kind; }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (forwarding_) {
            return false;
        }
        if (event->type() == QEvent::KeyPress) {
            return filterKey(watched, static_cast<QKeyEvent*>(event));
        }
        if (event->type() == QEvent::InputMethod) {
            return filterInputMethod(watched, static_cast<QInputMethodEvent*>(event));
        }
        return false;
    }

  private:
    bool filterKey(QObject* field, QKeyEvent* key) {
        if (key->matches(QKeySequence::Paste)) {
            return paste(field);
        }
        const QString text = key->text();
        if (text.isEmpty() || hasControlCharacter(text)) {
            return false;
        }
        const QString filtered = filterTypedText(text, kind_);
        if (filtered == text) {
            return false;
        }
        if (filtered.isEmpty()) {
            return true;
        }
        QKeyEvent replacement(QEvent::KeyPress, key->key(), key->modifiers(), key->nativeScanCode(),
                              key->nativeVirtualKey(), key->nativeModifiers(), filtered,
                              key->isAutoRepeat(), static_cast<quint16>(key->count()),
                              key->device());
        forward(field, key, replacement);
        return true;
    }

    bool filterInputMethod(QObject* field, QInputMethodEvent* im) {
        const QString commit = im->commitString();
        if (commit.isEmpty()) {
            return false;
        }
        const QString filtered = filterTypedText(commit, kind_);
        if (filtered == commit) {
            return false;
        }
        // The pre-edit and replacement parts still reach the field.
        QInputMethodEvent replacement(im->preeditString(), im->attributes());
        replacement.setCommitString(filtered, im->replacementStart(), im->replacementLength());
        forward(field, im, replacement);
        return true;
    }

    // The clipboard's text, as the seam gives it in YUSCII, passes the same
    // filter as typed text, without the keyboard mapping of punctuation.
    bool paste(QObject* field) {
        auto* line = qobject_cast<QLineEdit*>(field);
        auto* rich = qobject_cast<QTextEdit*>(field);
        auto* plain = qobject_cast<QPlainTextEdit*>(field);
        if ((line != nullptr && line->isReadOnly()) || (rich != nullptr && rich->isReadOnly()) ||
            (plain != nullptr && plain->isReadOnly())) {
            return false;
        }
        std::string text;
        for (char ch : platform::ui().clipboardText()) {
            if (kind_ == KeyFilter::Digits && (ch < '0' || ch > '9')) {
                continue;
            }
            if (line != nullptr && (ch == '\n' || ch == '\r')) {
                continue;
            }
            text.push_back(kind_ == KeyFilter::KeyboardUpper ? yusciiupper(ch) : ch);
        }
        if (line != nullptr) {
            line->insert(platform::qs(text));
        } else if (rich != nullptr) {
            rich->insertPlainText(platform::qs(text));
        } else if (plain != nullptr) {
            plain->insertPlainText(platform::qs(text));
        } else {
            return false;
        }
        return true;
    }

    void forward(QObject* field, QEvent* original, QEvent& replacement) {
        forwarding_ = true;
        QCoreApplication::sendEvent(field, &replacement);
        forwarding_ = false;
        original->setAccepted(replacement.isAccepted());
    }

    KeyFilter kind_;
    bool forwarding_ = false;
};

}  // namespace

QString filterTypedText(const QString& typed, KeyFilter kind) {
    QString out;
    for (char32_t cp : typed.toUcs4()) {
        if (kind == KeyFilter::Digits) {
            if (cp >= U'0' && cp <= U'9') {
                out += QChar(static_cast<char16_t>(cp));
            }
            continue;
        }
        // A letter already in the program's own form (pasted from one of its
        // fields) stays the letter it is.
        std::optional<char> code =
            (cp >= platform::kYusciiLetterBase && cp <= platform::kYusciiLetterBase + 0xFF)
                ? std::optional<char>(static_cast<char>(cp - platform::kYusciiLetterBase))
                : fromUnicodeKey(cp);
        if (!code) {
            continue;
        }
        char ch = kind == KeyFilter::KeyboardUpper ? yusciiupper(*code) : *code;
        out += platform::qchar(static_cast<unsigned char>(ch));
    }
    return out;
}

void installKeyFilter(QWidget* field, KeyFilter kind) {
    for (QObject* child : field->children()) {
        if (auto* existing = dynamic_cast<KeyFilterObject*>(child)) {
            existing->setKind(kind);
            return;
        }
    }
    field->installEventFilter(new KeyFilterObject(field, kind));
}

}  // namespace yuscii
