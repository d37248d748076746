#include "engine/tabledef_codec.h"

#include <set>
#include <sstream>

#include "engine/sqlite_util.h"
#include "platform/files.h"

namespace engine::detail {

std::string upperAscii(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

bool equalsNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && upperAscii(a) == upperAscii(b);
}

std::vector<std::string> splitFieldList(const std::string& list) {
    std::vector<std::string> out;
    std::string part;
    std::istringstream in(list);
    while (std::getline(in, part, ';')) {
        size_t b = part.find_first_not_of(' ');
        if (b == std::string::npos) {
            continue;
        }
        size_t e = part.find_last_not_of(' ');
        out.push_back(part.substr(b, e - b + 1));
    }
    return out;
}

namespace {

// Names end up inside SQL identifiers and the stored definition; control
// characters, quotes and the list separator are kept out.
void checkName(const std::string& name, const std::string& what) {
    if (name.empty()) {
        throw Error("Empty " + what + " name");
    }
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7f || c == '"' || c == ';') {
            throw Error("Invalid " + what + " name: " + platform::printable(name));
        }
    }
}

const char* typeCode(FieldType t) {
    switch (t) {
        case FieldType::String:
            return "S";
        case FieldType::Number:
            return "N";
        case FieldType::Memo:
            return "M";
        case FieldType::Graphic:
            return "G";
    }
    return "S";
}

const char* columnType(FieldType t) {
    switch (t) {
        case FieldType::String:
            return "TEXT";
        case FieldType::Number:
            return "REAL";
        default:
            return "BLOB";
    }
}

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> out;
    size_t start = 0;
    while (true) {
        size_t tab = line.find('\t', start);
        out.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) {
            return out;
        }
        start = tab + 1;
    }
}

std::string joinFields(const std::vector<std::string>& fields) {
    std::string out;
    for (const auto& f : fields) {
        out += (out.empty() ? "" : ";") + f;
    }
    return out;
}

}  // namespace

