// Table datasets: configuration, opening, the cursor and editing.
#include "engine/table.h"

#include <algorithm>
#include <filesystem>

#include "engine/session.h"
#include "engine/table_impl.h"
#include "engine/tabledef_codec.h"
#include "platform/files.h"

namespace engine {

using detail::Cell;
using detail::quoteIdent;
using detail::Stmt;
using detail::StmtUse;

Table::Table(Session& session, std::string name)
    : impl_(std::make_unique<Impl>(*this)), session_(session), name_(std::move(name)) {}

Table::~Table() {
    if (master_ != nullptr) {
        std::erase(master_->impl_->details, this);
    }
    for (Table* detail : impl_->details) {
        detail->master_ = nullptr;
        detail->impl_->linkFields.clear();
        detail->impl_->markStale(Impl::Pending::First);
    }
    if (impl_->isOpen()) {
        impl_->statements.clear();
        --impl_->db->users_;
    }
}

namespace {

void requireClosed(const Table& table, const char* what) {
    if (table.active()) {
        throw Error(std::string("Cannot change ") + what + " of an open dataset: " + table.name());
    }
}

}  // namespace

void Table::setDatabaseName(const std::string& alias) {
    requireClosed(*this, "the database");
    alias_ = alias;
}

void Table::setTableName(const std::string& table) {
    requireClosed(*this, "the table name");
    table_ = table;
}

void Table::setReadOnly(bool readOnly) {
    requireClosed(*this, "read-only");
    readOnly_ = readOnly;
}

void Table::setFilePath(const std::string& path) {
    requireClosed(*this, "the table file");
    filePath_ = path;
}

bool Table::active() const {
    return impl_->isOpen();
}

void Table::open() {
    if (impl_->isOpen()) {
        return;
    }
    Impl& im = *impl_;
    Database* db = nullptr;
    std::string tableName = table_;
    if (!filePath_.empty()) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(filePath_, ec)) {
            throw Error("Table file not found: " + platform::printable(filePath_));
        }
        im.ownDb = Database::openFile(filePath_, &session_, readOnly_ || session_.readOnly());
        db = im.ownDb.get();
        if (tableName.empty()) {
            auto names = db->tableNames();
            if (names.size() != 1) {
                im.ownDb.reset();
                throw Error("The file " + platform::printable(filePath_) +
                            " does not hold exactly one table");
            }
            tableName = names.front();
        }
    } else {
        if (alias_.empty()) {
            throw Error("No database given for dataset " + name_);
        }
        db = &session_.database(alias_);
    }
    try {
        im.def = db->tableDef(tableName);
        db->checkStored(im.def);
        im.fieldIndex.clear();
        for (size_t i = 0; i < im.def.fields.size(); ++i) {
            im.fieldIndex[detail::upperAscii(im.def.fields[i].name)] = static_cast<int>(i);
        }
        im.db = db;
        im.rowColumns.clear();
        for (const auto& f : im.def.fields) {
            std::string col = quoteIdent(f.name);
            bool large = f.type == FieldType::Memo || f.type == FieldType::Graphic;
            // length() of a blob reads its size without loading its bytes.
            im.rowColumns +=
                (im.rowColumns.empty() ? "" : ", ") + (large ? "length(" + col + ")" : col);
        }
        im.rowCache.clear();
        im.linkCache.clear();
        im.resolveOrder();
        im.resolveLink();
        im.compileFilter();
        im.editBuffer.clear();
        im.invalidateCache();
        im.requery(false);
    } catch (const Error&) {
        im.statements.clear();
        im.db = nullptr;
        im.ownDb.reset();
        throw;
    }
    ++db->users_;
    state_ = State::Browse;
    ++im.moves;
    im.notify(Event::Opened);
}

void Table::close() {
    Impl& im = *impl_;
    if (!im.isOpen()) {
        return;
    }
    im.editBuffer.clear();  // an edit in progress is dropped, as on cancel
    im.statements.clear();
    im.rows.clear();
    im.rowCache.clear();
    im.linkCache.clear();
    im.pos = 0;
    im.eofFlag = im.bofFlag = true;
    im.invalidateCache();
    --im.db->users_;
    im.db = nullptr;
    im.ownDb.reset();
    im.pending = Impl::Pending::First;
    state_ = State::Inactive;
    ++im.moves;
    im.notify(Event::Closed);
}

// --- order -----------------------------------------------------------------

