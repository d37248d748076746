#include "engine/datasource.h"

#include <vector>

namespace engine {

DataSource::DataSource(Table* table, std::string name) : name_(std::move(name)) {
    setDataSet(table);
}

DataSource::~DataSource() {
    detach();
}

void DataSource::setDataSet(Table* table) {
    if (table == table_) {
        return;
    }
    detach();
    table_ = table;
    attach();
    notify(Event::DataSetChanged);
}

void DataSource::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    if (enabled_) {
        notify(Event::DataSetChanged);
    }
}

int DataSource::addListener(Listener listener) {
    int id = nextId_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void DataSource::removeListener(int id) {
    listeners_.erase(id);
}

void DataSource::attach() {
    if (table_ != nullptr) {
        tableListener_ = table_->addListener([this](Table&, Event event) { notify(event); });
    }
}

void DataSource::detach() {
    if (table_ != nullptr && tableListener_ >= 0) {
        table_->removeListener(tableListener_);
    }
    tableListener_ = -1;
}

void DataSource::notify(Event event) {
    if (!enabled_) {
        return;
    }
    std::vector<int> ids;
    for (const auto& entry : listeners_) {
        ids.push_back(entry.first);
    }
    for (int id : ids) {
        auto it = listeners_.find(id);
        if (it != listeners_.end()) {
            Listener listener = it->second;
            listener(event);
        }
    }
}

}  // namespace engine
