#include "update/tupdater.h"

#include "platform/textconv.h"

Tupdater* updater = nullptr;

Tupdater::Tupdater(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("updater"));
    setWindowTitle(platform::qs("Azuriranje"));
    updater = this;
}

Tupdater::~Tupdater() {
    if (updater == this) {
        updater = nullptr;
    }
}