void Table::setIndexName(const std::string& index) {
    if (index == indexName_ && indexFieldNames_.empty()) {
        return;
    }
    impl_->setOrder(index, {});
}

void Table::setIndexFieldNames(const std::string& fields) {
    if (fields == indexFieldNames_ && (indexName_.empty() || !fields.empty())) {
        return;
    }
    impl_->setOrder({}, fields);
}

void Table::Impl::setOrder(const std::string& index, const std::string& fields) {
    postIfEditing();
    const std::string oldName = self.indexName_;
    const std::string oldFields = self.indexFieldNames_;
    // By value: the new settings may be one of the old ones.
    auto assign = [this](std::string name, std::string names) {
        self.indexName_ = std::move(name);
        self.indexFieldNames_ = std::move(names);
    };
    reconfigure([&] { assign(index, fields); }, [&] { assign(oldName, oldFields); },
                Pending::KeepCurrent);
}

std::vector<std::string> Table::activeIndexFields() const {
    std::vector<std::string> names;
    if (impl_->isOpen()) {
        for (int p : impl_->orderFields) {
            names.push_back(impl_->def.fields[static_cast<size_t>(p)].name);
        }
        return names;
    }
    if (!indexFieldNames_.empty()) {
        return detail::splitFieldList(indexFieldNames_);
    }
    const TableDef& def = definition();
    if (indexName_.empty()) {
        return def.primaryKey;
    }
    const IndexDef* index = detail::findIndex(def, indexName_);
    if (index == nullptr) {
        throw Error("Index not found: " + indexName_ + " (table " + def.name + ")");
    }
    return index->fields;
}

// --- master/detail -----------------------------------------------------------

namespace {

// Whether linking `detail` to `master` would close a circle of active links.
bool closesCircle(const Table* detail, const Table* master) {
    for (const Table* t = master; t != nullptr;
         t = detail::splitFieldList(t->masterFields()).empty() ? nullptr : t->masterSource()) {
        if (t == detail) {
            return true;
        }
    }
    return false;
}

}  // namespace

void Table::setMasterSource(Table* master) {
    if (master == master_) {
        return;
    }
    bool linking = !detail::splitFieldList(masterFields_).empty();
    if (master == this || (linking && closesCircle(this, master))) {
        throw Error("Circular master/detail link on dataset " + name_);
    }
    impl_->postIfEditing();
    Table* old = master_;
    auto relink = [this](Table* from, Table* to) {
        if (from != nullptr) {
            std::erase(from->impl_->details, this);
        }
        master_ = to;
        if (to != nullptr) {
            to->impl_->details.push_back(this);
        }
    };
    impl_->reconfigure([&] { relink(old, master); }, [&] { relink(master, old); },
                       Impl::Pending::First);
}

void Table::setMasterFields(const std::string& fields) {
    if (fields == masterFields_) {
        return;
    }
    if (!detail::splitFieldList(fields).empty() && closesCircle(this, master_)) {
        throw Error("Circular master/detail link on dataset " + name_);
    }
    impl_->postIfEditing();
    std::string old = masterFields_;
    auto assign = [this](const std::string& value) {
        masterFields_ = value;
        impl_->linkNamed = !detail::splitFieldList(value).empty();
    };
    impl_->reconfigure([&] { assign(fields); }, [&] { assign(old); }, Impl::Pending::First);
}

// --- filter ------------------------------------------------------------------

void Table::setFilter(const std::string& text) {
    Impl& im = *impl_;
    auto tree = detail::parseFilter(text);
    detail::SqlCondition sql;
    if (im.isOpen() && tree) {
        sql = detail::compileFilter(*tree, im.def, caseInsensitive_);
    }
    im.postIfEditing();
    filterText_ = text;
    im.filterTree = std::move(tree);
    im.filterSql = std::move(sql);
    if (im.isOpen() && filtered_) {
        im.markStale(Impl::Pending::First);
        im.notify(Event::DataSetChanged);
    }
}

void Table::setFiltered(bool on) {
    Impl& im = *impl_;
    im.postIfEditing();
    filtered_ = on;
    if (im.isOpen()) {
        im.markStale(Impl::Pending::First);
        im.notify(Event::DataSetChanged);
    }
}

