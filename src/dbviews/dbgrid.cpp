#include "dbviews/dbgrid.h"

#include <QHeaderView>

#include "engine/datasource.h"

namespace dbviews {
namespace {

// Sets a flag for a scope; restores the old value on the way out.
class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = old_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& flag_;
    bool old_;
};

}  // namespace

DBGrid::DBGrid(QWidget* parent)
    : QTableView(parent),
      link_([this](engine::Event event) { dataChanged(event); }),
      model_(new DBGridModel(this)) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->hide();
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { rowChosen(current); });
}

DBGrid::~DBGrid() {
    link_.setDataSource(nullptr);
}

void DBGrid::setDataSource(engine::DataSource* source) {
    if (link_.setDataSource(source)) {
        dataChanged(engine::Event::DataSetChanged);
    }
}

void DBGrid::setColumnHidden(int column, bool hide) {
    if (hide) {
        hidden_.insert(column);
    } else {
        hidden_.erase(column);
    }
    QTableView::setColumnHidden(column, hide);
}

void DBGrid::setColumnTitle(int column, const std::string& title) {
    model_->setColumnTitle(column, title);
}

void DBGrid::setReadOnly(bool readOnly) {
    model_->setReadOnly(readOnly);
    setEditTriggers(readOnly
                        ? QAbstractItemView::NoEditTriggers
                        : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                              QAbstractItemView::AnyKeyPressed);
}

int DBGrid::currentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void DBGrid::dataChanged(engine::Event event) {
    FlagScope scope(following_);
    switch (event) {
        case engine::Event::Opened:
        case engine::Event::Closed:
        case engine::Event::DataSetChanged: {
            // The source may point at another table by now.
            const bool reset = model_->table() != link_.table();
            if (reset) {
                model_->setTable(link_.table());
            }
            if (model_->refresh() || reset) {
                for (int column : hidden_) {
                    QTableView::setColumnHidden(column, true);
                }
            }
            break;
        }
        case engine::Event::StateChanged:
        case engine::Event::FieldChanged:
            model_->currentRowChanged();
            break;
        case engine::Event::RecordChanged:
            break;
    }
    followTable();
}

void DBGrid::followTable() {
    FlagScope scope(following_);
    engine::Table* table = link_.openTable();
    const int row = table != nullptr ? table->recNo() - 1 : -1;
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clear();
        return;
    }
    int column = currentIndex().isValid() ? currentIndex().column() : 0;
    while (column < model_->columnCount() - 1 && isColumnHidden(column)) {
        ++column;
    }
    const QModelIndex index = model_->index(row, column);
    if (index != currentIndex() || !selectionModel()->isRowSelected(row)) {
        selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    scrollTo(index);
}

void DBGrid::rowChosen(const QModelIndex& current) {
    engine::Table* table = link_.openTable();
    if (following_ || !current.isValid() || table == nullptr) {
        return;
    }
    try {
        // Post first: the edited row may take another place in the order.
        if (table->state() != engine::State::Browse) {
            table->post();
        }
        table->moveBy(current.row() + 1 - table->recNo());
    } catch (const engine::Error&) {
        followTable();  // the table stays where it was; so does the grid
        throw;
    }
    followTable();
}

}  // namespace dbviews
