#include "program_files.h"

#include "platform/programdir.h"

namespace cli {

namespace fs = std::filesystem;

namespace {

// The fonts of the start-up, their licence, the help text of the settings
// page and the manual's folder.
const char* const kDelivered[] = {
    "Yhelvn.TTF",  "Yhelvb.TTF",         "Cir Helvetica.TTF", "Cir Helvetica Bold.TTF",
    "Yuerife.FON", "DejaVu-licence.txt", "dostava.rtf",       "uputstvo",
};

}  // namespace

int copyProgramFiles(const fs::path& dir) {
    const fs::path from = platform::executableDir();
    fs::create_directories(dir);
    std::error_code ec;
    if (fs::equivalent(from, dir, ec)) {
        return 0;
    }
    int copied = 0;
    for (const char* name : kDelivered) {
        if (!fs::exists(from / name)) {
            continue;
        }
        fs::copy(from / name, dir / name,
                 fs::copy_options::overwrite_existing | fs::copy_options::recursive);
        ++copied;
    }
    return copied;
}

}  // namespace cli