void Table::setFilterCaseInsensitive(bool on) {
    if (on == caseInsensitive_) {
        return;
    }
    Impl& im = *impl_;
    im.postIfEditing();
    caseInsensitive_ = on;
    if (im.isOpen()) {
        im.compileFilter();
        if (filtered_) {
            im.markStale(Impl::Pending::First);
            im.notify(Event::DataSetChanged);
        }
    }
}

// --- cursor ------------------------------------------------------------------

void Table::first() {
    Impl& im = *impl_;
    im.checkOpen();
    im.postIfEditing();
    im.ensureRows();
    im.bofFlag = true;
    im.eofFlag = im.rows.empty();
    im.moveTo(0);
}

void Table::last() {
    Impl& im = *impl_;
    im.checkOpen();
    im.postIfEditing();
    im.ensureRows();
    im.eofFlag = true;
    im.bofFlag = im.rows.empty();
    if (!im.rows.empty()) {
        im.moveTo(im.rows.size() - 1);
    }
}

void Table::next() {
    moveBy(1);
}

void Table::prior() {
    moveBy(-1);
}

int Table::moveBy(int distance) {
    Impl& im = *impl_;
    im.checkOpen();
    im.postIfEditing();
    im.ensureRows();
    if (im.rows.empty()) {
        im.eofFlag = im.bofFlag = true;
        return 0;
    }
    if (distance == 0) {
        return 0;
    }
    long long last = static_cast<long long>(im.rows.size()) - 1;
    long long from = static_cast<long long>(im.pos);
    long long target = from + distance;
    if (distance > 0) {
        im.eofFlag = target > last;
        im.bofFlag = false;
        target = std::min(target, last);
    } else {
        im.bofFlag = target < 0;
        im.eofFlag = false;
        target = std::max(target, 0LL);
    }
    im.moveTo(static_cast<size_t>(target));
    return static_cast<int>(target - from);
}

bool Table::eof() const {
    if (!impl_->isOpen()) {
        return true;
    }
    impl_->ensureRows();
    return impl_->eofFlag;
}

bool Table::bof() const {
    if (!impl_->isOpen()) {
        return true;
    }
    impl_->ensureRows();
    return impl_->bofFlag;
}

bool Table::isEmpty() const {
    if (!impl_->isOpen()) {
        return true;
    }
    impl_->ensureRows();
    return impl_->rows.empty() && state_ != State::Insert;
}

int Table::recordCount() const {
    if (!impl_->isOpen()) {
        return 0;
    }
    impl_->ensureRows();
    return static_cast<int>(impl_->rows.size());
}

int Table::recNo() const {
    if (!impl_->isOpen()) {
        return 0;
    }
    impl_->ensureRows();
    return impl_->rows.empty() ? 0 : static_cast<int>(impl_->pos) + 1;
}

void Table::refresh() {
    Impl& im = *impl_;
    im.checkOpen();
    im.postIfEditing();
    if (im.pending == Impl::Pending::First) {
        im.ensureRows();
    } else {
        im.requery(true);
    }
    im.notify(Event::DataSetChanged);
}

// --- fields ------------------------------------------------------------------

const TableDef& Table::definition() const {
    if (impl_->isOpen()) {
        return impl_->def;
    }
    if (!filePath_.empty() || alias_.empty()) {
        throw Error("Cannot perform this operation on a closed dataset: " + name_);
    }
    return session_.database(alias_).tableDef(table_);
}

int Table::fieldCount() const {
    return static_cast<int>(definition().fields.size());
}

Field Table::field(int index) const {
    if (index < 0 || index >= fieldCount()) {
        throw Error("Field index out of range: " + std::to_string(index) + " (dataset " + name_ +
                    ")");
    }
    return Field(this, index);
}

std::optional<Field> Table::findField(const std::string& name) const {
    int p = impl_->isOpen() ? impl_->fieldPos(name) : detail::findFieldIndex(definition(), name);
    if (p < 0) {
        return std::nullopt;
    }
    return Field(this, p);
}

Field Table::fieldByName(const std::string& name) const {
    auto f = findField(name);
    if (!f) {
        throw Error("Field '" + platform::printable(name) + "' not found (dataset " + name_ + ")");
    }
    return *f;
}

Database& Table::database() const {
    impl_->checkOpen();
    return *impl_->db;
}

// --- editing -----------------------------------------------------------------

void Table::append() {
    Impl& im = *impl_;
    im.checkWritable();
    im.postIfEditing();
    im.editBuffer.clear();
    state_ = State::Insert;
    ++im.moves;
    im.notify(Event::StateChanged);
}

