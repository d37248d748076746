// "BDEinst.dll": registers the engine this library was built with. The
// engine key's "DLLPATH" becomes the folder the loader took the engine
// library from, so the version check at start reads that very file.
#include <dlfcn.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "bdeinst/installer.h"
#include "engine/version.h"
#include "platform/log.h"
#include "platform/registry.h"

namespace {

constexpr long kOk = 0;
constexpr long kFailed = 0x80004005L;  // E_FAIL

}  // namespace

extern "C" [[gnu::visibility("default")]] long DllRegisterServer() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<const void*>(&engine::version), &info) == 0 ||
        info.dli_fname == nullptr) {
        platform::log("engine installer: the engine library cannot be found");
        return kFailed;
    }
    std::error_code ec;
    auto library = std::filesystem::canonical(info.dli_fname, ec);
    if (ec) {
        library = std::filesystem::absolute(info.dli_fname, ec);
    }
    const std::string folder = library.parent_path().string();
    if (!platform::registry::writeString(platform::registry::Hive::LocalMachine,
                                         bdeinst::kEngineKey, bdeinst::kDllPath, folder)) {
        platform::log("engine installer: the engine key cannot be written (" + folder + ")");
        return kFailed;
    }
    return kOk;
}
