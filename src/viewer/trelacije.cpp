#include "viewer/trelacije.h"

#include "platform/textconv.h"

Trelacije* relacije = nullptr;

Trelacije::Trelacije(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("relacije"));
    setWindowTitle(platform::qs("Relacije"));
    relacije = this;
}

Trelacije::~Trelacije() {
    if (relacije == this) {
        relacije = nullptr;
    }
}