void Table::edit() {
    Impl& im = *impl_;
    im.checkWritable();
    if (im.editing()) {
        return;
    }
    im.ensureRows();
    if (im.rows.empty()) {
        append();  // editing an empty dataset starts a new row
        return;
    }
    im.editBuffer.clear();
    state_ = State::Edit;
    im.notify(Event::StateChanged);
}

void Table::post() {
    Impl& im = *impl_;
    im.checkWritable();
    if (!im.editing()) {
        throw Error("Dataset not in edit or insert mode: " + name_);
    }
    sqlite3* handle = im.db->handle();
    std::string table = quoteIdent(im.def.name);
    long long rowid = 0;
    std::string sql;
    std::vector<const Cell*> values;
    if (state_ == State::Insert) {
        std::string cols, marks;
        for (const auto& [index, cell] : im.editBuffer) {
            cols += (cols.empty() ? "" : ", ") +
                    quoteIdent(im.def.fields[static_cast<size_t>(index)].name);
            marks += marks.empty() ? "?" : ", ?";
            values.push_back(&cell);
        }
        sql = cols.empty() ? "INSERT INTO " + table + " DEFAULT VALUES"
                           : "INSERT INTO " + table + " (" + cols + ") VALUES (" + marks + ")";
    } else {
        rowid = im.rows[im.pos];
        std::string sets;
        for (const auto& [index, cell] : im.editBuffer) {
            sets += (sets.empty() ? "" : ", ") +
                    quoteIdent(im.def.fields[static_cast<size_t>(index)].name) + " = ?";
            values.push_back(&cell);
        }
        if (!sets.empty()) {
            sql = "UPDATE " + table + " SET " + sets + " WHERE rowid = ?";
        }
    }
    if (!sql.empty()) {
        Stmt& stmt = im.statement(sql);
        StmtUse use(stmt);
        int n = 1;
        for (const Cell* cell : values) {
            detail::bindCell(stmt, n++, *cell);
        }
        if (state_ == State::Edit) {
            stmt.bindInt(n, rowid);
        }
        int rc = stmt.stepRc();
        if (rc != SQLITE_DONE) {
            std::string message = detail::errorText(handle);
            throw Error("Cannot post the row of " + name_ + ": " + message);
        }
        if (state_ == State::Insert) {
            rowid = sqlite3_last_insert_rowid(handle);
        }
        im.db->noteChange();
    }
    im.editBuffer.clear();
    state_ = State::Browse;
    im.requery(true, rowid);
    ++im.moves;
    im.notify(Event::StateChanged);
    im.notify(Event::DataSetChanged);
}

void Table::cancel() {
    Impl& im = *impl_;
    if (!im.editing()) {
        return;
    }
    im.editBuffer.clear();
    state_ = State::Browse;
    ++im.moves;
    im.notify(Event::StateChanged);
    im.notify(Event::RecordChanged);
}

void Table::deleteRecord() {
    Impl& im = *impl_;
    im.checkWritable();
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    bool wasEditing = state_ == State::Edit;
    im.editBuffer.clear();
    state_ = State::Browse;
    im.ensureRows();
    if (im.rows.empty()) {
        if (wasEditing) {
            im.notify(Event::StateChanged);
        }
        throw Error("Cannot perform this operation on an empty dataset: " + name_);
    }
    long long rowid = im.rows[im.pos];
    Stmt& stmt = im.statement("DELETE FROM " + quoteIdent(im.def.name) + " WHERE rowid = ?");
    {
        StmtUse use(stmt);
        stmt.bindInt(1, rowid);
        if (stmt.stepRc() != SQLITE_DONE) {
            std::string message = detail::errorText(im.db->handle());
            throw Error("Cannot delete the row of " + name_ + ": " + message);
        }
    }
    im.db->noteChange();
    im.requery(true, rowid);  // the row after the deleted one takes its place
    ++im.moves;
    if (wasEditing) {
        im.notify(Event::StateChanged);
    }
    im.notify(Event::DataSetChanged);
}

// --- listeners ---------------------------------------------------------------

int Table::addListener(Listener listener) {
    int id = impl_->nextListenerId++;
    impl_->listeners.emplace(id, std::move(listener));
    return id;
}

void Table::removeListener(int id) {
    impl_->listeners.erase(id);
}

}  // namespace engine
