#pragma once
// The key-press filters of the entry fields: every typed character passes the
// field's filter before the field receives it. Text arrives as key events
// (possibly several characters) or as input-method commits; editing and
// navigation keys (backspace, delete, arrows, Enter, shortcuts) pass untouched.
#include <QString>

class QWidget;

namespace yuscii {

enum class KeyFilter {
    Keyboard,       // the keyboard mapping (fromUnicodeKey)
    KeyboardUpper,  // the keyboard mapping, then yusciiupper: the search fields
    Digits,         // only 0-9 are typed; everything else is dropped
};

// Gives the field (QLineEdit, QTextEdit or QPlainTextEdit) its filter. The
// filter object is a child of the field; a second call changes the kind.
void installKeyFilter(QWidget* field, KeyFilter kind);

// What the field receives for typed printable text: each character mapped or
// dropped (characters above 0xFF without a YUSCII code are dropped).
QString filterTypedText(const QString& typed, KeyFilter kind);

}  // namespace yuscii
