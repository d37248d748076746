#pragma once
// The tables an update archive carries. Each file holds one table, of one
// of two kinds told apart by content: a Paradox table (with its memo file
// beside it), or a SQLite database with that one table, its columns in field
// order declared as NUMBER, ALPHA(n), MEMO or GRAPHIC. A file is opened
// read-only and untrusted: a Paradox table is checked against its files
// before anything is read; of a SQLite file only plain reads of the table's
// columns run, none of its triggers, views or functions.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/rowsource.h"

namespace update {

// Opens the table file of an update. Throws engine::Error when it is no
// table file, is damaged, or holds anything but one plain table; reading
// its rows throws engine::Error when they turn out damaged.
std::unique_ptr<engine::RowSource> openSourceTable(const std::filesystem::path& file);

// Writes a SQLite table file (make-update, tests): created anew, rows added in
// order, complete only after finish().
class SourceTableWriter {
  public:
    SourceTableWriter(const std::filesystem::path& file, const std::string& table,
                      const std::vector<engine::FieldDef>& fields);
    ~SourceTableWriter();
    SourceTableWriter(const SourceTableWriter&) = delete;
    SourceTableWriter& operator=(const SourceTableWriter&) = delete;

    void add(const std::vector<engine::SourceValue>& row);
    void finish();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace update
