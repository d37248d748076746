// Page 2 "&Pretraga": keyword search.
#include "mainwindow/tform1.h"

void TForm1::buildPagePretraga() {
    // The search field, the scope choice (RadioButton6), the gazette choice
    // ComboBox4 and the result list ListBox2 come here.
}
