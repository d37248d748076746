#pragma once
// A grid over the rows of a data source's table, one column per field. The
// grid's current row and the table's cursor follow each other: choosing a
// row in the grid moves the table there (posting an edit first, as every
// move does), and every move of the table selects its row in the grid.
// Changes of the row set (filter, order, master move, post, delete) re-read
// the rows; hidden columns and column titles stay as set.
//
// An engine error while moving the table (a failed post of the edited row)
// goes to the caller; the grid then shows the table's row again.
//
// The data source must outlive the grid, or be unbound first.
#include <QTableView>
#include <set>
#include <string>

#include "dbviews/dbgridmodel.h"
#include "dbviews/sourcelink.h"

namespace dbviews {

class DBGrid : public QTableView {
    Q_OBJECT
  public:
    explicit DBGrid(QWidget* parent = nullptr);
    ~DBGrid() override;

    engine::DataSource* dataSource() const { return link_.dataSource(); }
    void setDataSource(engine::DataSource* source);

    // Kept over re-reads of the rows (hides QTableView::setColumnHidden).
    void setColumnHidden(int column, bool hide);
    void setColumnTitle(int column, const std::string& title);

    // Read-only: values cannot be edited in the grid (moving still can).
    void setReadOnly(bool readOnly);
    bool readOnly() const { return model_->readOnly(); }

    DBGridModel* gridModel() const { return model_; }
    // The grid's current row, 0-based; -1 when none.
    int currentRow() const;

  private:
    void dataChanged(engine::Event event);
    void followTable();
    void rowChosen(const QModelIndex& current);

    SourceLink link_;
    DBGridModel* model_;
    std::set<int> hidden_;
    bool following_ = false;  // the grid is being set from the table
};

}  // namespace dbviews
