#pragma once
// Table files by name in a folder, with file names not case-sensitive.
#include <filesystem>
#include <optional>
#include <string>

namespace paradox {

// The file in dir whose name equals name without regard to case (an exact
// match first); nullopt when there is none.
std::optional<std::filesystem::path> findFile(const std::filesystem::path& dir,
                                              const std::string& name);

// The table file of a table ("TB_Zakoni" -> dir/tb_zakoni.DB or the like).
std::optional<std::filesystem::path> findTableFile(const std::filesystem::path& dir,
                                                   const std::string& table);

// The memo file beside a table file: the same name with the extension MB,
// in any case.
std::optional<std::filesystem::path> findMemoFile(const std::filesystem::path& tableFile);

}  // namespace paradox
