#pragma once
// Hooks for running the real program in tests, switched on by environment
// variables and off otherwise:
//
//   KORVET_UI_LOG=file     Every message, question and input box is appended
//                          to file ("message: <text>", "confirm: <text>",
//                          "input: <prompt>") and answered with OK at once; a
//                          window shown modally is logged as "modal: <title>"
//                          and runs normally. Printer dialogs are cancelled,
//                          shell calls are logged and not run.
//   KORVET_REAL_BOXES=1    With KORVET_UI_LOG: message and question boxes are
//                          shown for real and answered with OK after 300 ms;
//                          the log then tells where each box sat ("box over:
//                          <window title>", "box: on top", "box: without
//                          owner").
//   KORVET_AUTOCLOSE=1     Closes the main window (the normal close, which
//                          saves the files) once its first activation is done.
//   KORVET_SCREENSHOT=pfx  Saves pfx-splash.png (the start-up window),
//                          pfx-main.png (the screen with the main window
//                          after its first activation) and pfx-pageN.png
//                          (the window with page N); implies AUTOCLOSE.
namespace app {

struct Windows;

// Before the windows exist: the dialog log.
void installUiLog();
// After the windows exist: the screenshots and the automatic close.
void installRunHooks(Windows& windows);

}  // namespace app
