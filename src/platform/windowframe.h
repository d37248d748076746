#pragma once
// The frame the program's windows share: a maximised window with the title
// bar's buttons, filling the screen also without a window manager; the
// application minimised as a whole; the status bar of sunken panels; the
// text buttons; a popup menu on the right mouse button.
#include <initializer_list>
#include <vector>

class QDialog;
class QLabel;
class QMenu;
class QStatusBar;
class QToolButton;
class QWidget;

namespace platform {

// A window of its own with system menu, minimise, maximise and close
// buttons, shown maximised, without a size grip.
void frameMaximised(QDialog& window);

// For a show event: without a window manager nobody maximises the window,
// so a maximised one is given the screen's available area.
void fillScreenWhenMaximised(QWidget& window);

// The whole application goes to the taskbar, not the one window alone:
// minimises every other visible window (menus aside).
void minimiseOtherWindows(const QWidget& window);

// A status bar without size grip named `name`, with sunken text panels of
// these widths named `name`Panel0, Panel1 and so on; panels gets them.
QStatusBar* createStatusBar(QWidget* parent, const char* name, std::initializer_list<int> widths,
                            std::vector<QLabel*>& panels);

// A text-only tool button; caption and hint are YUSCII, the hint (nullptr:
// none) is its tool tip and its status tip.
QToolButton* textButton(QWidget* parent, const char* name, const char* caption, const char* hint);

// The menu pops up where the right mouse button is pressed on the widget.
void popupOnRightClick(QWidget* widget, QMenu* menu);

}  // namespace platform
