#pragma once
// The benchmark's generated program directories, kept in a cache folder so
// that later runs reuse them: the database made by korvet-cli generate, and
// the plain text of every regulation exported once, one file per regulation,
// for the ripgrep peer.
#include <filesystem>
#include <string>

namespace bench {

struct Size {
    int regulations = 20000;
    int opinions = 5000;
    int textKb = 20;
};

struct CacheEntry {
    std::filesystem::path programDir;  // holds Podatci/zakoni.sqlite
    std::filesystem::path texts;       // <ID_ZAKONA>.txt per regulation
    bool reused = false;
};

// The folder name of a size, e.g. "r20000-o5000-k20".
std::string cacheName(const Size& size);

// Makes (or reuses) cacheRoot/<name>: runs generate (the korvet-cli beside
// this program) and exports the texts. An entry left half-made by an
// interrupted run is made again. Throws std::runtime_error on failure.
CacheEntry prepareCache(const std::filesystem::path& cacheRoot, const Size& size);

}  // namespace bench
