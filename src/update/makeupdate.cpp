#include "update/makeupdate.h"

#include <strings.h>
#include <unistd.h>

#include <fstream>

#include "engine/batchmove.h"
#include "engine/session.h"
#include "engine/table.h"
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
                       const std::vector<std::string>& tables, const fs::path& out) {
    ScratchDir scratch;
    zip::Writer archive;
    for (const std::string& name : tables) {
        const std::string fileName = mergeFileName(name);
        engine::Table table(session, "make-update");
        table.setDatabaseName(alias);
        table.setTableName(name);
        table.setReadOnly(true);
        table.open();
        const auto& def = table.definition();
        const fs::path file = scratch.path / fileName;
        SourceTableWriter writer(file, def.name, def.fields);
        auto rows = engine::rowsOf(table);
        std::vector<engine::SourceValue> row;
        while (rows->next(row)) {
            writer.add(row);
        }
        writer.finish();
        table.close();
        archive.add(fileName, readAll(file));
        fs::remove(file);
    }
    archive.write(out);
}

void writeUpdateArchive(const std::vector<TableRows>& tables, const fs::path& out) {
    ScratchDir scratch;
    zip::Writer archive;
    for (const TableRows& t : tables) {
        const std::string fileName = mergeFileName(t.table);
        const fs::path file = scratch.path / fileName;
        SourceTableWriter writer(file, t.table, t.fields);
        for (const auto& row : t.rows) {
            writer.add(row);
        }
        writer.finish();
        archive.add(fileName, readAll(file));
        fs::remove(file);
    }
    archive.write(out);
}

}  // namespace update
