#include "viewer/trelacije.h"

#include "platform/textconv.h"

Trelacije::Trelacije(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("relacije"));
    setWindowTitle(platform::qs("Relacije"));
}
