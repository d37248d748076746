// korvet-cli generate --regulations N --opinions M --text-kb K DIR: a large
// consistent program directory for benchmarks (database with its text
// index, fonts, help texts).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "command.h"
#include "demo/generator.h"
#include "program_files.h"

static int runGenerate(const std::vector<std::string>& args) {
    demo::GenerateOptions options;
    std::string dir;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        int* target = a == "--regulations" ? &options.regulations
                      : a == "--opinions"  ? &options.opinions
                      : a == "--text-kb"   ? &options.textKb
                                           : nullptr;
        if (target != nullptr && i + 1 < args.size()) {
            try {
                *target = std::stoi(args[++i]);
            } catch (const std::exception&) {
                std::fprintf(stderr, "korvet-cli generate: %s needs a number\n", a.c_str());
                return 2;
            }
            if (*target < 0) {
                std::fprintf(stderr, "korvet-cli generate: %s must not be negative\n", a.c_str());
                return 2;
            }
        } else if (target == nullptr && !a.starts_with("--") && dir.empty()) {
            dir = a;
        } else {
            dir.clear();
            break;
        }
    }
    if (dir.empty()) {
        std::fprintf(stderr,
                     "usage: korvet-cli generate --regulations N --opinions M --text-kb K DIR\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const demo::GenerateStats stats = demo::generateDatabase(options, dir);
    cli::copyProgramFiles(dir);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const auto size =
        std::filesystem::file_size(std::filesystem::path(dir) / "Podatci" / "zakoni.sqlite");
    std::printf(
        "generated %lld regulations, %lld opinions, %lld links, %lld archive rows, "
        "%lld contracts, %lld pictures in %.1f s; database %.1f MB\n",
        stats.regulations, stats.opinions, stats.links, stats.archiveRows, stats.contracts,
        stats.pictures, seconds, static_cast<double>(size) / (1024.0 * 1024.0));
    return 0;
}

KORVET_CLI_COMMAND("generate", "generate --regulations N --opinions M --text-kb K DIR", runGenerate)
