#include "engine/version.h"

#include "platform/fileversion.h"

KORVET_FILE_VERSION("5.2.0.2");

namespace engine {

const char* version() {
    return korvetFileVersionStamp.text;
}

}  // namespace engine
