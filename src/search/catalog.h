#pragma once
// The publication rows as the keyword search reads them (Glavna in stored
// order, each with its regulation through the Zakoni link), kept in memory
// for the main window's datasets so that a search tests them without
// walking the tables again. The start-up fill and every full keyword
// search record it as they walk; it is dropped when any table of the
// database is written (the engine's change count) and when Glavna is
// closed or opened.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "search/rows.h"

namespace database {
struct MainData;
}
namespace engine {
class Field;
}

namespace search {

struct CatalogRow {
    Row row;                        // as the search lists it: caption, gazette name and BG, icon
    std::string upperTitle;         // the title upper-cased with yupperW
    long long id = 0;               // the regulation's ID_ZAKONA
    bool present = false;           // a regulation stands behind the publication row
    std::optional<double> gazette;  // ID_GLASNIKA; none when blank or no number

    // Whether the keyword search's gazette filter keeps the row.
    bool inGazette(long long g) const { return gazette && *gazette == static_cast<double>(g); }
};

struct Regulation;

// The catalog row of a regulation listed as row, with its publication row's
// ID_GLASNIKA field.
CatalogRow catalogRow(const Regulation& r, Row row, const engine::Field& gazette);

class Catalog {
  public:
    // The catalog recorded for these datasets when the tables have not
    // changed since; nullptr otherwise.
    static std::shared_ptr<const Catalog> find(database::MainData& data);

    const std::vector<CatalogRow>& rows() const { return rows_; }

    // Records a catalog during a walk over every publication row.
    class Recorder {
      public:
        explicit Recorder(database::MainData& data);
        void add(CatalogRow row);
        // Keeps the catalog for the datasets; a walk that did not reach the
        // end keeps nothing.
        void finish();

      private:
        database::MainData& data_;
        std::shared_ptr<Catalog> catalog_;
        unsigned long long change_;
    };

  private:
    std::vector<CatalogRow> rows_;
};

}  // namespace search
