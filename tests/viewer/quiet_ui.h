#pragma once
// A dialog seam for the manual programs: nothing blocks, questions get
// Cancel, the clipboard is a string.
#include <string>

#include "platform/ui.h"

namespace testsupport {

class QuietUi final : public platform::Ui {
  public:
    void message(const std::string&, platform::Icon) override {}
    bool confirm(const std::string&, platform::Icon) override { return false; }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }
    int showModal(QDialog&) override { return 0; }
    bool printerSetup() override { return false; }
    bool printDialog() override { return false; }
    std::string defaultPrinter() override { return {}; }
    int shellOpen(const std::string&, const std::string&, const std::string&) override { return 0; }
    std::string clipboardText() override { return clipboard; }
    void setClipboardText(const std::string& text) override { clipboard = text; }
    bool ownsClipboardText() override { return true; }
    void beep() override {}

    std::string clipboard;
};

}  // namespace testsupport
