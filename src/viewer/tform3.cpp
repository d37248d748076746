#include "viewer/tform3.h"

#include "platform/textconv.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(platform::qs(""));
    Form3 = this;
}

TForm3::~TForm3() {
    if (Form3 == this) {
        Form3 = nullptr;
    }
}
