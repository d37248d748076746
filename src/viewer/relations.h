#pragma once
// The relations between regulations and official opinions, read from the
// link table: the opinions of a regulation, the regulations of an opinion.
// Each link row gives one listed document, in the link table's order; no
// link row gives no rows.
#include <optional>
#include <string>
#include <vector>

#include "engine/table.h"

namespace database {
struct MainData;
}

namespace viewer {

// A listed document: its title and the second column (an opinion's date
// "dd/mm/yyyy", a regulation's number/year).
struct Relation {
    std::string title;
    std::string second;
    friend bool operator==(const Relation&, const Relation&) = default;
};

class RelationLookup {
  public:
    // Reads data.link and data.lookzakoni, each put back as it was; the
    // opinions are read through a cursor of its own, so the opinions page's
    // ministry choice and filter do not count and are left alone.
    explicit RelationLookup(database::MainData& data);
    ~RelationLookup();
    RelationLookup(const RelationLookup&) = delete;
    RelationLookup& operator=(const RelationLookup&) = delete;

    // The opinions linked to the regulation with this ID_ZAKONA. A link row
    // names its opinion by the position in the order of the ministry index
    // ("drugi") over all opinions; a position past the last opinion gives
    // the last one.
    std::vector<Relation> opinionsOf(long long idZakona);

    // The regulations linked to the opinion with this BROJ_MISLJENJA. A link
    // to a regulation that does not exist gives a row with empty columns.
    std::vector<Relation> regulationsOf(long long brojMisljenja);

    // The shown documents' keys: the current regulation of Zakoni, the
    // current opinion of misljenja; nullopt on an empty or closed dataset.
    std::optional<long long> shownRegulation() const;
    std::optional<long long> shownOpinion() const;

  private:
    database::MainData& data_;
    engine::Table opinions_;  // TB_Misljenja in "drugi" order, unfiltered
};

}  // namespace viewer
