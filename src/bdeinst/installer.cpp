#include "bdeinst/installer.h"

#include <dlfcn.h>

#include <string>

#include "platform/log.h"

namespace bdeinst {

Outcome runInstaller(const std::filesystem::path& dir) {
    const auto path = dir / kLibraryFile;
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* why = ::dlerror();
        platform::log("loading the engine installer " + path.string() + ": " +
                      (why != nullptr ? why : "unknown error"));
        return Outcome::LoadFailed;
    }
    using Entry = long (*)();
    auto entry = reinterpret_cast<Entry>(::dlsym(library, kEntry));
    Outcome outcome = Outcome::EntryMissing;
    if (entry != nullptr) {
        entry();
        outcome = Outcome::Called;
    }
    ::dlclose(library);
    return outcome;
}

const char* failureMessage(Outcome outcome) {
    switch (outcome) {
        case Outcome::LoadFailed:
            return kLoadFailed;
        case Outcome::EntryMissing:
            return kEntryMissing;
        case Outcome::Called:
            break;
    }
    return nullptr;
}

}  // namespace bdeinst
