#pragma once
// The application's hint: the hint of the control under the mouse. Every
// control's hint is its tool tip and its status tip; the watch turns the
// status tips Qt sends on hover into the application's hint and runs the
// hint handler (the main window's dohints), which shows it in the status
// bars.
#include <functional>
#include <string>

class QCoreApplication;
class QWidget;

namespace widgets {

// Gives a control its hint (YUSCII): tool tip and status tip.
void setHint(QWidget* control, const std::string& hint);

// The current hint (YUSCII); empty when the mouse is over no hinted control.
const std::string& currentHint();
// Makes text the current hint and runs the handler when it changed.
void setCurrentHint(const std::string& text);

// The hint handler; an empty function removes it.
void setHintHandler(std::function<void()> handler);

// Watches the application's status-tip events (once per application).
void watchHints(QCoreApplication* app);

}  // namespace widgets
