#include "platform/ui.h"

namespace platform {

Ui& qtUi();  // ui_qt.cpp

namespace {
Ui* installed = nullptr;
}

Ui& ui() {
    return installed ? *installed : qtUi();
}

void setUi(Ui* implementation) {
    installed = implementation;
}

}  // namespace platform
