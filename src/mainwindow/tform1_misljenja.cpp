// Page 4 "M&i{ljenja": official opinions.
#include "mainwindow/tform1.h"

void TForm1::buildPageMisljenja() {
    // The ministry choice ComboBox1 and the result list Listbox6 come here.
}
