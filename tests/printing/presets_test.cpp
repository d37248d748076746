// The page presets of the user's registry key pass into the settings at
// creation; values that cannot be read change nothing.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/registry.h"
#include "print_fixture.h"
#include "printing/pagepresets.h"
#include "printing/tpreviewprinter.h"

namespace {

using platform::registry::Hive;

class PresetsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = printtest::tempFolder("registry");
        setenv("KORVET_REGISTRY_DIR", dir_.c_str(), 1);
    }
    void TearDown() override {
        unsetenv("KORVET_REGISTRY_DIR");
        std::filesystem::remove_all(dir_);
    }
    static void set(const std::string& name, const std::string& value) {
        ASSERT_TRUE(platform::registry::writeString(
            Hive::CurrentUser, "Software\\Trevion\\PageSetupForm\\Values", name, value));
    }
    std::filesystem::path dir_;
};

TEST_F(PresetsTest, WithoutTheKeyTheSettingsComeThroughUnchanged) {
    printing::TPreviewPrinter printer(printing::mainWindowSettings());
    const auto expected = printing::mainWindowSettings();
    EXPECT_EQ(printer.TextOptions.MarginLeft, expected.TextOptions.MarginLeft);
    EXPECT_EQ(printer.TextOptions.HeaderFont, expected.TextOptions.HeaderFont);
    EXPECT_EQ(printer.TextOptions.PageNumAlign, expected.TextOptions.PageNumAlign);
}

TEST_F(PresetsTest, StoredFieldsOverwriteTheSettings) {
    set("LeftEdit", "1,500");
    set("TopEdit", "0.750");
    set("RightEdit", "1.234,500");  // thousands separator and decimal comma: too large, ignored
    set("HeaderEdit", "Moja kopija");
    set("PageNumEdit", "- %d -");
    set("LandBut", "True");
    set("PortBut", "False");
    set("CentBut", "1");
    set("PageTopBut", "True");
    set("PageLeftBut", "True");
    set("HdrRightBut", "True");
    set("HeaderFontDialog_Name", "Arial");
    set("HeaderFontDialog_Size", "14");
    set("HeaderFontDialog_Color", "255");  // 0x0000FF: red
    set("HeaderFontDialog_Bold", "False");
    set("HeaderFontDialog_Italic", "True");
    set("FooterFontDialog_Size", "nije broj");
    set("BotEdit", "-2");

    printing::TPreviewPrinter printer(printing::mainWindowSettings());
    const auto& t = printer.TextOptions;
    EXPECT_DOUBLE_EQ(t.MarginLeft, 1.5);
    EXPECT_DOUBLE_EQ(t.MarginTop, 0.75);
    EXPECT_DOUBLE_EQ(t.MarginRight, 1.0);
    EXPECT_DOUBLE_EQ(t.MarginBottom, 1.0);
    EXPECT_EQ(t.Header, "Moja kopija");
    EXPECT_EQ(t.PageNumText, "- %d -");
    EXPECT_EQ(printer.Orientation, printing::TPrinterOrientation::poLandscape);
    EXPECT_EQ(printer.Units, printing::TUnits::unCentimeters);
    EXPECT_EQ(t.PrintPageNumber, printing::TPageNumberPos::pnTop);
    EXPECT_EQ(t.PageNumAlign, printing::TAlignment::taLeftJustify);
    EXPECT_EQ(t.HeaderAlign, printing::TAlignment::taRightJustify);
    EXPECT_EQ(t.HeaderFont.Name, "Arial");
    EXPECT_EQ(t.HeaderFont.Size, 14);
    EXPECT_EQ(t.HeaderFont.Color, QColor(Qt::red));
    EXPECT_FALSE(t.HeaderFont.Bold);
    EXPECT_TRUE(t.HeaderFont.Italic);
    EXPECT_EQ(t.FooterFont.Size, 10);
}

TEST_F(PresetsTest, TheKeyIsFoundWhateverTheCaseOfItsNames) {
    ASSERT_TRUE(platform::registry::writeString(
        Hive::CurrentUser, "SOFTWARE\\trevion\\pagesetupform\\VALUES", "leftedit", "2.000"));
    printing::TPreviewPrinter printer(printing::mainWindowSettings());
    EXPECT_DOUBLE_EQ(printer.TextOptions.MarginLeft, 2.0);
}

}  // namespace
