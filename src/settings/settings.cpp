#include "settings/settings.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <ios>
#include <system_error>

#include "yuscii/strings.h"

namespace settings {

std::string& programVersion() {
    static std::string version;
    return version;
}

void resetProcessValues() {
    programVersion().clear();
    dateFormat() = DateFormat{};
}

std::optional<int> parseInt(const std::string& text) {
    const yuscii::IntegerText n = yuscii::readInteger(text, yuscii::IntegerForm::Decimal);
    return n.ok ? std::optional<int>(static_cast<int>(n.value)) : std::nullopt;
}

namespace {

// Reads one group of lines; a throw-free stand-in for the list's
// out-of-range and conversion failures, which stop the group.
class LineReader {
  public:
    explicit LineReader(const std::vector<std::string>& lines) : lines_(lines) {}

    const std::string* text(size_t index) const {
        return index < lines_.size() ? &lines_[index] : nullptr;
    }
    std::optional<int> number(size_t index) const {
        const std::string* line = text(index);
        return line ? parseInt(*line) : std::nullopt;
    }

  private:
    const std::vector<std::string>& lines_;
};

// Lines 0 to 4; false when the group stopped.
bool readFirstGroup(const LineReader& in, Values& values, Controls& controls, CfgOutcome& outcome) {
    auto line0 = in.number(0);
    if (!line0) {
        return false;
    }
    values.line0 = *line0;
    auto level = in.number(1);
    if (!level) {
        return false;
    }
    // An index outside the three levels leaves the selector without a
    // selection, which changes no page.
    controls.complexity = (*level >= 0 && *level <= 2) ? *level : -1;
    outcome.complexityRead = true;
    const std::string* proxy = in.text(2);
    if (!proxy) {
        return false;
    }
    const bool on = *proxy == kProxyOn;
    if (on) {
        controls.proxy = true;
    }
    for (size_t index : {size_t{3}, size_t{4}}) {
        const std::string* value = in.text(index);
        if (!value) {
            // Only a proxy that is on needs its address and port.
            return !on;
        }
        // With the proxy off the fields stay disabled but keep the values,
        // so that they go back to the file unchanged.
        (index == 3 ? controls.proxyAddress : controls.proxyPort) = *value;
    }
    return true;
}

// Lines 5 to 7; false when the group stopped.
bool readSecondGroup(const LineReader& in, Values& values) {
    for (size_t i = 0; i < values.styles.size(); ++i) {
        auto size = in.number(5 + i);
        if (!size) {
            return false;
        }
        values.styles[i].size = *size;
    }
    values.lastUpdate = kReadUpdateDate;
    return true;
}

}  // namespace

CfgOutcome loadCfg(const std::optional<std::vector<std::string>>& lines, Values& values,
                   Controls& controls) {
    CfgOutcome outcome;
    if (!lines) {
        values.styles[0].size = 10;
        values.styles[1].size = 16;
        values.styles[2].size = 14;
        return outcome;
    }
    LineReader in(*lines);
    outcome.error = !readFirstGroup(in, values, controls, outcome) || !readSecondGroup(in, values);
    return outcome;
}

void initTextStyles(Values& values) {
    for (size_t i = 0; i < values.styles.size(); ++i) {
        values.styles[i].face = "YHelvetica";
        values.styles[i].bold = i > 0;
    }
}

std::optional<std::array<bool, kPageCount>> pagesShown(int level) {
    switch (level) {
        case 0:
            return std::array<bool, kPageCount>{true,  true, false, false, false,
                                                false, true, true,  true};
        case 1:
            return std::array<bool, kPageCount>{true,  true, true, false, true,
                                                false, true, true, true};
        case 2:
            return std::array<bool, kPageCount>{true, true, true, true, true,
                                                true, true, true, true};
        default:
            return std::nullopt;
    }
}

std::vector<std::string> cfgLines(const Values& values, const Controls& controls,
                                  const std::string& version) {
    return {
        std::to_string(values.line0),
        std::to_string(controls.complexity),
        controls.proxy ? kProxyOn : kProxyOff,
        controls.proxyAddress,
        controls.proxyPort,
        std::to_string(values.styles[0].size),
        std::to_string(values.styles[1].size),
        std::to_string(values.styles[2].size),
        values.lastUpdate,
        version,
    };
}

std::string versionFromCfg(const std::vector<std::string>& lines) {
    if (lines.size() <= 9) {
        return {};
    }
    return lines[9].empty() ? std::string(kDefaultVersion) : lines[9];
}

DateFormat& dateFormat() {
    static DateFormat format;
    return format;
}

std::string formatDate(const Date& date) {
    char buffer[32];
    const char sep = dateFormat().separator;
    std::snprintf(buffer, sizeof buffer, "%02d%c%02d%c%04d", date.day, sep, date.month, sep,
                  date.year);
    return buffer;
}

std::optional<Date> parseDate(const std::string& text) {
    const char sep = dateFormat().separator;
    int parts[3] = {0, 0, 0};
    size_t part = 0;
    size_t digits = 0;
    for (char c : text) {
        if (c == sep) {
            if (digits == 0 || part == 2) {
                return std::nullopt;
            }
            ++part;
            digits = 0;
        } else if (c >= '0' && c <= '9') {
            if (++digits > 4) {
                return std::nullopt;
            }
            parts[part] = parts[part] * 10 + (c - '0');
        } else {
            return std::nullopt;
        }
    }
    if (part != 2 || digits == 0) {
        return std::nullopt;
    }
    Date date{parts[0], parts[1], parts[2]};
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > kDays[date.month - 1]) {
        return std::nullopt;
    }
    const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
    if (date.month == 2 && date.day == 29 && !leap) {
        return std::nullopt;
    }
    return date;
}

}  // namespace settings
