#include "selection/tselekt.h"

#include "platform/textconv.h"

Tselekt* selekt = nullptr;

Tselekt::Tselekt(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("selekt"));
    setWindowTitle(platform::qs("Lista propisa po zadatom kriterijumu"));
    selekt = this;
}

Tselekt::~Tselekt() {
    if (selekt == this) {
        selekt = nullptr;
    }
}
