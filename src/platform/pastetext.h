#pragma once
// Text that comes from outside the program (the clipboard, a drop) as YUSCII
// bytes: the Serbian letters with diacritics and the Serbian Cyrillic letters
// become their YUSCII codes (Š is '[', not the Windows-1252 byte of Š), the
// program's own letter characters their codes, Windows-1252 characters their
// bytes; a character without a byte becomes '?'.
#include <QString>
#include <string>

namespace platform {

std::string ysFromOutside(const QString& text);

}  // namespace platform
