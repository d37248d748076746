#include "viewer/tdokumenti.h"

#include "platform/textconv.h"

Tdokumenti* dokumenti = nullptr;

Tdokumenti::Tdokumenti(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dokumenti"));
    setWindowTitle(platform::qs("Prilozi"));
    dokumenti = this;
}

Tdokumenti::~Tdokumenti() {
    if (dokumenti == this) {
        dokumenti = nullptr;
    }
}
