#include "paradox/exporter.h"

#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <system_error>

#include "engine/session.h"
#include "engine/table.h"
#include "paradox/writer.h"

namespace paradox {

namespace fs = std::filesystem;

namespace {

Value readValue(const engine::Field& field) {
    if (field.isNull()) {
        return Value::null();
    }
    switch (field.type()) {
        case engine::FieldType::Number:
            return Value::ofReal(field.asFloat());
        case engine::FieldType::String:
            return Value::ofText(field.asString());
        default:
            return Value::ofBlob(field.asString());
    }
}

long long exportTable(engine::Session& session, const std::string& alias,
                      const engine::TableDef& def, const fs::path& file) {
    std::vector<FieldInfo> fields;
    for (const engine::FieldDef& field : def.fields) {
        fields.push_back(paradoxField(field));
    }
    TableWriter writer(file, fields);
    engine::Table table(session, "export");
    table.setDatabaseName(alias);
    table.setTableName(def.name);
    table.setReadOnly(true);
    table.open();
    std::vector<Value> row(def.fields.size());
    for (table.first(); !table.eof(); table.next()) {
        for (size_t i = 0; i < row.size(); ++i) {
            row[i] = readValue(table.field(static_cast<int>(i)));
        }
        writer.append(row);
    }
    table.close();
    writer.finish();
    return writer.records();
}

// A folder inside outDir removed again when the export ends either way.
struct Scratch {
    fs::path dir;
    explicit Scratch(const fs::path& outDir)
        : dir(outDir / (".export-" + std::to_string(::getpid()))) {
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

}  // namespace

std::vector<ExportedTable> exportDatabase(engine::Session& session, const std::string& alias,
                                          const fs::path& outDir) {
    fs::create_directories(outDir);
    Scratch scratch(outDir);
    engine::Database& db = session.database(alias);
    std::vector<ExportedTable> done;
    std::vector<fs::path> made;
    for (const std::string& name : db.tableNames()) {
        const fs::path file = scratch.dir / (name + ".DB");
        done.push_back({name, exportTable(session, alias, db.tableDef(name), file)});
        made.push_back(file);
        if (fs::exists(scratch.dir / (name + ".MB"))) {
            made.push_back(scratch.dir / (name + ".MB"));
        }
    }
    // Into place, each renamed over a file of the same name; files of the
    // same name in another case, and a memo file the new table lacks, go,
    // so that no stale file stays beside a new table.
    for (const fs::path& file : made) {
        fs::rename(file, outDir / file.filename());
    }
    for (const ExportedTable& table : done) {
        for (const char* ext : {".DB", ".MB"}) {
            const std::string name = table.table + ext;
            const bool kept = std::find(made.begin(), made.end(), scratch.dir / name) != made.end();
            for (const auto& entry : fs::directory_iterator(outDir)) {
                const std::string other = entry.path().filename().string();
                if (strcasecmp(other.c_str(), name.c_str()) == 0 && (other != name || !kept)) {
                    fs::remove(entry.path());
                }
            }
        }
    }
    return done;
}

}  // namespace paradox
