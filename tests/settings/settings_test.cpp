// The settings file "trevion.cfg": the two groups of lines, the message
// rule, the defaults without a file, the ten lines written back, the version
// line and the complexity levels.
#include "settings/settings.h"

#include <gtest/gtest.h>

namespace {

using settings::CfgOutcome;
using settings::Controls;
using settings::Values;
using Lines = std::vector<std::string>;

struct Loaded {
    Values values;
    Controls controls;
    CfgOutcome outcome;
};

Loaded load(const std::optional<Lines>& lines) {
    Loaded l;
    l.outcome = settings::loadCfg(lines, l.values, l.controls);
    return l;
}

const Lines kValid = {"3",  "1",  "Koristi proxy", "proxy.lan", "8080", "11",
                      "17", "15", "1/1/2001",      "2.2.7"};

TEST(Cfg, ValidFileSetsEveryValueAndTheReadDate) {
    Loaded l = load(kValid);
    EXPECT_FALSE(l.outcome.error);
    EXPECT_TRUE(l.outcome.complexityRead);
    EXPECT_EQ(l.values.line0, 3);
    EXPECT_EQ(l.controls.complexity, 1);
    EXPECT_TRUE(l.controls.proxy);
    EXPECT_EQ(l.controls.proxyAddress, "proxy.lan");
    EXPECT_EQ(l.controls.proxyPort, "8080");
    EXPECT_EQ(l.values.styles[0].size, 11);
    EXPECT_EQ(l.values.styles[1].size, 17);
    EXPECT_EQ(l.values.styles[2].size, 15);
    // Line 8 is never read: reading the sizes sets this date.
    EXPECT_EQ(l.values.lastUpdate, "11/4/2024");
}

TEST(Cfg, NoFileGivesTheDefaults) {
    Loaded l = load(std::nullopt);
    EXPECT_FALSE(l.outcome.error);
    EXPECT_FALSE(l.outcome.complexityRead);
    EXPECT_EQ(l.values.line0, 1);
    EXPECT_EQ(l.controls.complexity, 2);
    EXPECT_FALSE(l.controls.proxy);
    EXPECT_EQ(l.values.styles[0].size, 10);
    EXPECT_EQ(l.values.styles[1].size, 16);
    EXPECT_EQ(l.values.styles[2].size, 14);
    EXPECT_EQ(l.values.lastUpdate, "15/12/2020");
}

TEST(Cfg, ProxyOffKeepsTheAddressAndPortForTheWriteBack) {
    Lines lines{"1", "2", "Bez proxy-ja", "proxy.lan", "8080", "10", "16", "14", "1/1/2001", ""};
    Loaded l = load(lines);
    EXPECT_FALSE(l.outcome.error);
    EXPECT_FALSE(l.controls.proxy);
    EXPECT_EQ(l.controls.proxyAddress, "proxy.lan");
    EXPECT_EQ(l.controls.proxyPort, "8080");
    lines[8] = "11/4/2024";
    EXPECT_EQ(settings::cfgLines(l.values, l.controls, ""), lines);
}

// Each case: the lines, whether the message shows, and what was reached.
struct StopCase {
    const char* name;
    Lines lines;
    bool error;
    int line0;
    int complexity;
    bool proxy;
    std::array<int, 3> sizes;
    const char* lastUpdate;
};

class CfgStops : public ::testing::TestWithParam<StopCase> {};

TEST_P(CfgStops, AGroupStopsAtItsFirstBadLine) {
    const StopCase& c = GetParam();
    Loaded l = load(c.lines);
    EXPECT_EQ(l.outcome.error, c.error);
    EXPECT_EQ(l.values.line0, c.line0);
    EXPECT_EQ(l.controls.complexity, c.complexity);
    EXPECT_EQ(l.controls.proxy, c.proxy);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(l.values.styles[i].size, c.sizes[i]) << i;
    }
    EXPECT_EQ(l.values.lastUpdate, c.lastUpdate);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CfgStops,
    ::testing::Values(
        // abc on line 0: the first group stops at once and skips the second;
        // the sizes stay 0 because the file exists.
        StopCase{"abcOnLine0",
                 {"abc", "0", "Koristi proxy", "a", "1", "10", "16", "14", "", ""},
                 true,
                 1,
                 2,
                 false,
                 {0, 0, 0},
                 "15/12/2020"},
        StopCase{
            "badLevel", {"5", "x", "Koristi proxy"}, true, 5, 2, false, {0, 0, 0}, "15/12/2020"},
        // Line 2 missing after a good level: the level was read already.
        StopCase{"twoLines", {"1", "0"}, true, 1, 0, false, {0, 0, 0}, "15/12/2020"},
        // The proxy is switched on before its address turns out missing.
        StopCase{"proxyWithoutAddress",
                 {"1", "2", "Koristi proxy"},
                 true,
                 1,
                 2,
                 true,
                 {0, 0, 0},
                 "15/12/2020"},
        // Five lines: the first group passes, the second stops at line 5.
        StopCase{"fiveLines",
                 {"1", "2", "Bez proxy-ja", "", ""},
                 true,
                 1,
                 2,
                 false,
                 {0, 0, 0},
                 "15/12/2020"},
        StopCase{"badSecondSize",
                 {"1", "2", "Bez proxy-ja", "", "", "12", "big", "14"},
                 true,
                 1,
                 2,
                 false,
                 {12, 0, 0},
                 "15/12/2020"},
        // Eight lines: line 8 is not read, so nothing is missing.
        StopCase{"eightLines",
                 {"1", "2", "Bez proxy-ja", "", "", "12", "13", "14"},
                 false,
                 1,
                 2,
                 false,
                 {12, 13, 14},
                 "11/4/2024"},
        // A level outside 0..2 leaves no selection.
        StopCase{"levelOutOfRange",
                 {"1", "7", "Bez proxy-ja", "", "", "1", "2", "3"},
                 false,
                 1,
                 -1,
                 false,
                 {1, 2, 3},
                 "11/4/2024"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Cfg, WritesTenLinesFromTheValues) {
    Values g;
    g.line0 = 4;
    g.styles[0].size = 10;
    g.styles[1].size = 16;
    g.styles[2].size = 14;
    g.lastUpdate = "03/05/2024";
    Controls c;
    c.complexity = 0;
    c.proxy = false;
    c.proxyAddress = "proxy.lan";
    c.proxyPort = "3128";
    EXPECT_EQ(settings::cfgLines(g, c, "2.2.0"),
              (Lines{"4", "0", "Bez proxy-ja", "proxy.lan", "3128", "10", "16", "14", "03/05/2024",
                     "2.2.0"}));
    c.proxy = true;
    EXPECT_EQ(settings::cfgLines(g, c, "2.2.0")[2], "Koristi proxy");
}

TEST(Cfg, ReadThenWriteKeepsAValidFile) {
    Loaded l = load(kValid);
    Lines expected = kValid;
    expected[8] = "11/4/2024";
    EXPECT_EQ(settings::cfgLines(l.values, l.controls, "2.2.7"), expected);
}

TEST(Cfg, VersionComesFromLineNine) {
    EXPECT_EQ(settings::versionFromCfg(kValid), "2.2.7");
    Lines emptyVersion = kValid;
    emptyVersion[9] = "";
    EXPECT_EQ(settings::versionFromCfg(emptyVersion), "2.2.0");
    EXPECT_EQ(settings::versionFromCfg(Lines(kValid.begin(), kValid.begin() + 5)), "");
    EXPECT_EQ(settings::versionFromCfg(Lines(kValid.begin(), kValid.begin() + 9)), "");
}

TEST(Cfg, NumbersAreSignedDecimalIntegers) {
    EXPECT_EQ(settings::parseInt("12"), 12);
    EXPECT_EQ(settings::parseInt(" -3"), -3);
    EXPECT_EQ(settings::parseInt("+7"), 7);
    EXPECT_EQ(settings::parseInt("2147483647"), 2147483647);
    for (const char* bad : {"", " ", "-", "1.5", "12 ", "0x10", "99999999999", "abc"}) {
        EXPECT_FALSE(settings::parseInt(bad)) << bad;
    }
}

TEST(Complexity, LevelsShowTheirPages) {
    using Pages = std::array<bool, settings::kPageCount>;
    EXPECT_EQ(settings::pagesShown(0), (Pages{1, 1, 0, 0, 0, 0, 1, 1, 1}));
    EXPECT_EQ(settings::pagesShown(1), (Pages{1, 1, 1, 0, 1, 0, 1, 1, 1}));
    EXPECT_EQ(settings::pagesShown(2), (Pages{1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_FALSE(settings::pagesShown(-1));
}

TEST(Dates, FormatAndParseWithTheProcessSeparator) {
    EXPECT_EQ(settings::formatDate({3, 5, 2024}), "03/05/2024");
    EXPECT_EQ(settings::parseDate("11/4/2024"), (settings::Date{11, 4, 2024}));
    EXPECT_EQ(settings::parseDate("29/02/2024"), (settings::Date{29, 2, 2024}));
    for (const char* bad : {"", "29/02/2023", "31/4/2024", "1/13/2024", "1-1-2024", "1/1",
                            "1/1/2024/1", "a/1/2024", "0/1/2024"}) {
        EXPECT_FALSE(settings::parseDate(bad)) << bad;
    }
}

}  // namespace
