#pragma once
// A whole regulation database brought across from a folder of Paradox
// tables: each of the thirteen tables read from its file and stored, record
// by record, in a new database with the text index of the keyword searches.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace paradox {

struct ImportedTable {
    std::string table;
    std::filesystem::path file;  // empty when the folder has no file for it
    long long read = 0;
    long long stored = 0;
    long long skipped = 0;
    // Skipped records by reason, with the engine's text of the first one.
    struct Reason {
        long long count = 0;
        std::string example;
    };
    std::map<std::string, Reason> reasons;
    // How the file's fields differ from the table's (they map by position).
    std::vector<std::string> notes;
};

struct ImportOptions {
    bool replace = false;  // replace a database that dataDir already holds
};

// Builds dataDir/zakoni.sqlite (dataDir: a program directory's Podatci)
// from the table files in sourceDir ("TB_Zakoni.DB" and so on, names not
// case-sensitive, each with its memo file). Fields map by position, as the
// update's merge maps them. A record that cannot be stored (a key that is
// already there, a value the field cannot hold) is skipped and counted with
// its reason. A table without a file stays empty. The new database replaces
// the old one only when complete. Throws Error when sourceDir holds none of
// the tables, when a table file is damaged (nothing is written then), or
// when dataDir holds a database and replace is not set.
std::vector<ImportedTable> importDatabase(const std::filesystem::path& sourceDir,
                                          const std::filesystem::path& dataDir,
                                          const ImportOptions& options);

}  // namespace paradox
