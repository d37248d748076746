#include "update/tutil.h"

#include <strings.h>

#include <filesystem>
#include <map>

#include "database/schema.h"
#include "engine/session.h"
#include "engine/tableutil.h"
#include "update/textindex.h"

namespace update {

namespace {

struct UtilSession {
    engine::Session* session = nullptr;
    TUTextIndex textIndex = TUTextIndex::Rebuild;
    std::string report;
};

std::map<hTUses, UtilSession>& sessions() {
    static std::map<hTUses, UtilSession> all;
    return all;
}

UtilSession* find(hTUses handle) {
    auto it = sessions().find(handle);
    return it == sessions().end() ? nullptr : &it->second;
}

struct Located {
    engine::Database* db = nullptr;
    std::string alias;
    std::string table;
};

// The database and table a table file names.
DBIResult locate(UtilSession& s, const std::string& file, Located* out) {
    const std::filesystem::path path(file);
    const std::string alias = s.session->aliasForFolder(path.parent_path().string());
    if (alias.empty()) {
        s.report = "No alias for the folder of " + file;
        return DBIERR_NOSUCHTABLE;
    }
    try {
        engine::Database& db = s.session->database(alias);
        if (!db.hasTable(path.filename().string())) {
            s.report = "No such table: " + file;
            return DBIERR_NOSUCHTABLE;
        }
        *out = {&db, alias, db.tableDef(path.filename().string()).name};
    } catch (const engine::Error& e) {
        s.report = e.what();
        return DBIERR_ENGINE;
    }
    return DBIERR_NONE;
}

bool paradox(const std::string& driverType) {
    return strcasecmp(driverType.c_str(), "PARADOX") == 0;
}

// The session of a handle and the table a call names; driverType, when
// given, must be "PARADOX".
DBIResult resolve(hTUses handle, const std::string& table, UtilSession** session, Located* at,
                  const std::string* driverType = nullptr) {
    if (driverType != nullptr && !paradox(*driverType)) {
        return DBIERR_NOTSUPPORTED;
    }
    *session = find(handle);
    if (*session == nullptr) {
        return DBIERR_INVALIDHNDL;
    }
    return locate(**session, table, at);
}

engine::TableDef definitionOf(const CRTblDesc& desc, const std::string& table) {
    engine::TableDef def;
    def.name = table;
    for (const FLDDesc& f : desc.fields) {
        def.fields.push_back({f.name, f.type, f.units});
    }
    for (const IDXDesc& i : desc.indexes) {
        if (i.primary) {
            def.primaryKey = i.keyFields;
        } else {
            def.indexes.push_back({i.name, i.keyFields, i.unique, i.caseInsensitive});
        }
    }
    return def;
}

bool sameDefinition(const engine::TableDef& a, const engine::TableDef& b) {
    if (a.fields.size() != b.fields.size() || a.primaryKey != b.primaryKey ||
        a.indexes.size() != b.indexes.size()) {
        return false;
    }
    for (size_t i = 0; i < a.fields.size(); ++i) {
        if (a.fields[i].name != b.fields[i].name || a.fields[i].type != b.fields[i].type ||
            a.fields[i].size != b.fields[i].size) {
            return false;
        }
    }
    for (size_t i = 0; i < a.indexes.size(); ++i) {
        const auto& x = a.indexes[i];
        const auto& y = b.indexes[i];
        if (x.name != y.name || x.fields != y.fields || x.unique != y.unique ||
            x.caseInsensitive != y.caseInsensitive) {
            return false;
        }
    }
    return true;
}

}  // namespace

DBIResult TUInit(engine::Session& session, hTUses* handle, TUTextIndex textIndex) {
    hTUses next = 1;
    while (sessions().count(next) != 0) {
        ++next;
        if (next == 0) {
            return DBIERR_INVALIDHNDL;  // every handle in use
        }
    }
    sessions()[next] = UtilSession{&session, textIndex, {}};
    *handle = next;
    return DBIERR_NONE;
}

DBIResult TUExit(hTUses handle) {
    return sessions().erase(handle) == 1 ? DBIERR_NONE : DBIERR_INVALIDHNDL;
}

DBIResult TUVerifyTable(hTUses handle, const std::string& table, const std::string& driverType,
                        const std::string& errTable, const char*, int, int* errorLevel) {
    UtilSession* s = nullptr;
    Located at;
    if (DBIResult rc = resolve(handle, table, &s, &at, &driverType); rc != DBIERR_NONE) {
        return rc;
    }
    if (strcasecmp(std::filesystem::path(errTable).stem().c_str(), at.table.c_str()) == 0) {
        s->report = "The error table cannot be the verified table";
        return DBIERR_INVALIDPARAM;
    }
    try {
        engine::VerifyResult result = engine::verifyTable(*at.db, at.table);
        s->report = result.report;
        if (errorLevel != nullptr) {
            *errorLevel = result.ok ? 0 : 1;
        }
    } catch (const engine::Error& e) {
        s->report = e.what();
        return DBIERR_ENGINE;
    }
    return DBIERR_NONE;
}

DBIResult TUGetCRTblDescCount(hTUses handle, const std::string& table, CRTblDescCounts* counts) {
    UtilSession* s = nullptr;
    Located at;
    if (DBIResult rc = resolve(handle, table, &s, &at); rc != DBIERR_NONE) {
        return rc;
    }
    const engine::TableDef& def = at.db->tableDef(at.table);
    *counts = {};
    counts->fields = static_cast<std::uint16_t>(def.fields.size());
    counts->indexes =
        static_cast<std::uint16_t>(def.indexes.size() + (def.primaryKey.empty() ? 0 : 1));
    return DBIERR_NONE;
}

DBIResult TUFillCRTblDesc(hTUses handle, CRTblDesc* desc, const std::string& table, const char*) {
    UtilSession* s = nullptr;
    Located at;
    if (DBIResult rc = resolve(handle, table, &s, &at); rc != DBIERR_NONE) {
        return rc;
    }
    const engine::TableDef& def = at.db->tableDef(at.table);
    const size_t indexes = def.indexes.size() + (def.primaryKey.empty() ? 0 : 1);
    if (desc == nullptr || desc->fields.size() != def.fields.size() ||
        desc->indexes.size() != indexes) {
        s->report = "The descriptor is not sized for " + at.table;
        return DBIERR_INVALIDPARAM;
    }
    for (size_t i = 0; i < def.fields.size(); ++i) {
        desc->fields[i] = {def.fields[i].name, def.fields[i].type, def.fields[i].size};
    }
    size_t n = 0;
    if (!def.primaryKey.empty()) {
        desc->indexes[n++] = {{}, true, true, false, def.primaryKey};
    }
    for (const auto& index : def.indexes) {
        desc->indexes[n++] = {index.name, false, index.unique, index.caseInsensitive, index.fields};
    }
    return DBIERR_NONE;
}

DBIResult TURebuildTable(hTUses handle, const std::string& table, const std::string& driverType,
                         const std::string&, const std::string&, const std::string&,
                         CRTblDesc* desc) {
    UtilSession* s = nullptr;
    Located at;
    if (DBIResult rc = resolve(handle, table, &s, &at, &driverType); rc != DBIERR_NONE) {
        return rc;
    }
    // This engine rebuilds a table from the definition it keeps; a
    // descriptor that describes another structure is refused.
    if (desc == nullptr ||
        !sameDefinition(definitionOf(*desc, at.table), at.db->tableDef(at.table))) {
        s->report = "The descriptor does not describe " + at.table;
        return DBIERR_INVALIDPARAM;
    }
    try {
        engine::rebuildTable(*at.db, at.table);
        if (coversTexts(at.table) && s->textIndex == TUTextIndex::Rebuild) {
            refreshTextIndex(*s->session, at.alias);
        }
    } catch (const std::exception& e) {
        s->report = e.what();
        return DBIERR_ENGINE;
    }
    return DBIERR_NONE;
}

std::string TUReport(hTUses handle) {
    UtilSession* s = find(handle);
    return s == nullptr ? std::string() : s->report;
}

}  // namespace update
