#include "viewer/tform5.h"

#include "platform/textconv.h"

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(platform::qs("Dodatne informacije"));
}
