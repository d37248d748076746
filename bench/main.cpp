// korvet-bench [--regulations N] [--opinions M] [--text-kb K] [--runs R]
//              [--cache DIR] [--only TEXT] [--quick]
// Times the core operations on a generated database (made once and kept in
// the cache folder) and prints a table of medians with min and max, the
// ripgrep peer of each full-text query, the peak resident memory and the
// database size. --quick uses a small database and two runs: a smoke test.
#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cache.h"
#include "database/schema.h"
#include "engine/session.h"
#include "measure.h"
#include "operations.h"
#include "peer.h"
#include "platform/programdir.h"
#include "process.h"
#include "search/textindex.h"
#include "update.h"
#include "windows.h"

namespace fs = std::filesystem;

namespace {

struct Options {
    bench::Size size;
    int runs = 5;
    int warmups = 1;
    fs::path cache;
    std::string only;  // run only the operations whose name holds this
};

int usage() {
    std::fprintf(stderr,
                 "usage: korvet-bench [--regulations N] [--opinions M] [--text-kb K] [--runs R]\n"
                 "                    [--cache DIR] [--only TEXT] [--quick]\n");
    return 2;
}

std::optional<Options> parse(int argc, char** argv) {
    Options o;
    o.cache = platform::executableDir().parent_path() / "bench-cache";
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--quick") {
            o.size = {300, 60, 4};
            o.runs = 2;
            continue;
        }
        if (i + 1 >= argc) {
            return std::nullopt;
        }
        const std::string value = argv[++i];
        if (a == "--only") {
            o.only = value;
            continue;
        }
        if (a == "--cache") {
            o.cache = fs::absolute(value);
            continue;
        }
        int number = 0;
        try {
            size_t used = 0;
            number = std::stoi(value, &used);
            if (used != value.size() || number < 0) {
                return std::nullopt;
            }
        } catch (const std::exception&) {
            return std::nullopt;
        }
        if (a == "--regulations") {
            o.size.regulations = number;
        } else if (a == "--opinions") {
            o.size.opinions = number;
        } else if (a == "--text-kb") {
            o.size.textKb = number;
        } else if (a == "--runs" && number > 0) {
            o.runs = number;
        } else {
            return std::nullopt;
        }
    }
    return o;
}

