#include "dbviews/dbgridmodel.h"

#include "platform/textconv.h"

namespace dbviews {
namespace {

bool sameFields(const std::vector<engine::FieldDef>& a, const std::vector<engine::FieldDef>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].type != b[i].type || a[i].size != b[i].size) {
            return false;
        }
    }
    return true;
}

QString cellText(const engine::Field& field) {
    const char* blob = nullptr;
    switch (field.type()) {
        case engine::FieldType::String:
        case engine::FieldType::Number:
            return platform::qs(field.asString());
        case engine::FieldType::Memo:
            blob = "(Memo)";
            break;
        case engine::FieldType::Graphic:
            blob = "(Graphic)";
            break;
    }
    // The size alone tells whether the field holds data; its bytes stay unread.
    QString text = QString::fromLatin1(blob);
    return field.dataSize() > 0 ? text.toUpper() : text;
}

}  // namespace

DBGridModel::DBGridModel(QObject* parent) : QAbstractTableModel(parent) {}

DBGridModel::~DBGridModel() = default;

void DBGridModel::setTable(engine::Table* table) {
    if (table == table_) {
        return;
    }
    beginResetModel();
    table_ = table;
    reader_.reset();
    fields_.clear();
    rows_ = 0;
    cache_.clear();
    endResetModel();
    refresh();
}

bool DBGridModel::refresh() {
    const bool open = table_ != nullptr && table_->active();
    const std::vector<engine::FieldDef> fields =
        open ? table_->definition().fields : std::vector<engine::FieldDef>();
    if (!sameFields(fields, fields_)) {
        beginResetModel();
        fields_ = fields;
        if (!open && reader_) {
            reader_->close();
        }
        syncReader();
        rows_ = open ? table_->recordCount() : 0;
        cache_.assign(static_cast<size_t>(rows_), {});
        endResetModel();
        return true;
    }
    if (!open) {
        if (reader_) {
            reader_->close();
        }
        return false;
    }
    syncReader();
    const int rows = table_->recordCount();
    if (rows > rows_) {
        beginInsertRows(QModelIndex(), rows_, rows - 1);
        rows_ = rows;
        cache_.resize(static_cast<size_t>(rows_));
        endInsertRows();
    } else if (rows < rows_) {
        beginRemoveRows(QModelIndex(), rows, rows_ - 1);
        rows_ = rows;
        cache_.resize(static_cast<size_t>(rows_));
        endRemoveRows();
    }
    cache_.assign(static_cast<size_t>(rows_), {});
    if (rows_ > 0 && !fields_.empty()) {
        Q_EMIT dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
    }
    return false;
}

// The reader takes the table's database, order, filter and link.
void DBGridModel::syncReader() {
    if (table_ == nullptr || !table_->active() || table_->databaseName().empty()) {
        return;
    }
    if (!reader_ || reader_->databaseName() != table_->databaseName() ||
        reader_->tableName() != table_->tableName()) {
        reader_ = std::make_unique<engine::Table>(table_->session(), table_->name() + " (grid)");
        reader_->setDatabaseName(table_->databaseName());
        reader_->setTableName(table_->tableName());
        reader_->setReadOnly(true);
    }
    engine::Table& r = *reader_;
    const engine::Table& t = *table_;
    if (!t.indexFieldNames().empty()) {
        r.setIndexFieldNames(t.indexFieldNames());
    } else {
        r.setIndexName(t.indexName());
    }
    if (r.masterSource() != t.masterSource() || r.masterFields() != t.masterFields()) {
        r.setMasterFields("");
        r.setMasterSource(t.masterSource());
        r.setMasterFields(t.masterFields());
    }
    r.setFilterCaseInsensitive(t.filterCaseInsensitive());
    if (r.filter() != t.filter()) {
        r.setFilter(t.filter());
    }
    if (r.filtered() != t.filtered()) {
        r.setFiltered(t.filtered());
    }
    r.open();
}

void DBGridModel::currentRowChanged() {
    const int row = currentIndex();
    if (row < 0 || row >= rows_ || fields_.empty()) {
        return;
    }
    cache_[static_cast<size_t>(row)].clear();
    Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void DBGridModel::setColumnTitle(int column, const std::string& title) {
    titles_[column] = title;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

int DBGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int DBGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fields_.size());
}

int DBGridModel::currentIndex() const {
    if (table_ == nullptr || !table_->active()) {
        return -1;
    }
    return table_->recNo() - 1;
}

const std::vector<QString>& DBGridModel::rowValues(int row) const {
    std::vector<QString>& values = cache_[static_cast<size_t>(row)];
    if (!values.empty()) {
        return values;
    }
    values.assign(fields_.size(), QString());
    if (reader_ && reader_->active()) {
        reader_->moveBy(row + 1 - reader_->recNo());
        if (reader_->recNo() == row + 1) {
            for (size_t c = 0; c < fields_.size(); ++c) {
                values[c] = cellText(reader_->field(static_cast<int>(c)));
            }
        }
    } else if (row == currentIndex()) {
        for (size_t c = 0; c < fields_.size(); ++c) {
            values[c] = cellText(table_->field(static_cast<int>(c)));
        }
    }
    return values;
}

QVariant DBGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ || index.column() >= columnCount() ||
        (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    // The edited row shows what is typed, not what is stored.
    if (table_->state() == engine::State::Edit && index.row() == currentIndex()) {
        return cellText(table_->field(index.column()));
    }
    return rowValues(index.row())[static_cast<size_t>(index.column())];
}

QVariant DBGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    auto title = titles_.find(section);
    if (title != titles_.end()) {
        return platform::qs(title->second);
    }
    if (section >= 0 && section < columnCount()) {
        return platform::qs(fields_[static_cast<size_t>(section)].name);
    }
    return {};
}

Qt::ItemFlags DBGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    const engine::FieldType type = fields_[static_cast<size_t>(index.column())].type;
    if (!readOnly_ && !table_->readOnly() &&
        (type == engine::FieldType::String || type == engine::FieldType::Number)) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

bool DBGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) || index.row() >= rows_) {
        return false;
    }
    engine::Table& t = *table_;
    if (index.row() != currentIndex()) {
        if (t.state() != engine::State::Browse) {
            t.post();
        }
        t.moveBy(index.row() - currentIndex());
    }
    if (t.state() == engine::State::Browse) {
        t.edit();
    }
    t.field(index.column()).setString(platform::ys(value.toString()));
    return true;
}

}  // namespace dbviews
