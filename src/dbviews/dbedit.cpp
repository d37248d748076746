#include "dbviews/dbedit.h"

#include "platform/textconv.h"

namespace dbviews {

DBEdit::DBEdit(QWidget* parent)
    : QLineEdit(parent), FieldBinding([this](engine::Event event) { dataChanged(event); }) {
    connect(this, &QLineEdit::textEdited, this, &DBEdit::textTyped);
    dataChanged(engine::Event::RecordChanged);
}

DBEdit::~DBEdit() = default;

void DBEdit::rebound() {
    dataChanged(engine::Event::RecordChanged);
}

void DBEdit::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    QLineEdit::setReadOnly(readOnly_ || !canModify());
}

bool DBEdit::canModify() const {
    auto field = boundField();
    return field && field->type() == engine::FieldType::String && !link_.table()->readOnly();
}

std::string DBEdit::value() const {
    return platform::ys(text());
}

void DBEdit::dataChanged(engine::Event event) {
    if (writing_) {
        return;
    }
    auto field = boundField();
    const QString shown = field ? platform::qs(field->asString()) : QString();
    // The same text stays as it is (caret and all), unless the row is another.
    if (shown != text() || event == engine::Event::RecordChanged) {
        setText(shown);
    }
    const bool sized = field && field->type() == engine::FieldType::String && field->size() > 0;
    setMaxLength(sized ? field->size() : 32767);
    QLineEdit::setReadOnly(readOnly_ || !canModify());
}

void DBEdit::textTyped(const QString& text) {
    auto field = boundField();
    if (!field || !canModify()) {
        dataChanged(engine::Event::RecordChanged);
        return;
    }
    writing_ = true;
    try {
        if (!link_.editing()) {
            link_.table()->edit();
        }
        field->setString(platform::ys(text));
    } catch (const engine::Error&) {
        // The field keeps its value; so does the entry.
        writing_ = false;
        dataChanged(engine::Event::RecordChanged);
        throw;
    }
    writing_ = false;
}

}  // namespace dbviews
