// Page 6 "Tipski &ugovori": model contracts and user contracts.
#include "mainwindow/tform1.h"

void TForm1::buildPageUgovori() {
    // The two page controls of the models and the user contracts come here.
}

void TForm1::ugovoriFormCreate() {
    // Selects page 0 of the page's two page controls and disables
    // SpeedButton29.
}

void TForm1::ugovoriFormActivate() {
    // Gives RichEdit2 the Latin text face and sets DBGrid13's columns.
}
