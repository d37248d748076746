#include "engine/batchmove.h"

#include <map>

#include "engine/session.h"
#include "engine/sqlite_util.h"
#include "engine/tabledef_codec.h"
#include "engine/value.h"

namespace engine {

using detail::Cell;
using detail::quoteIdent;
using detail::Stmt;
using detail::StmtUse;

namespace {

// Whether the destination's active index compares text with A-Z folded.
bool activeIndexFoldsCase(const Table& table, const TableDef& def) {
    if (!table.indexFieldNames().empty()) {
        auto names = detail::splitFieldList(table.indexFieldNames());
        for (const auto& index : def.indexes) {
            bool same = index.fields.size() == names.size();
            for (size_t i = 0; same && i < names.size(); ++i) {
                same = detail::equalsNoCase(index.fields[i], names[i]);
            }
            if (same) {
                return index.caseInsensitive;
            }
        }
        return false;
    }
    if (!table.indexName().empty()) {
        const IndexDef* index = detail::findIndex(def, table.indexName());
        return index != nullptr && index->caseInsensitive;
    }
    return false;
}

// Failures that belong to one record; anything else ends the move.
bool recordProblem(int rc) {
    return rc == SQLITE_CONSTRAINT || rc == SQLITE_TOOBIG || rc == SQLITE_MISMATCH;
}

class Writer {
  public:
    Writer(Table& destination, const TableDef& def)
        : db_(destination.database().handle()), def_(def) {
        std::string table = quoteIdent(def.name);
        std::string cols, marks, sets;
        for (const auto& f : def.fields) {
            cols += (cols.empty() ? "" : ", ") + quoteIdent(f.name);
            marks += marks.empty() ? "?" : ", ?";
            sets += (sets.empty() ? "" : ", ") + quoteIdent(f.name) + " = ?";
        }
        insert_ = Stmt(db_, "INSERT INTO " + table + " (" + cols + ") VALUES (" + marks + ")");
        update_ = Stmt(db_, "UPDATE " + table + " SET " + sets + " WHERE rowid = ?");
        for (const auto& name : destination.activeIndexFields()) {
            keys_.push_back(detail::findFieldIndex(def, name));
        }
        foldCase_ = activeIndexFoldsCase(destination, def);
    }

    // The first row whose key fields equal the values' (blank matches blank).
    std::optional<long long> find(const std::vector<Cell>& values) {
        if (keys_.empty()) {
            return std::nullopt;
        }
        std::string sql = "SELECT rowid FROM " + quoteIdent(def_.name) + " WHERE ";
        std::vector<const Cell*> params;
        for (size_t i = 0; i < keys_.size(); ++i) {
            const FieldDef& f = def_.fields[static_cast<size_t>(keys_[i])];
            const Cell& v = values[static_cast<size_t>(keys_[i])];
            sql += (i ? " AND " : "") + quoteIdent(f.name);
            if (v.isNull()) {
                sql += " IS NULL";
            } else {
                sql += " = ?";
                if (foldCase_ && f.type == FieldType::String) {
                    sql += " COLLATE NOCASE";
                }
                params.push_back(&v);
            }
        }
        sql += " ORDER BY rowid LIMIT 1";
        auto it = finders_.find(sql);
        if (it == finders_.end()) {
            it = finders_.emplace(sql, Stmt(db_, sql)).first;
        }
        Stmt& stmt = it->second;
        StmtUse use(stmt);
        for (size_t i = 0; i < params.size(); ++i) {
            detail::bindCell(stmt, static_cast<int>(i + 1), *params[i]);
        }
        if (stmt.step()) {
            return stmt.columnInt(0);
        }
        return std::nullopt;
    }

    // SQLITE_DONE, or the code of the failure.
    int write(const std::vector<Cell>& values, std::optional<long long> rowid) {
        Stmt& stmt = rowid ? update_ : insert_;
        StmtUse use(stmt);
        int n = 1;
        for (const Cell& v : values) {
            detail::bindCell(stmt, n++, v);
        }
        if (rowid) {
            stmt.bindInt(n, *rowid);
        }
        return stmt.stepRc();
    }

