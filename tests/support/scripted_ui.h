#pragma once
// The dialog seam for tests: every dialog must have been expected, answers
// come from a queue, every text shown is recorded. A dialog nobody expected,
// or an expectation left unused at the end of a test, fails that test.
//
//   auto& ui = testsupport::scriptedUi();
//   ui.expectConfirm(true);
//   window.doSomething();
//   EXPECT_EQ(ui.shown().back().text, "...");
#include <gtest/gtest.h>

#include <QPicture>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace testsupport {

enum class DialogKind { Message, Confirm, Input, Modal, PrinterSetup, PrintDialog, SaveFile };

struct Shown {
    DialogKind kind;
    std::string text;     // message / question / prompt; the window title for Modal
    std::string caption;  // input box caption
    platform::Icon icon = platform::Icon::None;
    std::string initial;  // input box: the text its entry starts with
};

// A print job the seam received: its title, orientation, the page numbers
// drawn (from 1) and what was drawn on each page.
struct PrintedJob {
    std::string title;
    bool landscape = false;
    std::vector<int> pages;
    std::vector<std::shared_ptr<QPicture>> pictures;
    bool finished = false;
};

class ScriptedUi final : public platform::Ui {
  public:
    // Expectations, consumed in order.
    void expectMessage(std::optional<std::string> text = std::nullopt);
    void expectConfirm(bool answer, std::optional<std::string> text = std::nullopt);
    void expectInput(std::optional<std::string> answer);
    // The handler runs while the window is "shown"; its result is the modal
    // result. The window is visible during the handler and hidden afterwards.
    void expectModal(std::function<int(QDialog&)> handler);
    void expectPrinterSetup(bool answer);
    void expectPrintDialog(bool answer);
    // The print dialog answered with a page range and copies.
    void expectPrintDialog(const platform::PrintChoice& choice);
    // A save dialog answered with a file name, or cancelled (nullopt).
    void expectSaveFile(std::optional<std::string> name);

    const std::vector<Shown>& shown() const { return shown_; }
    std::vector<std::string> messages() const;  // texts of Message dialogs
    size_t pending() const { return queue_.size(); }
    void reset();

    // Shell, printer, clipboard and beep state.
    int shellResult = 42;
    std::vector<std::string> shellCalls;
    std::string printerName = "Test printer";
    std::string clipboard;
    bool clipboardOwned = false;
    int beeps = 0;
    // The current printer's page; none: no printer installed.
    std::optional<platform::PageMetrics> printer;
    // The page a job prints on (a letter page at 600 dpi unless set).
    platform::PageMetrics jobPage{600, 600, 5100, 6600, 75, 75};
    std::vector<PrintedJob> printJobs;

    // platform::Ui
    void message(const std::string& text, platform::Icon icon) override;
    bool confirm(const std::string& text, platform::Icon icon) override;
    std::optional<std::string> input(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override;
    int showModal(QDialog& dialog) override;
    bool printerSetup() override;
    bool printDialog() override;
    std::string defaultPrinter() override { return printerName; }
    std::optional<platform::PageMetrics> printerPage(bool landscape) override;
    std::optional<platform::PrintChoice> printPages(int pageCount) override;
    std::unique_ptr<platform::PrintJob> startPrintJob(const std::string& title,
                                                      bool landscape) override;
    std::optional<std::string> saveFileName(const std::string& caption, const std::string& filter,
                                            const std::string& suggested) override;
    int shellOpen(const std::string& verb, const std::string& target,
                  const std::string& directory) override;
    std::string clipboardText() override { return clipboard; }
    void setClipboardText(const std::string& text) override {
        clipboard = text;
        clipboardOwned = true;
    }
    bool ownsClipboardText() override { return clipboardOwned; }
    void beep() override { ++beeps; }

  private:
    struct Expectation {
        DialogKind kind;
        std::optional<std::string> text;
        bool answer = false;
        std::optional<std::string> inputAnswer;
        std::function<int(QDialog&)> modal;
        std::optional<platform::PrintChoice> choice;
    };
    std::optional<Expectation> take(DialogKind kind, const std::string& text);

    std::deque<Expectation> queue_;
    std::vector<Shown> shown_;
};

// The instance installed for the whole test run; reset before every test.
ScriptedUi& scriptedUi();

// Resets the scripted seam before each test and fails a test that left
// expectations unused.
class ScriptedUiListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override;
    void OnTestEnd(const ::testing::TestInfo&) override;
};

const char* kindName(DialogKind kind);

// Set when a test ended with expectations left; main() then fails the run.
bool& unusedExpectations();

}  // namespace testsupport
