#include "mainwindow/searchfield.h"

#include <QLineEdit>

#include "platform/textconv.h"
#include "yuscii/keyfilter.h"

namespace searchfield {

namespace {

QString upperAZ(QString text) {
    for (QChar& c : text) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
            c = QChar(c.unicode() - 'a' + 'A');
        }
    }
    return text;
}

}  // namespace

void makeSearchField(QLineEdit* field) {
    yuscii::installKeyFilter(field, yuscii::KeyFilter::KeyboardUpper);
    QObject::connect(field, &QLineEdit::textEdited, field, [field](const QString& text) {
        const QString upper = upperAZ(text);
        if (upper != text) {
            const int cursor = field->cursorPosition();
            field->setText(upper);
            field->setCursorPosition(cursor);
        }
    });
}

void setText(QLineEdit* field, const std::string& text) {
    field->setText(upperAZ(platform::qs(text)));
}

}  // namespace searchfield
