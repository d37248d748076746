// A stand-in engine library stamped with the version STAMP, or unstamped
// when STAMP is not defined.
#include "platform/fileversion.h"

#ifdef STAMP
KORVET_FILE_VERSION(STAMP);
#endif

extern "C" int korvetFixtureEngine() {
    return 0;
}
