#pragma once
// Printed pages carry real Unicode text. The YUSCII faces are DejaVu Sans
// with a character map that draws YUSCII codes as Serbian letters; a PDF (and
// the print system, which receives one) would read the text as those codes.
// So the layout takes the document's text as the letters its face draws,
// spelt in Unicode (yuscii::toUnicode), in DejaVu Sans: the same glyphs, and
// text that a PDF reader finds and copies. Other faces keep their name; their
// ten punctuation letters become Latin letters.
#include <QFont>
#include <QString>
#include <QTextDocument>
#include <memory>

#include "printing/options.h"

namespace printing {

// The face printed text is drawn in; made known to the application (from the
// system or the program directory) on the first call.
QString unicodeFace();

// A YUSCII text (bytes, or the characters platform::qs gives) in the face
// family: its Unicode letters.
QString unicodeText(const QString& yuscii, const QString& family);
QString unicodeText(const std::string& yuscii, const QString& family);

// The font that draws such text: a YUSCII face becomes unicodeFace().
QFont unicodeFont(QFont font);
QFont unicodeFont(const TFont& font);

// A copy of the document with every run converted; the default font too.
std::unique_ptr<QTextDocument> unicodeDocument(const QTextDocument& source);

}  // namespace printing
