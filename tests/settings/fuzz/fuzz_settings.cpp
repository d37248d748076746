// libFuzzer target: the settings file "trevion.cfg" as read at start, on
// arbitrary bytes. Reading never fails hard; what is read and written back
// reads again to the same values, and numbers and dates survive their own
// text form.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/files.h"
#include "settings/settings.h"

namespace {

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

bool sameValues(const settings::Values& a, const settings::Values& b) {
    if (a.line0 != b.line0) {
        return false;
    }
    for (size_t i = 0; i < a.styles.size(); ++i) {
        if (a.styles[i].size != b.styles[i].size || a.styles[i].face != b.styles[i].face ||
            a.styles[i].bold != b.styles[i].bold) {
            return false;
        }
    }
    return true;
}

bool sameControls(const settings::Controls& a, const settings::Controls& b) {
    return a.complexity == b.complexity && a.proxy == b.proxy && a.proxyAddress == b.proxyAddress &&
           a.proxyPort == b.proxyPort;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = platform::splitLines(bytes);
    for (const auto& line : lines) {
        check(line.find_first_of("\r\n") == std::string::npos);
        if (auto n = settings::parseInt(line)) {
            check(settings::parseInt(std::to_string(*n)) == n);
        }
        if (auto date = settings::parseDate(line)) {
            check(settings::parseDate(settings::formatDate(*date)) == date);
        }
    }
    check(platform::splitLines(platform::joinCrLf(lines)) == lines);

    settings::Values values;
    settings::initTextStyles(values);
    settings::Controls controls;
    settings::loadCfg(lines, values, controls);
    const std::string version = settings::versionFromCfg(lines);
    check(lines.size() > 9 ? !version.empty() : version.empty());
    if (auto level = settings::pagesShown(controls.complexity)) {
        check((*level)[0] && (*level)[8]);
    }

    // What is written at close reads back whole and to the same values.
    const auto written = settings::cfgLines(values, controls, version);
    check(written.size() == static_cast<size_t>(settings::kCfgLines));
    settings::Values again = values;
    settings::Controls againControls = controls;
    const auto outcome = settings::loadCfg(written, again, againControls);
    check(!outcome.error && outcome.complexityRead);
    check(sameValues(values, again) && sameControls(controls, againControls));
    check(settings::versionFromCfg(written) ==
          (version.empty() ? settings::kDefaultVersion : version));
    return 0;
}
