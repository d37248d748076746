// The row set of a table dataset: building it from the link, the filter and
// the order, keeping it current, and reading the current row.
#include <algorithm>
#include <charconv>

#include "engine/table_impl.h"
#include "engine/tabledef_codec.h"
#include "platform/files.h"

namespace engine {

using detail::Cell;
using detail::quoteIdent;
using detail::Stmt;
using detail::StmtUse;

namespace {

const Cell& nullCell() {
    static const Cell blank;
    return blank;
}

bool sameCells(const std::vector<Cell>& a, const std::vector<Cell>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].kind != b[i].kind || a[i].i != b[i].i || a[i].d != b[i].d ||
            a[i].bytes != b[i].bytes) {
            return false;
        }
    }
    return true;
}

bool isBlob(FieldType type) {
    return type == FieldType::Memo || type == FieldType::Graphic;
}

std::string numberKey(double value) {
    char buffer[40];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return "n" + std::string(buffer, result.ptr);
}

// A link value as a key: numbers by value, whatever their storage class.
std::string linkKey(const Cell& cell) {
    switch (cell.kind) {
        case Cell::Kind::Integer:
            return numberKey(static_cast<double>(cell.i));
        case Cell::Kind::Real:
            return numberKey(cell.d);
        case Cell::Kind::Null:
            return "z";
        default:
            return "t" + cell.bytes;
    }
}

// Rows fetched together when the cursor reaches a row not yet read.
constexpr size_t kWindow = 32;

}  // namespace

bool Table::Impl::editing() const {
    return self.state_ == State::Edit || self.state_ == State::Insert;
}

bool Table::Impl::linked() const {
    return self.master_ != nullptr && linkNamed;
}

void Table::Impl::checkOpen() const {
    if (!isOpen()) {
        throw Error("Cannot perform this operation on a closed dataset: " + self.name_);
    }
}

void Table::Impl::checkWritable() const {
    checkOpen();
    if (self.readOnly_) {
        throw Error("Cannot modify a read-only dataset: " + self.name_);
    }
}

int Table::Impl::fieldPos(const std::string& name) const {
    auto it = fieldIndex.find(detail::upperAscii(name));
    return it == fieldIndex.end() ? -1 : it->second;
}

Stmt& Table::Impl::statement(const std::string& sql) {
    auto it = statements.find(sql);
    if (it != statements.end()) {
        return it->second;
    }
    if (statements.size() >= 64) {
        statements.clear();  // filters come and go; keep the cache small
    }
    return statements.emplace(sql, Stmt(db->handle(), sql)).first->second;
}

void Table::Impl::resolveOrder() {
    std::vector<int> fields;
    std::vector<bool> noCase;
    auto addFields = [&](const std::vector<std::string>& names, bool folded) {
        for (const auto& n : names) {
            int p = fieldPos(n);
            if (p < 0) {
                throw Error("Field '" + platform::printable(n) + "' not found in table " +
                            def.name);
            }
            if (isBlob(def.fields[static_cast<size_t>(p)].type)) {
                throw Error("Field '" + n + "' cannot be an index field");
            }
            fields.push_back(p);
            noCase.push_back(folded &&
                             def.fields[static_cast<size_t>(p)].type == FieldType::String);
        }
    };
    if (!self.indexFieldNames_.empty()) {
        auto names = detail::splitFieldList(self.indexFieldNames_);
        // Order like the index with exactly these fields, when there is one.
        bool folded = false;
        for (const auto& index : def.indexes) {
            bool same = index.fields.size() == names.size();
            for (size_t i = 0; same && i < names.size(); ++i) {
                same = detail::equalsNoCase(index.fields[i], names[i]);
            }
            if (same) {
                folded = index.caseInsensitive;
                break;
            }
        }
        addFields(names, folded);
    } else if (!self.indexName_.empty()) {
        const IndexDef* index = detail::findIndex(def, self.indexName_);
        if (index == nullptr) {
            throw Error("Index not found: " + self.indexName_ + " (table " + def.name + ")");
        }
        addFields(index->fields, index->caseInsensitive);
    } else {
        addFields(def.primaryKey, false);
    }
    orderFields = std::move(fields);
    orderNoCase = std::move(noCase);
}

