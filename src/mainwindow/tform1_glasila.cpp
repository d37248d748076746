// Page 0 "Izbor &glasila": browse by gazette, year and issue.
#include "mainwindow/tform1.h"

void TForm1::buildPageGlasila() {
    // The gazette tree TreeView2 and the list ListView1 come here.
}

void TForm1::ubacipoglasnicima() {
    // Fills the gazette tree at the first activation.
}

void TForm1::attachTreeView2Change() {
    // Attaches the gazette tree's change handler after the first fill.
}
