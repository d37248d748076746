// Page 1 "&Oblasti": browse by area and type, and the start-up fill.
#include "mainwindow/tform1.h"

void TForm1::buildPageOblasti() {
    // The area tree TreeView1, the type choice ComboBox3 and the list
    // ListBox3 come here.
}

void TForm1::poubacuj() {
    // The start-up fill of the selectors and lists; it ends with the counts.
    proveripropise();
}