void Table::Impl::resolveLink() {
    linkFields.clear();
    linkMasterFields.clear();
    if (!linked()) {
        return;
    }
    auto names = detail::splitFieldList(self.masterFields_);
    if (names.size() > orderFields.size()) {
        throw Error("Table " + self.name_ + ": the link names " + std::to_string(names.size()) +
                    " master fields but the active index has " +
                    std::to_string(orderFields.size()) + " fields");
    }
    const Impl& m = *self.master_->impl_;
    if (m.isOpen()) {
        for (const auto& n : names) {
            if (m.fieldPos(n) < 0) {
                throw Error("Field '" + platform::printable(n) + "' not found in master " +
                            self.master_->name_);
            }
        }
    }
    linkFields.assign(orderFields.begin(), orderFields.begin() + static_cast<long>(names.size()));
    linkMasterFields = std::move(names);
}

void Table::Impl::compileFilter() {
    if (filterTree) {
        filterSql = detail::compileFilter(*filterTree, def, self.caseInsensitive_);
    } else {
        filterSql = {};
    }
}

void Table::Impl::markStale(Pending what) {
    linkCache.clear();  // filter, order or link changed
    if (what > pending) {
        pending = what;
    }
}

std::vector<Cell> Table::Impl::masterValues(bool& empty) {
    std::vector<Cell> values;
    Impl& m = *self.master_->impl_;
    empty = !m.isOpen();
    if (empty) {
        return values;
    }
    m.ensureRows();
    if (m.rows.empty() && self.master_->state_ != State::Insert) {
        empty = true;
        return values;
    }
    for (size_t i = 0; i < linkMasterFields.size(); ++i) {
        int p = m.fieldPos(linkMasterFields[i]);
        if (p < 0) {
            throw Error("Field '" + linkMasterFields[i] + "' not found in master " +
                        self.master_->name_);
        }
        try {
            values.push_back(
                detail::convertCell(def.fields[static_cast<size_t>(linkFields[i])], m.cell(p)));
        } catch (const Error&) {
            // A master value that no detail field can hold matches no row.
            empty = true;
        }
    }
    return values;
}

void Table::Impl::ensureRows() {
    if (!isOpen() || editing()) {
        return;
    }
    Pending need = pending;
    bool changed = db->changeCount() != seenChange;
    if (changed) {
        markStale(Pending::KeepCurrent);
        need = pending;
    }
    if (linked()) {
        Impl& m = *self.master_->impl_;
        m.ensureRows();
        if (m.moves != seenMasterMoves) {
            need = Pending::First;
        } else if (changed && need != Pending::First) {
            bool empty = false;
            auto values = masterValues(empty);
            if (!sameCells(values, linkValues)) {
                need = Pending::First;
            }
        }
    }
    if (need != Pending::None) {
        requery(need == Pending::KeepCurrent);
    }
}

std::optional<long long> Table::Impl::currentRowid() const {
    if (rows.empty()) {
        return std::nullopt;
    }
    return rows[pos];
}

std::string Table::Impl::orderBy() const {
    std::string sql = " ORDER BY ";
    for (size_t i = 0; i < orderFields.size(); ++i) {
        sql += quoteIdent(def.fields[static_cast<size_t>(orderFields[i])].name) +
               (orderNoCase[i] ? " COLLATE NOCASE, " : ", ");
    }
    return sql + "rowid";
}

bool Table::Impl::batchableLink() const {
    return linkFields.size() == 1 && !orderNoCase[0];
}

