#pragma once
// Builds an update archive from the tables of a database: each table as a
// table file under its name in the merge list, in one ZIP archive.
#include <filesystem>
#include <string>
#include <vector>

#include "engine/rowsource.h"

namespace engine {
class Session;
}

namespace update {

// The kind of table file an archive carries: a SQLite table file, or a
// Paradox table with its memo file beside it (as the publisher issues them).
enum class TableFormat { Sqlite, Paradox };

// The archive file name of a merged table ("TB_Zakoni" -> "TB_Zakoni.DB");
// throws engine::Error for a table the update does not merge.
std::string mergeFileName(const std::string& table);

// Every row of each table of the alias, into the archive out.
void makeUpdateArchive(engine::Session& session, const std::string& alias,
                       const std::vector<std::string>& tables, const std::filesystem::path& out,
                       TableFormat format = TableFormat::Sqlite);

// One table file's rows for an archive made by hand (tests, benchmark).
struct TableRows {
    std::string table;
    std::vector<engine::FieldDef> fields;
    std::vector<std::vector<engine::SourceValue>> rows;
};
void writeUpdateArchive(const std::vector<TableRows>& tables, const std::filesystem::path& out,
                        TableFormat format = TableFormat::Sqlite);

}  // namespace update
