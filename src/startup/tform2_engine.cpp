// The database engine's environment at start: whether the engine is
// registered, its installation through the installer library, and the check
// of the registered engine's version.
#include <QMetaObject>

#include "bdeinst/installer.h"
#include "engine/version.h"
#include "platform/fileversion.h"
#include "platform/log.h"
#include "platform/programdir.h"
#include "platform/registry.h"
#include "platform/ui.h"
#include "startup/tform2.h"

namespace registry = platform::registry;

bool TForm2::GetPelmatistryInfo() {
    return registry::Key::open(registry::Hive::LocalMachine, bdeinst::kEngineKey).has_value();
}

void TForm2::instalirajBDE() {
    const auto outcome = bdeinst::runInstaller(platform::programDir());
    if (const char* text = bdeinst::failureMessage(outcome)) {
        platform::ui().message(text);
    }
    if (outcome == bdeinst::Outcome::LoadFailed) {
        // The start goes on with the session steps; the program then ends
        // as soon as its message loop runs.
        closeRequested_ = true;
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

bool TForm2::proveriverzijuBDE() {
    // 1.
    const auto dllPath =
        registry::readString(registry::Hive::LocalMachine, bdeinst::kEngineKey, bdeinst::kDllPath)
            .value_or("");
    if (!dllPath.empty()) {
        engineDir_ = dllPath.back() == '\\' ? dllPath.substr(0, dllPath.size() - 1) : dllPath;
    }
    // 2. Without a folder the file looked for is at the root.
    const std::string version = GetFileVersionStr(engineDir_ + "/" + engine::kLibraryFile);
    // 3.
    if (version.empty()) {
        return true;
    }
    engineVersion_ = version;
    // 4. and 5.
    if (version == "5.1.1.1" || version == "5.2.0.2") {
        return true;
    }
    return platform::ui().confirm(versionQuestion(version));
}

std::string TForm2::versionQuestion(const std::string& version) {
    return "Verzija BDE-a na vasem sistemu (" + version +
           ") se razlikuje od verzija dosad prilozenih uz Elektronski Trevion (5.1.1.1 i "
           "5.2.0.2)\r\n"
           "Najcesci uzrok je postojanje neke druge BDE aplikacije na Vasem sistemu pre "
           "instalacije Treviona.\r\n\r\n"
           "Zelite li da nastavite sa startovanjem?";
}

std::string TForm2::GetFileVersionStr(const std::string& path) {
    return platform::fileVersion(path);
}