// The rows for the master's current link value, and for the values of the
// master rows that follow it (already in the master's row cache), in one
// statement; kept by value so that walking the master costs no statement
// per row.
void Table::Impl::fetchLinkWindow(const Cell& current) {
    const FieldDef& field = def.fields[static_cast<size_t>(linkFields[0])];
    std::vector<Cell> keys{current};
    std::vector<std::string> keyTexts{linkKey(current)};
    Impl& m = *self.master_->impl_;
    int masterField = m.fieldPos(linkMasterFields[0]);
    std::vector<long long> upcoming;
    if (masterField >= 0 && self.master_->state_ == State::Browse) {
        m.upcomingRows(upcoming, kWindow);
    }
    for (long long rowid : upcoming) {
        if (keys.size() >= kWindow) {
            break;
        }
        auto it = m.rowCache.find(rowid);
        if (it == m.rowCache.end()) {
            break;
        }
        Cell value;
        try {
            value = detail::convertCell(field, it->second.cells[static_cast<size_t>(masterField)]);
        } catch (const Error&) {
            continue;  // matches no row; its own query says so
        }
        std::string text = linkKey(value);
        if (value.isNull() || std::find(keyTexts.begin(), keyTexts.end(), text) != keyTexts.end()) {
            continue;
        }
        keys.push_back(std::move(value));
        keyTexts.push_back(std::move(text));
    }
    if (linkCache.size() > 16 * kWindow) {
        linkCache.clear();
    }
    for (const auto& text : keyTexts) {
        linkCache[text].clear();
    }
    std::string marks;
    for (size_t i = 0; i < kWindow; ++i) {
        marks += i ? ", ?" : "?";
    }
    std::string col = quoteIdent(field.name);
    std::string sql = "SELECT rowid, " + col + ", " + rowColumns + " FROM " + quoteIdent(def.name) +
                      " WHERE " + col + " IN (" + marks + ")";
    bool filter = self.filtered_ && filterTree;
    if (filter) {
        sql += " AND " + filterSql.sql;
    }
    syncRowCache();
    Stmt& stmt = statement(sql + orderBy());
    StmtUse use(stmt);
    for (size_t i = 0; i < kWindow; ++i) {
        detail::bindCell(stmt, static_cast<int>(i + 1), i < keys.size() ? keys[i] : keys[0]);
    }
    if (filter) {
        for (size_t i = 0; i < filterSql.params.size(); ++i) {
            detail::bindCell(stmt, static_cast<int>(kWindow + i + 1), filterSql.params[i]);
        }
    }
    while (stmt.step()) {
        long long rowid = stmt.columnInt(0);
        linkCache[linkKey(detail::readCell(stmt, 1))].push_back(rowid);
        if (rowCache.size() < 64 * kWindow) {
            readRowValues(stmt, 2, rowCache[rowid]);
        }
    }
}

// Rows that become current next when walking forward, as far as the caches
// know them: the rows after the cursor, then (for a detail) the cached rows
// for the values of its master's next rows.
void Table::Impl::upcomingRows(std::vector<long long>& out, size_t limit) {
    if (!isOpen() || rowCacheChange != db->changeCount()) {
        return;
    }
    for (size_t p = pos + 1; p < rows.size() && out.size() < limit; ++p) {
        out.push_back(rows[p]);
    }
    if (out.size() >= limit || !linked() || !batchableLink() ||
        linkCacheChange != db->changeCount() || self.master_->state_ != State::Browse) {
        return;
    }
    Impl& m = *self.master_->impl_;
    int masterField = m.fieldPos(linkMasterFields[0]);
    if (masterField < 0) {
        return;
    }
    std::vector<long long> masterNext;
    m.upcomingRows(masterNext, limit);
    const FieldDef& field = def.fields[static_cast<size_t>(linkFields[0])];
    for (long long rowid : masterNext) {
        auto cached = m.rowCache.find(rowid);
        if (cached == m.rowCache.end()) {
            return;
        }
        Cell value;
        try {
            value =
                detail::convertCell(field, cached->second.cells[static_cast<size_t>(masterField)]);
        } catch (const Error&) {
            continue;
        }
        auto set = linkCache.find(linkKey(value));
        if (set == linkCache.end()) {
            return;
        }
        for (long long r : set->second) {
            if (out.size() >= limit) {
                return;
            }
            out.push_back(r);
        }
    }
}

