#pragma once
// The search fields of the main and selection windows: typed characters pass
// the search-field key filter (YUSCII conversion, then upper case), and the
// field shows capitals (yupperW, the YUSCII letters included) whatever
// reaches it otherwise (pasted text, text put there by code). The searches
// upper-case their text anyway; this is what the user sees.
#include <string>

class QLineEdit;

namespace widgets {

void makeSearchField(QLineEdit* field);

// Puts a YUSCII text into the field as the field shows it.
void setSearchText(QLineEdit* field, const std::string& text);

}  // namespace widgets