double mb(long long bytes) {
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

// What the plain texts and the index files add to the database.
void reportSizes(engine::Database& file) {
    for (const auto& [table, name] : {std::pair{search::TextTable::Regulations, "regulations"},
                                      std::pair{search::TextTable::Opinions, "opinions"}}) {
        std::printf("plain texts of the %s: %.1f MB in the database\n", name,
                    mb(search::textCopy(file, table).bytes()));
        if (const auto info = search::textIndexInfo(file, table)) {
            std::printf("text index of the %s: %lld texts, %lld distinct tokens, %.1f MB file\n",
                        name, info->documents, info->tokens, mb(info->bytes));
        } else {
            std::printf("text index of the %s: none (the searches scan the plain texts)\n", name);
        }
    }
}

// korvet-cli reindex on the program directory, once: time and memory.
void reindex(const fs::path& programDir) {
    const std::string cli = (platform::executableDir() / "korvet-cli").string();
    const bench::ProcessResult r =
        bench::runProgram({cli, "reindex", programDir.string()}, {}, bench::Peak::Measure);
    std::printf("korvet-cli reindex: %.1f s, peak resident memory %.1f MB%s\n", r.ms / 1000.0,
                r.peakMb, r.exitCode == 0 ? "" : " (failed)");
}

std::string ms(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string_view(argv[1]) == bench::kMeasuredChild) {
        return bench::measuredChild(argc, argv);
    }
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        return usage();
    }
    // The windows run on the offscreen platform unless told otherwise.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    try {
        std::printf("korvet-bench: %d regulations, %d opinions, %d KB texts\n",
                    options->size.regulations, options->size.opinions, options->size.textKb);
        std::fflush(stdout);
        const bench::CacheEntry entry = bench::prepareCache(options->cache, options->size);
        const fs::path database = entry.programDir / "Podatci" / "zakoni.sqlite";
        std::printf("program directory: %s (%s)\n", entry.programDir.string().c_str(),
                    entry.reused ? "reused" : "generated");
        std::printf("database on disk: %.1f MB\n",
                    static_cast<double>(fs::file_size(database)) / (1024.0 * 1024.0));

        const std::optional<std::string> rg = bench::findRipgrep();
        if (!rg) {
            std::printf("ripgrep not found: no peer column (scripts/setup installs it)\n");
        }

        bench::Queries queries;
        // Typed words (YUSCII capitals): two stems found in most generated
        // texts, two synthesised word forms with Serbian letters found in
        // about 8 percent of the texts each and together in less than 1
        // percent, one word of two letters.
        queries.commonPair = "POREZ RA^UN";
        queries.rarePair = "@ALNOVIMA BRAPRO[A";
        queries.twoLetters = "PO";
        queries.opinionWords = "OBVEZNIK ROK";
        queries.documentWord = "^LAN";

        bench::OpenDatabase db(entry.programDir);
        bench::WindowBench windows(entry.programDir);
        engine::Database& file = db.session().database(database::kAlias);
        std::vector<bench::Operation> ops = bench::operations(entry.programDir, db, queries);
        double cliPeakMb = 0;
        for (bench::Operation& op :
             bench::processOperations(entry.programDir, queries, cliPeakMb)) {
            ops.push_back(std::move(op));
        }
        for (bench::Operation& op : windows.operations(queries)) {
            ops.push_back(std::move(op));
        }
        for (bench::Operation& op : bench::printingOperations(entry.programDir, db)) {
            ops.push_back(std::move(op));
        }
        for (bench::Operation& op : bench::compareOperations(db)) {
            ops.push_back(std::move(op));
        }
        // 2,000 changed and 500 new regulations (a tenth of the database
        // with --quick and other small sizes).
        const int changed = std::min(2000, options->size.regulations / 10);
        const int added = changed / 4;
        for (bench::Operation& op : bench::updateOperations(
                 entry.programDir, entry.programDir.parent_path() / "update-bench", changed,
                 added)) {
            ops.push_back(std::move(op));
        }

        std::printf("%d runs after %d warm-up; times in ms\n\n", options->runs, options->warmups);
        std::printf("%-42s %9s %9s %9s %8s %9s %8s %6s\n", "operation", "median", "min", "max",
                    "rows", "rg median", "rg files", "ratio");
        for (const bench::Operation& op : ops) {
            if (op.name.find(options->only) == std::string::npos) {
                continue;
            }
            long long rows = 0;
            const bench::Timing t = bench::measure(options->warmups, options->runs, [&] {
                if (op.prepare) {
                    op.prepare();
                }
                bench::Sample sample;
                const double wall = bench::timeOf([&] { sample = op.run(); });
                if (op.cleanup) {
                    op.cleanup();
                }
                rows = sample.rows;
                return sample.ms.value_or(wall);
            });
            std::printf("%-42s %9s %9s %9s %8lld", op.name.c_str(), ms(t.median).c_str(),
                        ms(t.min).c_str(), ms(t.max).c_str(), rows);
            if (rg && !op.peerWords.empty()) {
                long long files = 0;
                const bench::Timing peer = bench::measure(options->warmups, options->runs, [&] {
                    return bench::timeOf(
                        [&] { files = bench::ripgrepFiles(*rg, entry.texts, op.peerWords); });
                });
                std::printf(" %9s %8lld %6.2f", ms(peer.median).c_str(), files,
                            peer.median > 0 ? t.median / peer.median : 0.0);
            }
            std::printf("\n");
            std::fflush(stdout);
        }
        std::printf("\npeak resident memory: %.1f MB\n", bench::peakResidentMb());
        std::printf("peak resident memory of a korvet-cli search --texts process: %.1f MB\n",
                    cliPeakMb);
        reportSizes(file);
        reindex(entry.programDir);
        for (const std::string& dialog : windows.dialogs()) {
            std::printf("a window showed a %s\n", dialog.c_str());
        }
        return windows.dialogs().empty() ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvet-bench: %s\n", e.what());
        return 1;
    }
}
