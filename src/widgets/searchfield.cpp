#include "widgets/searchfield.h"

#include <QLineEdit>

#include "platform/textconv.h"
#include "yuscii/keyfilter.h"
#include "yuscii/yuscii.h"

namespace widgets {

namespace {

// The field's text in capitals, the YUSCII letters included.
QString upper(const QString& text) {
    return platform::qs(yuscii::yupperW(platform::ys(text)));
}

}  // namespace

void makeSearchField(QLineEdit* field) {
    yuscii::installKeyFilter(field, yuscii::KeyFilter::KeyboardUpper);
    QObject::connect(field, &QLineEdit::textEdited, field, [field](const QString& text) {
        const QString shown = upper(text);
        if (shown != text) {
            const int cursor = field->cursorPosition();
            field->setText(shown);
            field->setCursorPosition(cursor);
        }
    });
}

void setSearchText(QLineEdit* field, const std::string& text) {
    field->setText(platform::qs(yuscii::yupperW(text)));
}

}  // namespace widgets
