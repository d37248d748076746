#include "update/tupdater.h"

#include "platform/textconv.h"

Tupdater::Tupdater(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("updater"));
    setWindowTitle(platform::qs("Azuriranje"));
}
