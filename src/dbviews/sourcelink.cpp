#include "dbviews/sourcelink.h"

#include "engine/datasource.h"

namespace dbviews {

SourceLink::SourceLink(std::function<void(engine::Event)> onEvent) : onEvent_(std::move(onEvent)) {}

SourceLink::~SourceLink() {
    setDataSource(nullptr);
}

bool SourceLink::setDataSource(engine::DataSource* source) {
    if (source == source_) {
        return false;
    }
    if (source_ != nullptr && listener_ >= 0) {
        source_->removeListener(listener_);
    }
    listener_ = -1;
    source_ = source;
    if (source_ != nullptr) {
        listener_ = source_->addListener([this](engine::Event event) { onEvent_(event); });
    }
    return true;
}

engine::Table* SourceLink::table() const {
    return source_ != nullptr ? source_->dataSet() : nullptr;
}

engine::Table* SourceLink::openTable() const {
    engine::Table* t = table();
    return t != nullptr && t->active() ? t : nullptr;
}

std::optional<engine::Field> SourceLink::field(const std::string& name) const {
    engine::Table* t = openTable();
    if (t == nullptr || name.empty()) {
        return std::nullopt;
    }
    return t->findField(name);
}

bool SourceLink::editing() const {
    engine::Table* t = openTable();
    return t != nullptr &&
           (t->state() == engine::State::Edit || t->state() == engine::State::Insert);
}

}  // namespace dbviews
