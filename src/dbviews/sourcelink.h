#pragma once
// The link between one view and its data source: it subscribes to the
// source's notifications and hands each to the view. The views read their
// table and field through it.
//
// The data source must outlive the link, or be unbound (setDataSource
// (nullptr)) before it goes.
#include <functional>
#include <optional>
#include <string>

#include "engine/table.h"

namespace engine {
class DataSource;
}

namespace dbviews {

class SourceLink {
  public:
    explicit SourceLink(std::function<void(engine::Event)> onEvent);
    ~SourceLink();
    SourceLink(const SourceLink&) = delete;
    SourceLink& operator=(const SourceLink&) = delete;

    engine::DataSource* dataSource() const { return source_; }
    // Rebinds; returns false when the source is the one bound already.
    bool setDataSource(engine::DataSource* source);

    // The source's table; nullptr without a source or a table.
    engine::Table* table() const;
    // The table when it is open, else nullptr.
    engine::Table* openTable() const;
    // A field of the open table by name; nullopt when closed or absent.
    std::optional<engine::Field> field(const std::string& name) const;
    // Whether the open table is in Edit or Insert state.
    bool editing() const;

  private:
    std::function<void(engine::Event)> onEvent_;
    engine::DataSource* source_ = nullptr;
    int listener_ = -1;
};

}  // namespace dbviews
