#pragma once
// A document read from RTF holds YUSCII codes that our fonts draw as
// letters. Text that leaves the program as characters (PDF text, exports)
// must carry the letters themselves: this turns every character that stands
// for a byte into what it reads as in the script (yuscii::toUnicode), in
// place, keeping every format, table and note. Characters without a byte
// stay as they are. The fonts draw the real letters too.
#include <QTextDocument>

#include "yuscii/unicode.h"

namespace richtext {

void toRealLetters(QTextDocument& doc, yuscii::Script script);

}  // namespace richtext
