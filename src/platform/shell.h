#pragma once
// Opening a document or link with the desktop, answered as the shell's
// documented codes: above 32 success; 2 the file is missing; 31 no program
// is registered for the file type or link (or the desktop has no opener at
// all); 5 the desktop refused otherwise (an unreadable file, an opener that
// failed).
//
// On Linux the opener is xdg-open, whose exit status tells the reason: 2 a
// missing file, 3 no method to open it, 4 the opening failed. An opener still
// running after a short wait has started the program: success. Without
// xdg-open Qt's own desktop services are asked.
#include <string>

namespace platform {

// target: a local path or a link with a scheme ("mailto:", "https://");
// directory: the working folder of the opener (empty: the current one).
int desktopOpen(const std::string& target, const std::string& directory);

}  // namespace platform
