#pragma once
// Text leaving the program through the clipboard becomes plain Latin when the
// user turns to another program: YUSCII letters would read as punctuation
// there. Only text this program put on the clipboard is touched; text copied
// in another program stays as it is.
#include <QString>
#include <string>

#include "yuscii/unicode.h"

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

// Text views put their selection on the X11 primary selection, and their own
// copy commands on the clipboard, as the characters they show: our letters
// are private-use characters there, which other programs draw as nothing.
// From now on the selection gets the real letters of the view's script at
// once (middle-click paste happens while we are active), and such clipboard
// text is replaced by the YUSCII text as stored, which appclear then handles.
// A view whose font family is cyrillicFace shows Cyrillic, latinFace Latin,
// any other the interface's letters.
void plainOutgoingText(QCoreApplication* app, const std::string& latinFace,
                       const std::string& cyrillicFace);

// Shown text as the real letters another program gets for it.
QString outsideLetters(const QString& shown, Script script);

}  // namespace yuscii
