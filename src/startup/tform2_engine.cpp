// The database engine's environment at start: registration, installation
// and the version check. This engine needs no registration or installation,
// and its version is always one the program was delivered with.
#include "startup/tform2.h"

bool TForm2::GetPelmatistryInfo() {
    return true;
}

void TForm2::instalirajBDE() {}

bool TForm2::proveriverzijuBDE() {
    return true;
}
