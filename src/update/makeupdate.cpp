#include "update/makeupdate.h"

#include <strings.h>
#include <unistd.h>

#include <fstream>

#include "engine/batchmove.h"
#include "engine/session.h"
#include "engine/table.h"
#include "paradox/rows.h"
#include "paradox/writer.h"
#include "update/install.h"
#include "update/sourcetable.h"
#include "zip/writer.h"

namespace fs = std::filesystem;

namespace update {

namespace {

// A scratch folder removed with everything in it.
struct ScratchDir {
    fs::path path;
    ScratchDir() {
        std::string pattern = (fs::temp_directory_path() / "korvet-update-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw engine::Error("Cannot make a scratch folder");
        }
        path = pattern;
    }
    ~ScratchDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Rows held in memory.
class MemoryRows : public engine::RowSource {
  public:
    explicit MemoryRows(const TableRows& table) : table_(table) {}
    const std::string& tableName() const override { return table_.table; }
    const std::vector<engine::FieldDef>& fields() const override { return table_.fields; }
    bool next(std::vector<engine::SourceValue>& row) override {
        if (next_ == table_.rows.size()) {
            return false;
        }
        row = table_.rows[next_++];
        return true;
    }

  private:
    const TableRows& table_;
    size_t next_ = 0;
};

// Writes the rows as the file of the table in the archive, in the scratch
// folder, and adds it (and a Paradox table's memo file) to the archive.
void addTable(zip::Writer& archive, const fs::path& scratch, const std::string& table,
              engine::RowSource& rows, TableFormat format) {
    const std::string fileName = mergeFileName(table);
    const fs::path file = scratch / fileName;
    const std::vector<engine::FieldDef>& fields = rows.fields();
    std::vector<engine::SourceValue> row;
    std::vector<fs::path> files = {file};
    if (format == TableFormat::Paradox) {
        std::vector<paradox::FieldInfo> infos;
        for (const engine::FieldDef& field : fields) {
            infos.push_back(paradox::paradoxField(field));
        }
        paradox::TableWriter writer(file, infos);
        std::vector<paradox::Value> values(fields.size());
        while (rows.next(row)) {
            for (size_t i = 0; i < fields.size(); ++i) {
                values[i] = i < row.size() ? paradox::paradoxValue(row[i], fields[i])
                                           : paradox::Value::null();
            }
            writer.append(values);
        }
        writer.finish();
        if (!writer.memoFile().empty()) {
            files.push_back(writer.memoFile());
        }
    } else {
        SourceTableWriter writer(file, table, fields);
        while (rows.next(row)) {
            writer.add(row);
        }
        writer.finish();
    }
    for (const fs::path& made : files) {
        archive.add(made.filename().string(), readAll(made));
        fs::remove(made);
    }
}

}  // namespace

std::string mergeFileName(const std::string& table) {
    for (const MergeRow& row : mergeRows()) {
        if (strcasecmp(row.table, table.c_str()) == 0) {
            return row.file;
        }
    }
    throw engine::Error("The update does not merge the table " + table);
}

void makeUpdateArchive(engine::Session& session, const std::string& alias,
                       const std::vector<std::string>& tables, const fs::path& out,
                       TableFormat format) {
    ScratchDir scratch;
    zip::Writer archive;
    for (const std::string& name : tables) {
        mergeFileName(name);  // refused before anything is read
        engine::Table table(session, "make-update");
        table.setDatabaseName(alias);
        table.setTableName(name);
        table.setReadOnly(true);
        table.open();
        addTable(archive, scratch.path, table.definition().name, *engine::rowsOf(table), format);
        table.close();
    }
    archive.write(out);
}

void writeUpdateArchive(const std::vector<TableRows>& tables, const fs::path& out,
                        TableFormat format) {
    ScratchDir scratch;
    zip::Writer archive;
    for (const TableRows& t : tables) {
        MemoryRows rows(t);
        addTable(archive, scratch.path, t.table, rows, format);
    }
    archive.write(out);
}

}  // namespace update
