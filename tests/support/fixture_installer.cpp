// A stand-in for "BDEinst.dll": writes "load" when the loader maps it and
// "call" when its entry runs, one line each, to the file that
// KORVET_TEST_INSTALLER_LOG names. Built with WITHOUT_ENTRY it has no entry.
#include <cstdio>
#include <cstdlib>

namespace {

void note(const char* what) {
    if (const char* path = std::getenv("KORVET_TEST_INSTALLER_LOG")) {
        if (FILE* file = std::fopen(path, "a")) {
            std::fprintf(file, "%s\n", what);
            std::fclose(file);
        }
    }
}

[[gnu::constructor]] void loaded() {
    note("load");
}

}  // namespace

#ifndef WITHOUT_ENTRY
extern "C" long DllRegisterServer() {
    note("call");
    return 0;
}
#endif
