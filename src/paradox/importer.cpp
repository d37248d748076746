#include "paradox/importer.h"

#include <strings.h>

#include <cmath>
#include <cstring>
#include <set>

#include "database/build.h"
#include "database/schema.h"
#include "engine/session.h"
#include "engine/table.h"
#include "paradox/files.h"
#include "paradox/reader.h"
#include "search/textdata.h"
#include "search/textrebuild.h"

namespace paradox {

namespace fs = std::filesystem;

namespace {

// Stores a value in an engine field; engine::Error when it does not fit.
void setValue(const engine::Field& field, const Value& value) {
    switch (value.kind) {
        case Value::Kind::Null:
            return;
        case Value::Kind::Integer:
            field.setInteger(value.integer);
            return;
        case Value::Kind::Real:
            // Whole numbers are stored as integers, as the program writes them.
            if (value.real == std::floor(value.real) && std::fabs(value.real) < 9.0e15) {
                field.setInteger(static_cast<long long>(value.real));
            } else {
                field.setFloat(value.real);
            }
            return;
        case Value::Kind::Text:
        case Value::Kind::Blob:
            field.setString(value.bytes);
            return;
    }
}

// The key of a record as bytes: numbers by their value, texts as they are.
std::string keyOf(const std::vector<Value>& row, const std::vector<int>& positions) {
    std::string key;
    auto number = [&](double v) {
        v += 0.0;  // -0 and 0 are one key
        char bytes[sizeof v];
        std::memcpy(bytes, &v, sizeof v);
        key += 'R';
        key.append(bytes, sizeof bytes);
    };
    for (int p : positions) {
        static const Value blank;
        const Value& v = static_cast<size_t>(p) < row.size() ? row[static_cast<size_t>(p)] : blank;
        switch (v.kind) {
            case Value::Kind::Null:
                key += 'N';
                break;
            case Value::Kind::Integer:
                number(static_cast<double>(v.integer));
                break;
            case Value::Kind::Real:
                number(v.real);
                break;
            default:
                key += 'T' + std::to_string(v.bytes.size()) + ':' + v.bytes;
                break;
        }
    }
    return key;
}

std::vector<std::string> layoutNotes(const std::vector<FieldInfo>& source,
                                     const engine::TableDef& def) {
    std::vector<std::string> notes;
    if (source.size() != def.fields.size()) {
        notes.push_back("the file has " + std::to_string(source.size()) + " fields, the table " +
                        std::to_string(def.fields.size()));
    }
    for (size_t i = 0; i < source.size() && i < def.fields.size(); ++i) {
        if (strcasecmp(source[i].name.c_str(), def.fields[i].name.c_str()) != 0) {
            notes.push_back("field " + std::to_string(i) + " is " + source[i].name +
                            " in the file, " + def.fields[i].name + " in the table");
        }
    }
    return notes;
}

void skip(ImportedTable& report, const std::string& reason, const std::string& example) {
    ++report.skipped;
    ImportedTable::Reason& r = report.reasons[reason];
    if (r.count++ == 0) {
        r.example = example;
    }
}

void importTable(TableSource& source, engine::Table& table, ImportedTable& report) {
    const engine::TableDef& def = table.definition();
    report.notes = layoutNotes(source.fields(), def);
    const size_t mapped = std::min(source.fields().size(), def.fields.size());
    std::vector<int> keyPositions;
    std::string keyNames;
    for (const std::string& name : def.primaryKey) {
        keyPositions.push_back(table.fieldByName(name).index());
        keyNames += (keyNames.empty() ? "" : ", ") + name;
    }
    std::set<std::string> keys;
    std::vector<Value> row;
    while (source.next(row)) {
        ++report.read;
        const std::string key = keyPositions.empty() ? std::string() : keyOf(row, keyPositions);
        if (!keyPositions.empty() && keys.count(key) != 0) {
            skip(report, "duplicate key (" + keyNames + ")", {});
            continue;
        }
        table.append();
        size_t i = 0;
        try {
            for (; i < mapped; ++i) {
                setValue(table.field(static_cast<int>(i)), row[i]);
            }
            table.post();
            ++report.stored;
            if (!keyPositions.empty()) {
                keys.insert(key);
            }
        } catch (const engine::Error& e) {
            table.cancel();
            skip(report,
                 i < mapped ? "value does not fit field " + def.fields[i].name : "not stored",
                 e.what());
        }
    }
}

}  // namespace

std::vector<ImportedTable> importDatabase(const fs::path& sourceDir, const fs::path& dataDir,
                                          const ImportOptions& options) {
    if (!fs::is_directory(sourceDir)) {
        throw Error(sourceDir.string() + ": no such folder");
    }
    std::vector<ImportedTable> reports;
    bool any = false;
    for (const engine::TableDef& def : database::tableDefs()) {
        ImportedTable report;
        report.table = def.name;
        if (const auto file = findTableFile(sourceDir, def.name)) {
            report.file = *file;
            any = true;
        }
        reports.push_back(std::move(report));
    }
    if (!any) {
        throw Error(sourceDir.string() + ": holds none of the regulation tables");
    }
    if (!options.replace && fs::exists(dataDir / engine::kDatabaseFileName)) {
        throw Error(dataDir.string() + " already holds a database");
    }
    database::DatabaseBuild build(dataDir, search::startTextCopies);
    for (ImportedTable& report : reports) {
        if (report.file.empty()) {
            continue;
        }
        const auto reader = TableReader::open(report.file);
        importTable(*reader, build.table(report.table), report);
    }
    build.commit(search::finishTextIndex);
    return reports;
}

}  // namespace paradox