int findFieldIndex(const TableDef& def, const std::string& name) {
    for (size_t i = 0; i < def.fields.size(); ++i) {
        if (equalsNoCase(def.fields[i].name, name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const IndexDef* findIndex(const TableDef& def, const std::string& name) {
    for (const auto& index : def.indexes) {
        if (equalsNoCase(index.name, name)) {
            return &index;
        }
    }
    return nullptr;
}

void validateDefinition(const TableDef& def) {
    checkName(def.name, "table");
    std::string upper = upperAscii(def.name);
    if (upper.rfind("SQLITE_", 0) == 0 || upper.rfind("KORVET_", 0) == 0) {
        throw Error("Reserved table name: " + def.name);
    }
    if (def.fields.empty()) {
        throw Error("Table " + def.name + " has no fields");
    }
    std::set<std::string> seen;
    for (const auto& f : def.fields) {
        checkName(f.name, "field");
        std::string upperName = upperAscii(f.name);
        if (upperName == "ROWID" || upperName == "OID" || upperName == "_ROWID_") {
            throw Error("Reserved field name: " + f.name);
        }
        if (!seen.insert(upperName).second) {
            throw Error("Duplicate field name " + f.name + " in table " + def.name);
        }
        if (f.size < 0) {
            throw Error("Invalid size of field " + f.name);
        }
    }
    auto checkKey = [&](const std::vector<std::string>& fields, const std::string& what) {
        for (const auto& f : fields) {
            int pos = findFieldIndex(def, f);
            if (pos < 0) {
                throw Error(what + " of table " + def.name + " names an unknown field " + f);
            }
            FieldType t = def.fields[static_cast<size_t>(pos)].type;
            if (t == FieldType::Memo || t == FieldType::Graphic) {
                throw Error(what + " of table " + def.name + " cannot hold the field " + f);
            }
        }
    };
    checkKey(def.primaryKey, "The primary key");
    std::set<std::string> indexNames;
    for (const auto& index : def.indexes) {
        checkName(index.name, "index");
        if (index.fields.empty()) {
            throw Error("Index " + index.name + " of table " + def.name + " has no fields");
        }
        if (!indexNames.insert(upperAscii(index.name)).second) {
            throw Error("Duplicate index name " + index.name + " in table " + def.name);
        }
        checkKey(index.fields, "Index " + index.name);
    }
}

std::string encodeDefinition(const TableDef& def) {
    std::ostringstream out;
    for (const auto& f : def.fields) {
        out << "F\t" << typeCode(f.type) << '\t' << f.size << '\t' << f.name << '\n';
    }
    for (const auto& k : def.primaryKey) {
        out << "K\t" << k << '\n';
    }
    for (const auto& i : def.indexes) {
        out << "I\t" << (i.unique ? 1 : 0) << '\t' << (i.caseInsensitive ? 1 : 0) << '\t' << i.name
            << '\t' << joinFields(i.fields) << '\n';
    }
    return out.str();
}

TableDef decodeDefinition(const std::string& name, const std::string& text) {
    TableDef def;
    def.name = name;
    auto damaged = [&]() { return Error("Damaged definition of table " + name); };
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty()) {
            continue;
        }
        auto parts = splitTabs(line);
        if (parts[0] == "F" && parts.size() == 4) {
            FieldDef f;
            const std::string& t = parts[1];
            if (t == "S") {
                f.type = FieldType::String;
            } else if (t == "N") {
                f.type = FieldType::Number;
            } else if (t == "M") {
                f.type = FieldType::Memo;
            } else if (t == "G") {
                f.type = FieldType::Graphic;
            } else {
                throw damaged();
            }
            try {
                f.size = std::stoi(parts[2]);
            } catch (const std::exception&) {
                throw damaged();
            }
            f.name = parts[3];
            def.fields.push_back(f);
        } else if (parts[0] == "K" && parts.size() == 2) {
            def.primaryKey.push_back(parts[1]);
        } else if (parts[0] == "I" && parts.size() == 5) {
            IndexDef i;
            i.unique = parts[1] == "1";
            i.caseInsensitive = parts[2] == "1";
            i.name = parts[3];
            i.fields = splitFieldList(parts[4]);
            def.indexes.push_back(i);
        } else {
            throw damaged();
        }
    }
    try {
        validateDefinition(def);
    } catch (const Error&) {
        throw damaged();
    }
    return def;
}

std::vector<size_t> storageOrder(const TableDef& def) {
    std::vector<size_t> order;
    for (int pass = 0; pass < 2; ++pass) {
        for (size_t i = 0; i < def.fields.size(); ++i) {
            FieldType t = def.fields[i].type;
            bool large = t == FieldType::Memo || t == FieldType::Graphic;
            if (large == (pass == 1)) {
                order.push_back(i);
            }
        }
    }
    return order;
}

std::string createTableSql(const TableDef& def, const std::string& sqlName) {
    std::string sql = "CREATE TABLE " + quoteIdent(sqlName) + " (";
    bool firstColumn = true;
    for (size_t i : storageOrder(def)) {
        sql += (firstColumn ? "" : ", ") + quoteIdent(def.fields[i].name) + " " +
               columnType(def.fields[i].type);
        firstColumn = false;
    }
    return sql + ")";
}

std::vector<std::string> indexSqlNames(const TableDef& def, const std::string& indexTableName) {
    std::vector<std::string> names;
    if (!def.primaryKey.empty()) {
        names.push_back(indexTableName + "#primary");
    }
    for (const auto& index : def.indexes) {
        names.push_back(indexTableName + "#" + index.name);
    }
    return names;
}

std::vector<std::string> createIndexSql(const TableDef& def, const std::string& sqlTable,
                                        const std::string& indexTableName) {
    auto names = indexSqlNames(def, indexTableName);
    std::vector<std::string> out;
    size_t n = 0;
    auto columns = [&](const std::vector<std::string>& fields, bool noCase) {
        std::string cols;
        for (const auto& f : fields) {
            const FieldDef& fd = def.fields[static_cast<size_t>(findFieldIndex(def, f))];
            cols += (cols.empty() ? "" : ", ") + quoteIdent(fd.name);
            if (noCase && fd.type == FieldType::String) {
                cols += " COLLATE NOCASE";
            }
        }
        return cols;
    };
    if (!def.primaryKey.empty()) {
        out.push_back("CREATE UNIQUE INDEX " + quoteIdent(names[n++]) + " ON " +
                      quoteIdent(sqlTable) + " (" + columns(def.primaryKey, false) + ")");
    }
    for (const auto& index : def.indexes) {
        out.push_back(std::string("CREATE ") + (index.unique ? "UNIQUE " : "") + "INDEX " +
                      quoteIdent(names[n++]) + " ON " + quoteIdent(sqlTable) + " (" +
                      columns(index.fields, index.caseInsensitive) + ")");
    }
    return out;
}

}  // namespace engine::detail
