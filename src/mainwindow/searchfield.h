#pragma once
// The search fields of the main and selection windows: typed characters pass
// the search-field key filter (YUSCII conversion, then upper case), and the
// field shows upper case whatever reaches it otherwise (pasted text, text
// put there by code).
#include <string>

class QLineEdit;

namespace searchfield {

void makeSearchField(QLineEdit* field);

// Puts a YUSCII text into the field as the field shows it (a-z as A-Z).
void setText(QLineEdit* field, const std::string& text);

}  // namespace searchfield
