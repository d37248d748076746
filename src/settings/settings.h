#pragma once
// The settings file "trevion.cfg" (ten lines, CR LF) and the process-wide
// values it carries between runs: the line-0 value, the three text styles,
// the last-update date and the program version. Plain logic, no Qt: the main
// window applies what is read to its controls and hands their state back
// for the write.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace settings {

inline constexpr const char* kCfgFile = "trevion.cfg";
inline constexpr int kCfgLines = 10;

inline constexpr const char* kProxyOn = "Koristi proxy";
inline constexpr const char* kProxyOff = "Bez proxy-ja";
inline constexpr const char* kCfgError = "Greska u .cfg datoteci!";
// The last-update date set whenever the text-style sizes were read.
inline constexpr const char* kReadUpdateDate = "11/4/2024";
inline constexpr const char* kInitialUpdateDate = "15/12/2020";
// The version shown when line 9 of the settings file is empty.
inline constexpr const char* kDefaultVersion = "2.2.0";

struct TextStyle {
    std::string face;
    bool bold = false;
    int size = 0;  // points
};

// The values the file carries between runs for the main window, which owns
// them (read at its creation, written back at its close).
struct Values {
    int line0 = 1;
    std::array<TextStyle, 3> styles{};
    std::string lastUpdate = kInitialUpdateDate;
};

// The program version: one process-wide string, empty at start, set by the
// start-up window from line 9, shown and written back by the main window.
std::string& programVersion();
// The process-wide values back to those at program start (for tests).
void resetProcessValues();

// The settings controls of the main window as the file sees them.
struct Controls {
    int complexity = 2;        // ComboBox2's selected index; -1: no selection
    bool proxy = false;        // CheckBox4
    std::string proxyAddress;  // Edit14
    std::string proxyPort;     // Edit15
};

// What reading the settings file at creation did.
struct CfgOutcome {
    bool error = false;           // a group stopped: show kCfgError once
    bool complexityRead = false;  // line 1 was read: apply the level
};

// Reads the file's lines (nullopt: there is no file) over the values the
// window has at creation. With a file: lines 0 to 4, then, when they all
// passed, lines 5 to 7 and the last-update date. Lines 3 and 4 fill the
// proxy fields also when the proxy is off (so that they are written back
// unchanged); only a proxy that is on needs them. A missing line, or a line
// that should be a number and is not, stops its group; values not reached
// keep their earlier values, and the sizes start at 0. Without a file the
// sizes become 10, 16 and 14 and nothing else changes.
CfgOutcome loadCfg(const std::optional<std::vector<std::string>>& lines, Values& values,
                   Controls& controls);

// The text styles' faces and styles: "YHelvetica" regular, bold, bold.
void initTextStyles(Values& values);

// Complexity levels of ComboBox2: 0 "Jednostavno", 1 "Napredno", 2 "Sve
// opcije". Which of the nine pages each shows (pages 0, 1, 6, 7 and 8
// always); nullopt for no selection, which changes nothing.
inline constexpr int kPageCount = 9;
std::optional<std::array<bool, kPageCount>> pagesShown(int level);

// The ten lines written at close; line 9 is the program version.
std::vector<std::string> cfgLines(const Values& values, const Controls& controls,
                                  const std::string& version);

// The program version from the settings file's lines: line 9 when the file
// has more than nine lines ("2.2.0" when it is empty), else empty.
std::string versionFromCfg(const std::vector<std::string>& lines);

// An integer as the settings file holds it: optional sign and decimal
// digits (leading blanks allowed), within the int range.
std::optional<int> parseInt(const std::string& text);

// The process-wide date format: separator "/", short and long format
// "dd/mm/yyyy" (set by the start-up window).
struct DateFormat {
    char separator = '/';
    std::string shortFormat = "dd/mm/yyyy";
    std::string longFormat = "dd/mm/yyyy";
};
DateFormat& dateFormat();

struct Date {
    int day = 0;
    int month = 0;
    int year = 0;
    bool operator==(const Date&) const = default;
};
// "dd/mm/yyyy" with the process separator.
std::string formatDate(const Date& date);
// Day, month and year separated by the process separator, with or without
// leading zeros ("11/4/2024"); nullopt when it is no valid date.
std::optional<Date> parseDate(const std::string& text);

}  // namespace settings
