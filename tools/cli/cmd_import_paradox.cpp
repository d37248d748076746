// korvet-cli import-paradox [--replace] SRC DIR: a complete program directory
// DIR (database with its text index, fonts, help texts) from a folder SRC of
// the thirteen regulation tables as Paradox tables. Tells per table how many
// records it read, stored and skipped, and why.
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "command.h"
#include "engine/session.h"
#include "paradox/importer.h"
#include "program_files.h"

namespace fs = std::filesystem;

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void printTable(const paradox::ImportedTable& t) {
    if (t.file.empty()) {
        std::printf("%s: no file, left empty\n", t.table.c_str());
        return;
    }
    std::printf("%s: %lld read, %lld stored, %lld skipped (%s)\n", t.table.c_str(), t.read,
                t.stored, t.skipped, t.file.filename().string().c_str());
    for (const auto& [reason, r] : t.reasons) {
        std::printf("  %lld skipped: %s%s%s\n", r.count, reason.c_str(),
                    r.example.empty() ? "" : "; first: ", r.example.c_str());
    }
    for (const std::string& note : t.notes) {
        std::printf("  note: %s\n", note.c_str());
    }
}

int runImport(const std::vector<std::string>& args) {
    paradox::ImportOptions options;
    std::vector<std::string> paths;
    for (const std::string& a : args) {
        if (a == "--replace") {
            options.replace = true;
        } else {
            paths.push_back(a);
        }
    }
    if (paths.size() != 2) {
        std::fprintf(stderr, "usage: korvet-cli import-paradox [--replace] SRC DIR\n");
        return 2;
    }
    const fs::path dir = paths[1];
    const fs::path data = dir / "Podatci";
    if (!options.replace && fs::exists(data / engine::kDatabaseFileName)) {
        std::fprintf(stderr,
                     "korvet-cli import-paradox: %s already holds a database; "
                     "--replace replaces it\n",
                     data.string().c_str());
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    const auto tables = paradox::importDatabase(paths[0], data, options);
    const int files = cli::copyProgramFiles(dir);
    for (const auto& t : tables) {
        printTable(t);
    }
    const auto size = fs::file_size(data / engine::kDatabaseFileName);
    std::printf("imported in %.1f s; database %.1f MB; %d program files\n", secondsSince(start),
                static_cast<double>(size) / (1024.0 * 1024.0), files);
    return 0;
}

}  // namespace

KORVET_CLI_COMMAND("import-paradox", "import-paradox [--replace] SRC DIR", runImport)
