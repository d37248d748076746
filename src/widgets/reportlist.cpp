#include "widgets/reportlist.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "platform/textconv.h"
#include "widgets/icons.h"

namespace widgets {

using lists::Row;
using lists::Rule;

void ReportModel::setColumns(std::vector<Column> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    marker_ = -1;
    endResetModel();
}

void ReportModel::setRows(std::vector<Row> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void ReportModel::append(Row row) {
    int at = static_cast<int>(rows_.size());
    beginInsertRows({}, at, at);
    rows_.push_back(std::move(row));
    endInsertRows();
}

void ReportModel::clear() {
    if (rows_.empty()) {
        return;
    }
    beginResetModel();
    rows_.clear();
    endResetModel();
}

static const std::string& cell(const Row& row, int column) {
    static const std::string empty;
    if (column == 0) {
        return row.caption;
    }
    size_t i = static_cast<size_t>(column - 1);
    return i < row.sub.size() ? row.sub[i] : empty;
}

void ReportModel::sortBy(int column) {
    if (column < 0 || column >= static_cast<int>(columns_.size())) {
        return;
    }
    Rule rule = column == 0 ? Rule::Title : columns_[static_cast<size_t>(column)].rule;
    auto order = lists::stableOrder(rows_.size(), [&](size_t a, size_t b) {
        return lists::compareByRule(rule, cell(rows_[a], column), cell(rows_[b], column));
    });
    Q_EMIT layoutAboutToBeChanged();
    QModelIndexList before = persistentIndexList();
    std::vector<int> newPosition(rows_.size());
    std::vector<Row> sorted;
    sorted.reserve(rows_.size());
    for (size_t i = 0; i < order.size(); ++i) {
        newPosition[order[i]] = static_cast<int>(i);
        sorted.push_back(std::move(rows_[order[i]]));
    }
    rows_ = std::move(sorted);
    QModelIndexList after;
    for (const QModelIndex& index : before) {
        after.push_back(this->index(newPosition[static_cast<size_t>(index.row())], index.column()));
    }
    changePersistentIndexList(before, after);
    marker_ = column;
    Q_EMIT layoutChanged();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, static_cast<int>(columns_.size()) - 1);
}

void ReportModel::clearMarker() {
    marker_ = -1;
    if (!columns_.empty()) {
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, static_cast<int>(columns_.size()) - 1);
    }
}

int ReportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ReportModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ReportModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<size_t>(index.row()) >= rows_.size()) {
        return {};
    }
    const Row& row = rows_[static_cast<size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return platform::qs(cell(row, index.column()));
        case Qt::DecorationRole:
            if (index.column() == 0) {
                return image(row.image);
            }
            return {};
        case Qt::TextAlignmentRole:
            if (columns_[static_cast<size_t>(index.column())].centred) {
                return int(Qt::AlignCenter);
            }
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 ||
        section >= static_cast<int>(columns_.size())) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return platform::qs(columns_[static_cast<size_t>(section)].title);
        case Qt::DecorationRole:
            if (section == marker_) {
                return image(lists::kSortMarker);
            }
            return {};
        case Qt::TextAlignmentRole:
            return int(columns_[static_cast<size_t>(section)].centred
                           ? Qt::AlignCenter
                           : Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

ReportList::ReportList(QWidget* parent) : QTreeView(parent), model_(this) {
    setModel(&model_);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(16, 16));
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    connect(header(), &QHeaderView::sectionClicked, this,
            [this](int column) { clickColumn(column); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { Q_EMIT rowSelectionChanged(); });
}

void ReportList::setColumns(std::vector<Column> columns) {
    model_.setColumns(columns);
    for (size_t i = 0; i < columns.size(); ++i) {
        setColumnWidth(static_cast<int>(i), columns[i].width);
    }
}

void ReportList::setMultiSelect(bool on) {
    setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                        : QAbstractItemView::SingleSelection);
}

void ReportList::setTitleReserve(int reserve) {
    titleReserve_ = reserve;
    fitTitle();
}

void ReportList::fitTitle() {
    if (titleReserve_ > 0) {
        setColumnWidth(0, std::max(viewport()->width() - titleReserve_, 100));
    }
}

void ReportList::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    fitTitle();
}

void ReportList::clear() {
    model_.clear();
}

void ReportList::addRow(Row row) {
    model_.append(std::move(row));
}

void ReportList::setRows(std::vector<Row> rows) {
    model_.setRows(std::move(rows));
}

int ReportList::selectedIndex() const {
    QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isRowSelected(current.row(), {})) {
        return current.row();
    }
    auto rows = selectedRowList();
    return rows.empty() ? -1 : rows.front();
}

const Row* ReportList::selected() const {
    int i = selectedIndex();
    return i < 0 ? nullptr : &row(i);
}

std::vector<int> ReportList::selectedRowList() const {
    std::vector<int> out;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        out.push_back(index.row());
    }
    std::sort(out.begin(), out.end());
    return out;
}

bool ReportList::isSelected(int i) const {
    return selectionModel()->isRowSelected(i, {});
}

void ReportList::setSelected(int i, bool on) {
    if (i < 0 || i >= count()) {
        return;
    }
    selectionModel()->select(model_.index(i, 0),
                             (on ? QItemSelectionModel::Select : QItemSelectionModel::Deselect) |
                                 QItemSelectionModel::Rows);
}

void ReportList::selectOnly(int i) {
    if (i < 0 || i >= count()) {
        selectionModel()->clearSelection();
        return;
    }
    selectionModel()->setCurrentIndex(
        model_.index(i, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ReportList::scrollToRow(int i) {
    if (i >= 0 && i < count()) {
        scrollTo(model_.index(i, 0));
    }
}

void ReportList::clickColumn(int column) {
    model_.sortBy(column);
    Q_EMIT columnClicked(column);
}

void ReportList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Q_EMIT rowActivated();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void ReportList::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    Q_EMIT rowActivated();
}

}  // namespace widgets
