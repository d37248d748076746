#include "platform/printer.h"

#include <QPrinter>

namespace platform {
QPrinter& sharedPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    return printer;
}
}  // namespace platform
