// korvet-cli unzip ARCHIVE DIR: writes the entries of an update archive into
// DIR with the reader and the refusals of the updater.
#include <cstdio>
#include <filesystem>

#include "command.h"
#include "zip/archive.h"
#include "zip/extract.h"

static int runUnzip(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: korvet-cli unzip ARCHIVE DIR\n");
        return 2;
    }
    try {
        std::filesystem::create_directories(args[1]);
        zip::Archive archive(args[0]);
        zip::extractAll(archive, args[1], [](const zip::Entry& entry) {
            std::printf("%s\t%llu\n", entry.name.c_str(),
                        static_cast<unsigned long long>(entry.size));
        });
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvet-cli unzip: %s\n", e.what());
        return 1;
    }
    return 0;
}

KORVET_CLI_COMMAND("unzip", "unzip ARCHIVE DIR", runUnzip)
