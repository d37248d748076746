#include "support/scripted_ui.h"

#include <QDialog>
#include <cstdio>

#include "platform/textconv.h"

namespace testsupport {

const char* kindName(DialogKind kind) {
    switch (kind) {
        case DialogKind::Message:
            return "message";
        case DialogKind::Confirm:
            return "confirmation";
        case DialogKind::Input:
            return "input box";
        case DialogKind::Modal:
            return "modal window";
        case DialogKind::PrinterSetup:
            return "printer setup";
        case DialogKind::PrintDialog:
            return "print dialog";
    }
    return "?";
}

void ScriptedUi::expectMessage(std::optional<std::string> text) {
    queue_.push_back({DialogKind::Message, std::move(text)});
}
void ScriptedUi::expectConfirm(bool answer, std::optional<std::string> text) {
    Expectation e{DialogKind::Confirm, std::move(text)};
    e.answer = answer;
    queue_.push_back(std::move(e));
}
void ScriptedUi::expectInput(std::optional<std::string> answer) {
    Expectation e{DialogKind::Input, std::nullopt};
    e.inputAnswer = std::move(answer);
    queue_.push_back(std::move(e));
}
void ScriptedUi::expectModal(std::function<int(QDialog&)> handler) {
    Expectation e{DialogKind::Modal, std::nullopt};
    e.modal = std::move(handler);
    queue_.push_back(std::move(e));
}
void ScriptedUi::expectPrinterSetup(bool answer) {
    Expectation e{DialogKind::PrinterSetup, std::nullopt};
    e.answer = answer;
    queue_.push_back(std::move(e));
}
void ScriptedUi::expectPrintDialog(bool answer) {
    Expectation e{DialogKind::PrintDialog, std::nullopt};
    e.answer = answer;
    queue_.push_back(std::move(e));
}

std::vector<std::string> ScriptedUi::messages() const {
    std::vector<std::string> out;
    for (const auto& s : shown_) {
        if (s.kind == DialogKind::Message) {
            out.push_back(s.text);
        }
    }
    return out;
}

void ScriptedUi::reset() {
    queue_.clear();
    shown_.clear();
    shellResult = 42;
    shellCalls.clear();
    printerName = "Test printer";
    clipboard.clear();
    clipboardOwned = false;
    beeps = 0;
}

std::optional<ScriptedUi::Expectation> ScriptedUi::take(DialogKind kind, const std::string& text) {
    if (queue_.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(kind) << ": \"" << text << "\"";
        return std::nullopt;
    }
    Expectation e = std::move(queue_.front());
    queue_.pop_front();
    if (e.kind != kind) {
        ADD_FAILURE() << "expected a " << kindName(e.kind) << " but got a " << kindName(kind)
                      << ": \"" << text << "\"";
        return std::nullopt;
    }
    if (e.text && *e.text != text) {
        ADD_FAILURE() << kindName(kind) << " text differs:\n  expected \"" << *e.text
                      << "\"\n  shown    \"" << text << "\"";
    }
    return e;
}

void ScriptedUi::message(const std::string& text, platform::Icon icon) {
    shown_.push_back({DialogKind::Message, text, {}, icon});
    take(DialogKind::Message, text);
}

bool ScriptedUi::confirm(const std::string& text, platform::Icon icon) {
    shown_.push_back({DialogKind::Confirm, text, {}, icon});
    auto e = take(DialogKind::Confirm, text);
    return e ? e->answer : false;
}

std::optional<std::string> ScriptedUi::input(const std::string& caption, const std::string& prompt,
                                             const std::string& /*initial*/) {
    shown_.push_back({DialogKind::Input, prompt, caption});
    auto e = take(DialogKind::Input, prompt);
    return e ? e->inputAnswer : std::nullopt;
}

int ScriptedUi::showModal(QDialog& dialog) {
    std::string title = platform::ys(dialog.windowTitle());
    shown_.push_back({DialogKind::Modal, title});
    auto e = take(DialogKind::Modal, title);
    if (!e || !e->modal) {
        return QDialog::Rejected;
    }
    dialog.show();
    int result = e->modal(dialog);
    // A window closed by the handler has already run its close handling.
    if (dialog.isVisible()) {
        dialog.done(result);
    }
    return dialog.result() != 0 ? dialog.result() : result;
}

bool ScriptedUi::printerSetup() {
    shown_.push_back({DialogKind::PrinterSetup, {}});
    auto e = take(DialogKind::PrinterSetup, {});
    return e ? e->answer : false;
}

bool ScriptedUi::printDialog() {
    shown_.push_back({DialogKind::PrintDialog, {}});
    auto e = take(DialogKind::PrintDialog, {});
    return e ? e->answer : false;
}

int ScriptedUi::shellOpen(const std::string& verb, const std::string& target,
                          const std::string& directory) {
    shellCalls.push_back(verb + "|" + target + "|" + directory);
    return shellResult;
}

bool& unusedExpectations() {
    static bool flag = false;
    return flag;
}

ScriptedUi& scriptedUi() {
    static ScriptedUi instance;
    return instance;
}

void ScriptedUiListener::OnTestStart(const ::testing::TestInfo&) {
    scriptedUi().reset();
    platform::setUi(&scriptedUi());
}

void ScriptedUiListener::OnTestEnd(const ::testing::TestInfo& info) {
    auto& ui = scriptedUi();
    if (ui.pending() != 0) {
        // The test body is over; report it and make the run fail.
        std::fprintf(stderr, "%s.%s: %zu expected dialog(s) never shown\n", info.test_suite_name(),
                     info.name(), ui.pending());
        unusedExpectations() = true;
    }
    ui.reset();
    platform::setUi(&ui);
}

}  // namespace testsupport
