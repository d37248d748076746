// Page 5 "&Arhiva": the archive of superseded versions.
#include "mainwindow/tform1.h"

void TForm1::buildPageArhiva() {
    // The archive list ListBox7, the version list Listbox9 and their panel
    // Panel24 come here.
}
