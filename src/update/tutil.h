#pragma once
// The table utility: verification and rebuild of one table of the regulation
// database, as a small C-style library with utility sessions. A table is
// named by its file, the data folder joined with the table's name; the
// folder must be that of an alias of the engine session given to TUInit.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/types.h"

namespace engine {
class Session;
}

namespace update {

using hTUses = std::uint16_t;
using DBIResult = int;

inline constexpr DBIResult DBIERR_NONE = 0;
inline constexpr DBIResult DBIERR_INVALIDHNDL = 1;   // no such utility session
inline constexpr DBIResult DBIERR_NOSUCHTABLE = 2;   // no such table, or no alias for its folder
inline constexpr DBIResult DBIERR_INVALIDPARAM = 3;  // a descriptor of the wrong size or type
inline constexpr DBIResult DBIERR_ENGINE = 4;        // the engine failed; the table is unchanged
inline constexpr DBIResult DBIERR_NOTSUPPORTED = 5;  // another driver type than "PARADOX"

// One field of a table descriptor.
struct FLDDesc {
    std::string name;
    engine::FieldType type = engine::FieldType::String;
    int units = 0;  // the size of a text field
};

// One index: the primary key or a secondary index.
struct IDXDesc {
    std::string name;  // empty for the primary key
    bool primary = false;
    bool unique = false;
    bool caseInsensitive = false;
    std::vector<std::string> keyFields;
};

// Kinds the descriptor carries for the engine's sake; this database has
// none of them (their counts are 0).
struct SECDesc {};
struct VCHKDesc {};
struct RINTDesc {};
struct FLDDescOpt {};

// The table-creation descriptor, cleared and sized by the caller from the
// counts TUGetCRTblDescCount reports, then filled by TUFillCRTblDesc.
struct CRTblDesc {
    std::string tableName;
    std::string tableType;
    std::string errTableName;
    std::vector<FLDDesc> fields;
    std::vector<IDXDesc> indexes;
    std::vector<SECDesc> security;
    std::vector<VCHKDesc> checks;
    std::vector<RINTDesc> references;
    std::vector<FLDDescOpt> optParams;
    std::vector<char> optData;  // 128 bytes per unit of the reported length
};

// What TURebuildTable does to the full-text index of a table it covers
// (the regulations, the opinions).
enum class TUTextIndex {
    Rebuild,  // brought up to date with the table, before the call returns
    // Left for a rebuild in the background: the table's triggers keep its
    // plain texts exact, and the searches read those until the index is
    // current again.
    Later,
};

DBIResult TUInit(engine::Session& session, hTUses* handle,
                 TUTextIndex textIndex = TUTextIndex::Rebuild);
DBIResult TUExit(hTUses handle);

// Runs the integrity checks on the table and its indexes. errorLevel: 0
// when they found nothing, 1 otherwise (the findings go to the session's
// report, TUReport).
DBIResult TUVerifyTable(hTUses handle, const std::string& table, const std::string& driverType,
                        const std::string& errTable, const char* password, int options,
                        int* errorLevel);

struct CRTblDescCounts {
    std::uint16_t fields = 0;
    std::uint16_t indexes = 0;
    std::uint16_t security = 0;
    std::uint16_t checks = 0;
    std::uint16_t references = 0;
    std::uint16_t optParams = 0;
    std::uint16_t optDataLength = 0;
};
DBIResult TUGetCRTblDescCount(hTUses handle, const std::string& table, CRTblDescCounts* counts);

DBIResult TUFillCRTblDesc(hTUses handle, CRTblDesc* desc, const std::string& table,
                          const char* password);

// Rebuilds the table from the descriptor in one transaction (its indexes
// made again; rows the unique keys reject dropped), and the full-text index
// when it covers the table and the session's TUTextIndex says so. The backup, key-violation and
// problem tables are not made by this engine.
DBIResult TURebuildTable(hTUses handle, const std::string& table, const std::string& driverType,
                         const std::string& backupTable, const std::string& keyViolTable,
                         const std::string& problemTable, CRTblDesc* desc);

// What the last call on the session found or why it failed (English).
std::string TUReport(hTUses handle);

}  // namespace update
