#include "viewer/tdokumenti.h"

#include "platform/textconv.h"

Tdokumenti::Tdokumenti(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dokumenti"));
    setWindowTitle(platform::qs("Prilozi"));
}
