#include "printing/pagepresets.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>

#include "platform/registry.h"

namespace printing {
namespace {

using platform::registry::Key;

// A number as the form wrote it ("%1.3n": thousands separators, three
// decimals, the separators of the user's locale): the last '.' or ',' is the
// decimal separator, the others group thousands.
std::optional<double> parseNumber(std::string text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) {
        text.pop_back();
    }
    size_t first = 0;
    while (first < text.size() && std::isspace(static_cast<unsigned char>(text[first]))) {
        ++first;
    }
    text = text.substr(first);
    const size_t decimal = text.find_last_of(".,");
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' || c == ',' || c == ' ' || c == '\xA0') {
            if (i == decimal) {
                plain.push_back('.');
            }
            continue;
        }
        if (!(std::isdigit(static_cast<unsigned char>(c)) || (c == '-' && plain.empty()))) {
            return std::nullopt;
        }
        plain.push_back(c);
    }
    if (plain.empty() || plain == "-" || plain == ".") {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(plain.c_str(), &end);
    if (end == nullptr || *end != '\0' || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<bool> parseBool(const std::string& text) {
    std::string lower;
    for (char c : text) {
        lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    if (lower == "1" || lower == "true" || lower == "yes") {
        return true;
    }
    if (lower == "0" || lower == "false" || lower == "no") {
        return false;
    }
    return std::nullopt;
}

std::optional<long long> parseInteger(const std::string& text) {
    auto value = parseNumber(text);
    if (!value || *value != std::floor(*value) || std::fabs(*value) > 1e12) {
        return std::nullopt;
    }
    return static_cast<long long>(*value);
}

// Lengths beyond this many units are no margin anybody meant.
constexpr double kMaxLength = 100.0;

void readLength(const Key& key, const char* name, double& into) {
    if (auto text = key.read(name)) {
        if (auto value = parseNumber(*text); value && *value >= 0 && *value <= kMaxLength) {
            into = *value;
        }
    }
}

void readText(const Key& key, const char* name, std::string& into) {
    if (auto text = key.read(name)) {
        into = *text;
    }
}

// An option button that reads true selects its choice.
template <typename T>
void readOption(const Key& key, const char* name, T choice, T& into) {
    if (auto text = key.read(name)) {
        if (parseBool(*text).value_or(false)) {
            into = choice;
        }
    }
}

void readFont(const Key& key, const std::string& dialog, TFont& font) {
    readText(key, (dialog + "_Name").c_str(), font.Name);
    if (auto text = key.read(dialog + "_Size")) {
        if (auto size = parseInteger(*text); size && *size >= 1 && *size <= 1638) {
            font.Size = static_cast<int>(*size);
        }
    }
    if (auto text = key.read(dialog + "_Color")) {
        // A colour is 0x00BBGGRR; system colours (negative) print black.
        if (auto color = parseInteger(*text)) {
            font.Color = (*color >= 0 && *color <= 0xFFFFFF)
                             ? QColor(static_cast<int>(*color & 0xFF),
                                      static_cast<int>((*color >> 8) & 0xFF),
                                      static_cast<int>((*color >> 16) & 0xFF))
                             : QColor(Qt::black);
        }
    }
    const std::pair<const char*, bool TFont::*> styles[] = {
        {"_Bold", &TFont::Bold},
        {"_Italic", &TFont::Italic},
        {"_Underline", &TFont::Underline},
        {"_StrikeOut", &TFont::StrikeOut},
    };
    for (auto [suffix, member] : styles) {
        if (auto text = key.read(dialog + suffix)) {
            if (auto value = parseBool(*text)) {
                font.*member = *value;
            }
        }
    }
}

}  // namespace

std::string pagePresetKey(const std::string& applicationTitle) {
    return "Software\\" + applicationTitle + "\\PageSetupForm";
}

void applyPagePresets(PrinterSettings& settings, const std::string& applicationTitle) {
    auto key = Key::open(platform::registry::Hive::CurrentUser,
                         pagePresetKey(applicationTitle) + "\\Values");
    if (!key) {
        return;
    }
    TTextOptions& t = settings.TextOptions;
    readLength(*key, "LeftEdit", t.MarginLeft);
    readLength(*key, "RightEdit", t.MarginRight);
    readLength(*key, "TopEdit", t.MarginTop);
    readLength(*key, "BotEdit", t.MarginBottom);
    readText(*key, "HeaderEdit", t.Header);
    readLength(*key, "HdrMarginEdit", t.HeaderMargin);
    readText(*key, "FooterEdit", t.Footer);
    readLength(*key, "FtrMarginEdit", t.FooterMargin);
    readText(*key, "PageNumEdit", t.PageNumText);

    readOption(*key, "InchBut", TUnits::unInches, settings.Units);
    readOption(*key, "CentBut", TUnits::unCentimeters, settings.Units);
    readOption(*key, "PortBut", TPrinterOrientation::poPortrait, settings.Orientation);
    readOption(*key, "LandBut", TPrinterOrientation::poLandscape, settings.Orientation);
    readOption(*key, "HdrLeftBut", TAlignment::taLeftJustify, t.HeaderAlign);
    readOption(*key, "HdrCenterBut", TAlignment::taCenter, t.HeaderAlign);
    readOption(*key, "HdrRightBut", TAlignment::taRightJustify, t.HeaderAlign);
    readOption(*key, "FtrLeftBut", TAlignment::taLeftJustify, t.FooterAlign);
    readOption(*key, "FtrCenterBut", TAlignment::taCenter, t.FooterAlign);
    readOption(*key, "FtrRightBut", TAlignment::taRightJustify, t.FooterAlign);
    readOption(*key, "PageBotBut", TPageNumberPos::pnBottom, t.PrintPageNumber);
    readOption(*key, "PageTopBut", TPageNumberPos::pnTop, t.PrintPageNumber);
    readOption(*key, "PageNoneBut", TPageNumberPos::pnNone, t.PrintPageNumber);
    readOption(*key, "PageLeftBut", TAlignment::taLeftJustify, t.PageNumAlign);
    readOption(*key, "PageCenterBut", TAlignment::taCenter, t.PageNumAlign);
    readOption(*key, "PageRightBut", TAlignment::taRightJustify, t.PageNumAlign);

    readFont(*key, "HeaderFontDialog", t.HeaderFont);
    readFont(*key, "FooterFontDialog", t.FooterFont);
    readFont(*key, "PageNumFontDialog", t.PageNumFont);
}

}  // namespace printing
