#pragma once
// The peer of the full-text searches: ripgrep over the exported plain texts.
// A query of several words lists the files that hold every word: the first
// word is looked for in the whole folder (rg -l -i -F), each further word
// only in the files found so far, as a user would narrow a result by hand.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace bench {

// The ripgrep program, when it is installed.
std::optional<std::string> findRipgrep();

// The number of text files that hold every word (compared with A-Z folded,
// every other byte exactly: the texts are 7-bit YUSCII). Throws
// std::runtime_error when ripgrep fails.
long long ripgrepFiles(const std::string& rg, const std::filesystem::path& texts,
                       const std::vector<std::string>& words);

}  // namespace bench
