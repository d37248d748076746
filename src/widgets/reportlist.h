#pragma once
// The report-style list used for every list of regulations and opinions:
// a title column and text columns, a 16 by 16 image per row, and sorting by
// a header click with the sort marker on the clicked header. Rows hold
// YUSCII bytes; they become QString only when drawn.
#include <QAbstractTableModel>
#include <QTreeView>
#include <string>
#include <vector>

#include "lists/listrules.h"

namespace widgets {

struct Column {
    std::string title;  // YUSCII
    int width = 100;
    bool centred = false;
    lists::Rule rule = lists::Rule::Plain;  // how a click on this header sorts
};

class ReportModel final : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void setColumns(std::vector<Column> columns);
    const std::vector<Column>& columns() const { return columns_; }

    const std::vector<lists::Row>& rows() const { return rows_; }
    void setRows(std::vector<lists::Row> rows);
    void append(lists::Row row);
    void clear();

    // Stable ascending sort by the rule of that column; moves the marker.
    void sortBy(int column);
    int markerColumn() const { return marker_; }
    void clearMarker();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<Column> columns_;
    std::vector<lists::Row> rows_;
    int marker_ = -1;
};

class ReportList final : public QTreeView {
    Q_OBJECT
  public:
    explicit ReportList(QWidget* parent = nullptr);

    void setColumns(std::vector<Column> columns);
    void setColumnWidthOf(int column, int width) { setColumnWidth(column, width); }
    void setMultiSelect(bool on);
    // The title column follows the list's own width, leaving reserve pixels
    // for the other columns (0: the title column keeps the width it is given).
    void setTitleReserve(int reserve);

    int count() const { return static_cast<int>(model_.rows().size()); }
    const lists::Row& row(int i) const { return model_.rows().at(static_cast<size_t>(i)); }
    const std::vector<lists::Row>& rows() const { return model_.rows(); }
    void clear();
    void addRow(lists::Row row);
    void setRows(std::vector<lists::Row> rows);

    // The first selected row (the current one when it is selected), -1 none.
    int selectedIndex() const;
    const lists::Row* selected() const;
    std::vector<int> selectedRowList() const;
    bool isSelected(int i) const;
    void setSelected(int i, bool on);
    void selectOnly(int i);  // selects and makes current
    void scrollToRow(int i);

    // What a header click does (also callable from code and tests).
    void clickColumn(int column);
    int sortColumn() const { return model_.markerColumn(); }
    void clearSortMarker() { model_.clearMarker(); }

  Q_SIGNALS:
    void rowActivated();  // double click or Enter
    void columnClicked(int column);
    void rowSelectionChanged();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void fitTitle();

    ReportModel model_;
    int titleReserve_ = 0;
};

}  // namespace widgets
