#pragma once
// What the update steps tell, as the windows show it: messages and
// questions through the dialog seam, the engine's words in the log, pending
// events handled while a long step runs. The progress bar and the rest are
// the deriving window's.
#include <QCoreApplication>
#include <string>

#include "platform/log.h"
#include "platform/ui.h"
#include "update/listener.h"

namespace update {

template <class Base>
class UiListener : public Base {
  public:
    // userInput: whether the pending events handled while a step runs
    // include the user's clicks and keys (the update window's own clicks
    // are barred by its disabled button; the repair takes none).
    explicit UiListener(bool userInput) : userInput_(userInput) {}

    void message(const std::string& text, MessageKind kind) override {
        platform::ui().message(
            text, kind == MessageKind::Error ? platform::Icon::Error : platform::Icon::None);
    }
    bool confirm(const std::string& text) override { return platform::ui().confirm(text); }
    void idle() override {
        QCoreApplication::processEvents(userInput_ ? QEventLoop::AllEvents
                                                   : QEventLoop::ExcludeUserInputEvents);
    }
    void diagnostic(const std::string& text) override { platform::log("update: " + text); }

  private:
    bool userInput_;
};

}  // namespace update
