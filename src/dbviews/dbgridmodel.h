#pragma once
// The rows of a grid: a table model over the rows of one table dataset, one
// column per field. The values come from a second, read-only cursor over the
// same rows (same table, order, filter and master link), so that reading a
// row never moves the bound table; rows are read when first shown and kept
// until the next refresh. The table's current row in edit shows its edited
// values.
//
// Texts are YUSCII bytes shown through platform::qs; memo and graphic fields
// show their type in parentheses, upper-cased when the field holds data.
// A table opened by its file path (no alias) shows only its current row's
// values.
#include <QAbstractTableModel>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/table.h"

namespace dbviews {

class DBGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit DBGridModel(QObject* parent = nullptr);
    ~DBGridModel() override;

    // The table whose rows are shown; nullptr shows none. Refreshes.
    void setTable(engine::Table* table);
    engine::Table* table() const { return table_; }

    // Takes the table's row set anew after it changed (settings, writes,
    // opening or closing). The model is reset only when the fields change;
    // otherwise rows are inserted or removed at the end and all are re-read.
    // Returns whether the model was reset.
    bool refresh();
    // The current row's values changed (edit, cancel).
    void currentRowChanged();

    // Column titles (YUSCII); a column without one shows its field's name.
    void setColumnTitle(int column, const std::string& title);
    // Whether values can be edited here (only text and number fields).
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool readOnly() const { return readOnly_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Moves the table to the row (posting an edit of another row), puts it in
    // Edit state and sets the field. Engine errors go to the caller.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  private:
    void syncReader();
    const std::vector<QString>& rowValues(int row) const;
    int currentIndex() const;  // the table's current row, 0-based; -1 when none

    engine::Table* table_ = nullptr;
    std::unique_ptr<engine::Table> reader_;
    std::vector<engine::FieldDef> fields_;
    int rows_ = 0;
    mutable std::vector<std::vector<QString>> cache_;  // empty: not read yet
    std::map<int, std::string> titles_;
    bool readOnly_ = false;
};

}  // namespace dbviews
