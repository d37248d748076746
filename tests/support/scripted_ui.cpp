#include "support/scripted_ui.h"

#include <QDialog>
#include <QPainter>
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
        case DialogKind::SaveFile:
            return "save dialog";
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

void ScriptedUi::expectPrintDialog(const platform::PrintChoice& choice) {
    Expectation e{DialogKind::PrintDialog, std::nullopt};
    e.answer = true;
    e.choice = choice;
    queue_.push_back(std::move(e));
}
void ScriptedUi::expectSaveFile(std::optional<std::string> name) {
    Expectation e{DialogKind::SaveFile, std::nullopt};
    e.inputAnswer = std::move(name);
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
    printer.reset();
    jobPage = {600, 600, 5100, 6600, 75, 75};
    printJobs.clear();
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
                                             const std::string& initial) {
    shown_.push_back({DialogKind::Input, prompt, caption, platform::Icon::None, initial});
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

std::optional<platform::PageMetrics> ScriptedUi::printerPage(bool landscape) {
    if (!printer || !landscape) {
        return printer;
    }
    platform::PageMetrics turned = *printer;
    std::swap(turned.width, turned.height);
    std::swap(turned.dpiX, turned.dpiY);
    std::swap(turned.offsetX, turned.offsetY);
    return turned;
}

std::optional<platform::PrintChoice> ScriptedUi::printPages(int pageCount) {
    shown_.push_back({DialogKind::PrintDialog, "1-" + std::to_string(pageCount)});
    auto e = take(DialogKind::PrintDialog, {});
    if (!e || !e->answer) {
        return std::nullopt;
    }
    return e->choice ? *e->choice : platform::PrintChoice{false, 1, pageCount, 1};
}

namespace {

// Records each page as a picture into the seam's job list.
class RecordingJob final : public platform::PrintJob {
  public:
    RecordingJob(std::vector<PrintedJob>& jobs, const platform::PageMetrics& page)
        : jobs_(jobs), index_(jobs.size() - 1), page_(page) {}
    ~RecordingJob() override { finish(); }

    platform::PageMetrics metrics() const override { return page_; }

    QPainter* newPage(int pageNumber) override {
        if (painter_.isActive()) {
            painter_.end();
        }
        PrintedJob& job = jobs_[index_];
        job.pages.push_back(pageNumber);
        job.pictures.push_back(std::make_shared<QPicture>());
        painter_.begin(job.pictures.back().get());
        return &painter_;
    }

    bool finish() override {
        if (painter_.isActive()) {
            painter_.end();
        }
        jobs_[index_].finished = true;
        return true;
    }

  private:
    std::vector<PrintedJob>& jobs_;
    size_t index_;
    platform::PageMetrics page_;
    QPainter painter_;
};

}  // namespace

std::unique_ptr<platform::PrintJob> ScriptedUi::startPrintJob(const std::string& title,
                                                              bool landscape) {
    printJobs.push_back({title, landscape});
    return std::make_unique<RecordingJob>(printJobs, jobPage);
}

std::optional<std::string> ScriptedUi::saveFileName(const std::string& caption,
                                                    const std::string& /*filter*/,
                                                    const std::string& /*suggested*/) {
    shown_.push_back({DialogKind::SaveFile, caption});
    auto e = take(DialogKind::SaveFile, caption);
    return e ? e->inputAnswer : std::nullopt;
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
