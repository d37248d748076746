#pragma once
// The link between one view and its data source: it subscribes to the
// source's notifications and hands each to the view. The views read their
// table and field through it; the views of one field bind through
// FieldBinding.
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

// The binding the views of one field share: a data source and a field name,
// with their public accessors. A change of either runs the view's rebound();
// the source's notifications go to the function the view gives.
class FieldBinding {
  public:
    engine::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataSource(engine::DataSource* source) {
        if (link_.setDataSource(source)) {
            rebound();
        }
    }
    const std::string& dataField() const { return field_; }
    void setDataField(const std::string& field) {
        if (field != field_) {
            field_ = field;
            rebound();
        }
    }

  protected:
    explicit FieldBinding(std::function<void(engine::Event)> onEvent) : link_(std::move(onEvent)) {}
    virtual ~FieldBinding() = default;
    FieldBinding(const FieldBinding&) = delete;
    FieldBinding& operator=(const FieldBinding&) = delete;

    // The source or the field changed: the view shows the row again.
    virtual void rebound() = 0;
    // The bound field of the open table; nullopt when closed or absent.
    std::optional<engine::Field> boundField() const { return link_.field(field_); }

    SourceLink link_;

  private:
    std::string field_;
};

}  // namespace dbviews
