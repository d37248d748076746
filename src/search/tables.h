#pragma once
// Reading the regulation tables for the searches: the version links of the
// archive table and the gazette names, each read once per operation, and
// the regulation on the current row of Zakoni.
#include <string>
#include <unordered_map>
#include <vector>

#include "search/rows.h"

namespace engine {
class Table;
}
namespace database {
struct MainData;
}

namespace search {

// A regulation's archive row: its previous and next versions, 0 for none.
struct VersionLinks {
    long long previous = 0;
    long long next = 0;
};

// Every archive row by BROJ_ZAKONA (the first row for a number).
class ArchiveLinks {
  public:
    // Reads arhiva on its own and puts its settings back.
    static ArchiveLinks read(database::MainData& data);

    // The archive row of a regulation; nullptr when it has none.
    const VersionLinks* find(long long id) const;
    // The successor, 0 when none (also without an archive row).
    long long successor(long long id) const;

  private:
    std::unordered_map<long long, VersionLinks> links_;
};

struct Gazette {
    long long id = 0;
    std::string name;  // Naziv_glasnika
};

// Every gazette in ascending ID_GLASNIKA order; reads Glasnici on its own
// and puts its settings back.
std::vector<Gazette> readGazettes(database::MainData& data);

// Gazette names by ID_GLASNIKA.
class GazetteNames {
  public:
    explicit GazetteNames(const std::vector<Gazette>& gazettes);
    // Empty for a number no gazette has.
    const std::string& name(long long id) const;

  private:
    std::unordered_map<long long, std::string> names_;
};

// The fields of the current regulation that the lists show.
struct Regulation {
    bool present = false;  // false: the dataset has no current row
    long long id = 0;
    std::string title;
    std::string bg;
    size_t notesLength = 0;  // stored length of Napomena, read without its bytes
};

Regulation currentRegulation(engine::Table& zakoni);

// A list row for a regulation by the row icon rule: caption the title,
// sub-items as given.
Row regulationRow(const Regulation& r, const ArchiveLinks& archive, std::vector<std::string> sub);

// Makes Zakoni the detail of Glavna again (index ID_ZAKONA, link ID_BROJA,
// no filter), so that walking Glavna positions Zakoni on each regulation.
void followGlavna(database::MainData& data);

}  // namespace search
