#pragma once
// A data source: the link between a table and the views bound to it. Views
// subscribe here; the source relays the table's notifications while it is
// enabled, and tells views when it is pointed at another table.
#include <functional>
#include <map>
#include <string>

#include "engine/table.h"

namespace engine {

class DataSource {
  public:
    explicit DataSource(Table* table = nullptr, std::string name = {});
    ~DataSource();
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    const std::string& name() const { return name_; }
    Table* dataSet() const { return table_; }
    void setDataSet(Table* table);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    // Event::DataSetChanged is also sent when the table is replaced or the
    // source is enabled again.
    using Listener = std::function<void(Event)>;
    int addListener(Listener listener);
    void removeListener(int id);

  private:
    void attach();
    void detach();
    void notify(Event event);

    std::string name_;
    Table* table_ = nullptr;
    int tableListener_ = -1;
    bool enabled_ = true;
    int nextId_ = 1;
    std::map<int, Listener> listeners_;
};

}  // namespace engine
