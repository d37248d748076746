#pragma once
// The printer whose settings every print uses: the printer setup dialog
// changes it, the preview prints on it.
class QPrinter;

namespace platform {
QPrinter& sharedPrinter();
}