void Table::Impl::requery(bool keepCurrent, std::optional<long long> target) {
    auto old = currentRowid();
    size_t oldPos = pos;
    if (!target) {
        target = old;
    }
    std::vector<std::string> conditions;
    std::vector<Cell> params;
    bool empty = false;
    bool served = false;
    std::vector<Cell> values;
    rows.clear();
    if (linked()) {
        values = masterValues(empty);
        if (!empty && batchableLink() && !values[0].isNull()) {
            if (linkCacheChange != db->changeCount()) {
                linkCache.clear();
                linkCacheChange = db->changeCount();
            }
            auto it = linkCache.find(linkKey(values[0]));
            if (it == linkCache.end()) {
                fetchLinkWindow(values[0]);
                it = linkCache.find(linkKey(values[0]));
            }
            rows = it->second;
            served = true;
        }
        for (size_t i = 0; !served && !empty && i < linkFields.size(); ++i) {
            const FieldDef& f = def.fields[static_cast<size_t>(linkFields[i])];
            std::string col = quoteIdent(f.name);
            if (values[i].isNull()) {
                conditions.push_back(col + " IS NULL");
                continue;
            }
            bool folded = orderNoCase[i];
            conditions.push_back(col + " = ?" + (folded ? " COLLATE NOCASE" : ""));
            params.push_back(values[i]);
        }
    }
    if (self.filtered_ && filterTree) {
        conditions.push_back(filterSql.sql);
        params.insert(params.end(), filterSql.params.begin(), filterSql.params.end());
    }
    if (!empty && !served) {
        // A detail's rows are few: their small fields come with the row set.
        bool prefetch = linked();
        std::string sql = "SELECT rowid" + (prefetch ? ", " + rowColumns : std::string()) +
                          " FROM " + quoteIdent(def.name);
        for (size_t i = 0; i < conditions.size(); ++i) {
            sql += (i == 0 ? " WHERE " : " AND ") + conditions[i];
        }
        if (prefetch) {
            syncRowCache();
        }
        Stmt& stmt = statement(sql + orderBy());
        StmtUse use(stmt);
        for (size_t i = 0; i < params.size(); ++i) {
            detail::bindCell(stmt, static_cast<int>(i + 1), params[i]);
        }
        while (stmt.step()) {
            long long rowid = stmt.columnInt(0);
            rows.push_back(rowid);
            if (prefetch && rows.size() <= kWindow) {
                readRowValues(stmt, 1, rowCache[rowid]);
            }
        }
    }
    seenChange = db->changeCount();
    if (linked()) {
        seenMasterMoves = self.master_->impl_->moves;
        linkValues = std::move(values);
    }
    pending = Pending::None;

    pos = 0;
    if (keepCurrent && !rows.empty() && target) {
        auto it = std::find(rows.begin(), rows.end(), *target);
        pos = it != rows.end() ? static_cast<size_t>(it - rows.begin())
                               : std::min(oldPos, rows.size() - 1);
    }
    if (rows.empty()) {
        eofFlag = bofFlag = true;
    } else if (keepCurrent) {
        eofFlag = bofFlag = false;
    } else {
        bofFlag = true;
        eofFlag = false;
    }
    if (!keepCurrent || currentRowid() != old) {
        ++moves;
    }
}

void Table::Impl::moveTo(size_t newPos) {
    if (newPos == pos || rows.empty()) {
        return;
    }
    pos = newPos;
    ++moves;
    notify(Event::RecordChanged);
}

void Table::Impl::syncRowCache() {
    if (rowCacheChange != db->changeCount()) {
        rowCache.clear();
        rowCacheChange = db->changeCount();
    }
}

void Table::Impl::readRowValues(const Stmt& stmt, int firstColumn, RowValues& out) const {
    size_t n = def.fields.size();
    out.cells.assign(n, Cell());
    out.blobSizes.assign(n, -1);
    for (size_t i = 0; i < n; ++i) {
        int col = firstColumn + static_cast<int>(i);
        if (isBlob(def.fields[i].type)) {
            out.blobSizes[i] = stmt.columnType(col) == SQLITE_NULL ? -1 : stmt.columnInt(col);
        } else {
            out.cells[i] = detail::readCell(stmt, col);
        }
    }
}

