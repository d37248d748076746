#pragma once
// A large, consistent program directory for benchmarks: regulations with
// realistic Serbian text (a vocabulary of several hundred thousand word
// forms with Zipf frequencies, legal tokens, article headings),
// gazettes with many years and issues, areas, types, archive chains,
// opinions with their links, contracts and a few pictures. Deterministic.
#include <cstdint>
#include <filesystem>

namespace demo {

struct GenerateOptions {
    int regulations = 1000;
    int opinions = 100;
    int textKb = 20;  // size of each regulation's RTF, per script
    // Synthesised stems of the vocabulary (each gives 6 to 20 word forms).
    int vocabularyStems = 30000;
    std::uint64_t seed = 20260101;
};

struct GenerateStats {
    long long regulations = 0;
    long long opinions = 0;
    long long links = 0;
    long long archiveRows = 0;
    long long contracts = 0;
    long long pictures = 0;
};

// Builds programDir/Podatci/zakoni.sqlite, replacing an existing file.
GenerateStats generateDatabase(const GenerateOptions& options,
                               const std::filesystem::path& programDir);

}  // namespace demo
