#pragma once
// Text leaving the program through the clipboard becomes plain Latin when the
// user turns to another program: YUSCII letters would read as punctuation
// there. Only text this program put on the clipboard is touched; text copied
// in another program stays as it is.
class QCoreApplication;
class QWidget;

namespace yuscii {

// Transliterates the clipboard's text (yuscii::transliterate) and puts it
// back, when the text on the clipboard is this program's own.
void appclear();

// Runs appclear whenever the application stops being the active one.
void appclearOnDeactivation(QCoreApplication* app);
// Runs appclear whenever the window is minimised.
void appclearOnMinimise(QWidget* window);

}  // namespace yuscii