// Fetches the small fields of the current row and of the rows after it.
void Table::Impl::fetchWindow() {
    if (rowCache.size() > 8 * kWindow) {
        rowCache.clear();
    }
    std::vector<long long> wanted;
    for (size_t p = pos; p < rows.size() && wanted.size() < kWindow; ++p) {
        if (rowCache.count(rows[p]) == 0) {
            wanted.push_back(rows[p]);
        }
    }
    // One statement text for every window: the list is padded with its first rowid.
    std::string marks;
    for (size_t i = 0; i < kWindow; ++i) {
        marks += i ? ", ?" : "?";
    }
    Stmt& stmt = statement("SELECT rowid, " + rowColumns + " FROM " + quoteIdent(def.name) +
                           " WHERE rowid IN (" + marks + ")");
    StmtUse use(stmt);
    for (size_t i = 0; i < kWindow; ++i) {
        stmt.bindInt(static_cast<int>(i + 1), i < wanted.size() ? wanted[i] : wanted.front());
    }
    while (stmt.step()) {
        readRowValues(stmt, 1, rowCache[stmt.columnInt(0)]);
    }
}

void Table::Impl::loadRow() {
    long long rowid = rows[pos];
    syncRowCache();
    auto it = rowCache.find(rowid);
    if (it == rowCache.end()) {
        fetchWindow();
        it = rowCache.find(rowid);
    }
    size_t n = def.fields.size();
    if (it != rowCache.end()) {
        cells = it->second.cells;
        blobSizes = it->second.blobSizes;
    } else {  // deleted meanwhile: a blank row
        cells.assign(n, Cell());
        blobSizes.assign(n, -1);
    }
    blobLoaded.assign(n, false);
    cachedRowid = rowid;
    cachedChange = db->changeCount();
    cacheValid = true;
}

const Cell& Table::Impl::cell(int index) {
    checkOpen();
    if (editing()) {
        auto it = editBuffer.find(index);
        if (it != editBuffer.end()) {
            return it->second;
        }
        if (self.state_ == State::Insert) {
            return nullCell();
        }
    }
    ensureRows();
    if (rows.empty()) {
        return nullCell();
    }
    if (!cacheValid || cachedRowid != rows[pos] || cachedChange != db->changeCount()) {
        loadRow();
    }
    size_t i = static_cast<size_t>(index);
    if (isBlob(def.fields[i].type) && !blobLoaded[i]) {
        if (blobSizes[i] >= 0) {
            Stmt& stmt = statement("SELECT " + quoteIdent(def.fields[i].name) + " FROM " +
                                   quoteIdent(def.name) + " WHERE rowid = ?");
            StmtUse use(stmt);
            stmt.bindInt(1, cachedRowid);
            cells[i] = stmt.step() ? detail::readCell(stmt, 0) : Cell();
        }
        blobLoaded[i] = true;
    }
    return cells[i];
}

size_t Table::Impl::blobSize(int index) {
    checkOpen();
    size_t i = static_cast<size_t>(index);
    if (!isBlob(def.fields[i].type) || editing()) {
        return cell(index).bytes.size();
    }
    ensureRows();
    if (rows.empty()) {
        return 0;
    }
    if (!cacheValid || cachedRowid != rows[pos] || cachedChange != db->changeCount()) {
        loadRow();
    }
    return blobSizes[i] < 0 ? 0 : static_cast<size_t>(blobSizes[i]);
}

void Table::Impl::notify(Event event) {
    std::vector<int> ids;
    ids.reserve(listeners.size());
    for (const auto& entry : listeners) {
        ids.push_back(entry.first);
    }
    for (int id : ids) {
        auto it = listeners.find(id);
        if (it != listeners.end()) {
            Listener listener = it->second;  // the listener may remove itself
            listener(self, event);
        }
    }
    auto followers = details;
    for (Table* detail : followers) {
        if (std::find(details.begin(), details.end(), detail) != details.end()) {
            detail->impl_->masterEvent(event);
        }
    }
}

void Table::Impl::masterEvent(Event event) {
    bool moved = event == Event::Opened || event == Event::Closed ||
                 event == Event::DataSetChanged || event == Event::RecordChanged;
    if (moved && linked() && isOpen()) {
        notify(Event::DataSetChanged);
    }
}

void Table::Impl::postIfEditing() {
    if (editing()) {
        self.post();
    }
}

}  // namespace engine
