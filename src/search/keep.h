#pragma once
// Borrowing a shared dataset: its master, link, order and filter are kept
// when a search reconfigures it and put back afterwards, so the windows find
// their datasets as they left them.
#include <string>

namespace engine {
class Table;
}

namespace search {

class KeepDataset {
  public:
    explicit KeepDataset(engine::Table& table);
    // Puts the settings back unless restore() already did.
    ~KeepDataset();
    KeepDataset(const KeepDataset&) = delete;
    KeepDataset& operator=(const KeepDataset&) = delete;

    // Puts the settings back now; engine errors propagate.
    void restore();

  private:
    engine::Table& table_;
    engine::Table* master_;
    std::string masterFields_;
    std::string indexName_;
    std::string indexFieldNames_;
    std::string filter_;
    bool filtered_;
    bool restored_ = false;
};

// The dataset on its own: no master link, no filter.
void standalone(engine::Table& table);

}  // namespace search
