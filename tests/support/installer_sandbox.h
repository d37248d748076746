#pragma once
// A registry and an installer log of a test's own, in a folder it owns: the
// engine key that the installer library writes, and what the installer
// stand-in (build/tests/fixtures) did, "load" and "call" one a line. The
// registry folder the test program used before comes back at the end.
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

#include "bdeinst/installer.h"
#include "platform/env.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace testsupport {

class InstallerSandbox {
  public:
    explicit InstallerSandbox(const std::filesystem::path& dir) : log_(dir / "installer.log") {
        if (const char* previous = platform::env("KORVET_REGISTRY_DIR")) {
            previous_ = previous;
        }
        ::setenv("KORVET_REGISTRY_DIR", (dir / "registry").c_str(), 1);
        ::setenv("KORVET_TEST_INSTALLER_LOG", log_.c_str(), 1);
    }
    ~InstallerSandbox() {
        if (previous_) {
            ::setenv("KORVET_REGISTRY_DIR", previous_->c_str(), 1);
        } else {
            ::unsetenv("KORVET_REGISTRY_DIR");
        }
        ::unsetenv("KORVET_TEST_INSTALLER_LOG");
    }
    InstallerSandbox(const InstallerSandbox&) = delete;
    InstallerSandbox& operator=(const InstallerSandbox&) = delete;

    std::string installerLog() const { return platform::readFile(log_).value_or(""); }
    void clearLog() const {
        std::error_code ec;
        std::filesystem::remove(log_, ec);
    }
    // The engine key's "DLLPATH"; nullopt when the engine is not registered.
    static std::optional<std::string> dllPath() {
        return platform::registry::readString(platform::registry::Hive::LocalMachine,
                                              bdeinst::kEngineKey, bdeinst::kDllPath);
    }

  private:
    std::filesystem::path log_;
    std::optional<std::string> previous_;
};

}  // namespace testsupport