    std::string lastError() const { return detail::errorText(db_); }

  private:
    sqlite3* db_;
    const TableDef& def_;
    Stmt insert_;
    Stmt update_;
    std::vector<int> keys_;
    bool foldCase_ = false;
    std::map<std::string, Stmt> finders_;
};

// An open table read as a row source, from its first row.
class TableRows : public RowSource {
  public:
    explicit TableRows(Table& table) : table_(table) {
        fields_ = table.definition().fields;
        table_.first();
    }
    const std::string& tableName() const override { return table_.tableName(); }
    const std::vector<FieldDef>& fields() const override { return fields_; }
    bool next(std::vector<SourceValue>& row) override {
        if (table_.eof()) {
            return false;
        }
        row.assign(fields_.size(), SourceValue{});
        for (size_t i = 0; i < fields_.size(); ++i) {
            const Field field = table_.field(static_cast<int>(i));
            if (field.isNull()) {
                continue;
            }
            if (field.type() == FieldType::Number) {
                row[i] = field.asFloat();
            } else {
                row[i] = field.asString();
            }
        }
        table_.next();
        return true;
    }

  private:
    Table& table_;
    std::vector<FieldDef> fields_;
};

Cell sourceCell(const SourceValue& value, const FieldDef& source) {
    if (const auto* i = std::get_if<long long>(&value)) {
        return Cell::integer(*i);
    }
    if (const auto* d = std::get_if<double>(&value)) {
        return Cell::real(*d);
    }
    if (const auto* bytes = std::get_if<std::string>(&value)) {
        return source.type == FieldType::String ? Cell::text(*bytes) : Cell::blob(*bytes);
    }
    return Cell::null();
}

}  // namespace

std::unique_ptr<RowSource> rowsOf(Table& table) {
    return std::make_unique<TableRows>(table);
}

BatchMoveResult batchMoveAppendUpdate(Table& source, Table& destination) {
    // A source opened here is closed again, whatever happens.
    struct SourceGuard {
        Table& table;
        bool opened;
        ~SourceGuard() {
            if (opened) {
                table.close();
            }
        }
    } guard{source, !source.active()};
    source.open();
    TableRows rows(source);
    return batchMoveAppendUpdate(rows, destination);
}

BatchMoveResult batchMoveAppendUpdate(RowSource& source, Table& destination) {
    if (!destination.active()) {
        throw Error("Batch move: the destination " + destination.name() + " is not open");
    }
    if (destination.readOnly()) {
        throw Error("Cannot modify a read-only dataset: " + destination.name());
    }
    if (destination.state() != State::Browse) {
        destination.post();
    }
    const TableDef& def = destination.definition();
    const std::vector<FieldDef>& from = source.fields();
    size_t mapped = std::min(def.fields.size(), from.size());
    BatchMoveResult result;
    Database& db = destination.database();
    {
        Database::Transaction tx(db);
        Writer writer(destination, def);
        std::vector<SourceValue> row;
        while (source.next(row)) {
            std::vector<Cell> values(def.fields.size());
            bool bad = false;
            for (size_t i = 0; i < mapped && i < row.size() && !bad; ++i) {
                try {
                    values[i] = detail::convertCell(def.fields[i], sourceCell(row[i], from[i]));
                } catch (const Error&) {
                    bad = true;  // a value the destination field cannot hold
                }
            }
            if (bad) {
                ++result.skipped;
                continue;
            }
            auto rowid = writer.find(values);
            int rc = writer.write(values, rowid);
            if (rc == SQLITE_DONE) {
                ++(rowid ? result.updated : result.appended);
            } else if (recordProblem(rc)) {
                ++result.skipped;
            } else {
                throw Error("Batch move into " + def.name + " failed: " + writer.lastError());
            }
        }
        tx.commit();
    }
    db.noteChange();
    destination.refresh();
    return result;
}

}  // namespace engine
