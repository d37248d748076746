// korvet-cli rtf2txt FILE: the plain text of a stored RTF text, as the
// searches see it.
#include <cstdio>

#include "command.h"
#include "platform/files.h"
#include "richtext/plaintext.h"

namespace {

int run(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: korvet-cli rtf2txt FILE\n");
        return 2;
    }
    auto bytes = platform::readFile(args[0]);
    if (!bytes) {
        std::fprintf(stderr, "korvet-cli rtf2txt: cannot read '%s'\n",
                     platform::printable(args[0]).c_str());
        return 1;
    }
    std::string text = rtf::plainText(*bytes);
    if (!text.empty() && text.back() != '\n')
        text.push_back('\n');
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

}  // namespace

KORVET_CLI_COMMAND("rtf2txt", "rtf2txt FILE", run)
