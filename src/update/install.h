#pragma once
// Installation of a fetched update: the scratch folder emptied, the archive
// unpacked into it, each table found there merged into the local table of
// the same name and rebuilt, the newest list refilled, the date set.
#include <filesystem>
#include <string>
#include <vector>

#include "update/listener.h"

namespace engine {
class Session;
}

namespace update {

class TBDEUtil;

// Folders below the program directory.
inline constexpr const char* kUpdatesDir = "updates";  // every fetched file
inline constexpr const char* kScratchDir = "update";   // one unpacked archive
inline constexpr const char* kDataDir = "Podatci";     // the database

// One row of the merge table list.
struct MergeRow {
    const char* file;   // in the scratch folder (letter case does not matter)
    const char* table;  // the local table
};
// The twelve rows in the order of merging; TB_Korisnicki is never merged.
const std::vector<MergeRow>& mergeRows();

// The validity-check files deleted from the data folder before a merge.
const std::vector<std::string>& validityFiles();

class Installer {
  public:
    // alias: the session's alias of the data folder programDir/Podatci.
    Installer(engine::Session& session, std::string alias, std::filesystem::path programDir,
              TBDEUtil& util, InstallListener& listener);

    // Deletes every file in the scratch folder (a file that cannot be
    // deleted stays, without notice).
    void ispraznidir();

    // Unpacks updates/name into the scratch folder (made when missing). A
    // file that is no ZIP archive unpacks to nothing. On a failure of the
    // archive it shows "Greska u otpakivanju!" and returns false. Throws
    // when the file is missing.
    bool raspakuj(const std::string& name);

    // Deletes the validity-check files, merges each table of the scratch
    // folder in list order (each in one transaction, then verified and
    // rebuilt), refills the newest list after TB_Zakoni, and then, in every
    // case, sets the update date and refreshes the counts. A table that
    // fails shows "Azuriranje nije uspelo" and ends the merge of the rest.
    void azur();

    void ubivalove();
    // The titles of the scratch folder's TB_Zakoni, in stored order, become
    // the newest list.
    void popuninajnovije();

    // Today as "dd/mm/yyyy".
    static std::string today();

  private:
    std::filesystem::path scratchFile(const std::string& name) const;
    void mergeTable(const MergeRow& row, const std::filesystem::path& file);

    engine::Session& session_;
    std::string alias_;
    std::filesystem::path programDir_;
    TBDEUtil& util_;
    InstallListener& listener_;
};

}  // namespace update
