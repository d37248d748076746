#pragma once
// Inside a table dataset: the row set (the ordered rowids that pass the link
// and the filter), the cursor, the current row's cached values, the edit
// buffer and the prepared statements. Only the engine includes this.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/filter.h"
#include "engine/session.h"
#include "engine/sqlite_util.h"
#include "engine/table.h"
#include "engine/value.h"

namespace engine {

struct Table::Impl {
    explicit Impl(Table& owner) : self(owner) {}

    Table& self;
    Database* db = nullptr;           // set while open
    std::unique_ptr<Database> ownDb;  // a table file opened by path
    TableDef def;
    std::unordered_map<std::string, int> fieldIndex;  // upper-cased name -> position

    // Order: the active index's field positions and whether each folds case.
    std::vector<int> orderFields;
    std::vector<bool> orderNoCase;

    // The filter: its syntax tree (kept while closed) and its SQL form.
    std::optional<detail::FilterNode> filterTree;
    detail::SqlCondition filterSql;

    // The link to the master: whether master fields are named, the detail
    // field positions and the master field names.
    bool linkNamed = false;
    std::vector<int> linkFields;
    std::vector<std::string> linkMasterFields;
    std::vector<Table*> details;  // tables whose master this is

    // Row set and cursor.
    std::vector<long long> rows;
    size_t pos = 0;
    bool eofFlag = true;
    bool bofFlag = true;
    // A re-query that waits for the next access: after a change of the
    // filter or link it goes to the first row, after a change of order it
    // keeps the current row.
    enum class Pending { None, KeepCurrent, First };
    Pending pending = Pending::First;
    unsigned long long seenChange = 0;       // database change count of the row set
    unsigned long long seenMasterMoves = 0;  // master's moves when the row set was made
    std::vector<detail::Cell> linkValues;    // master values the row set was made for
    // Bumped whenever the current row may have become another one, so that
    // details know to go back to their first row.
    unsigned long long moves = 0;

    // Small fields of rows near the cursor, fetched a window of rows at a
    // time (one statement per window instead of one per row); blob fields by
    // size only. Valid for one database change count.
    struct RowValues {
        std::vector<detail::Cell> cells;
        std::vector<long long> blobSizes;  // -1: blank
    };
    std::unordered_map<long long, RowValues> rowCache;
    unsigned long long rowCacheChange = 0;
    std::string rowColumns;  // the select list that fills RowValues

    // A detail's row sets by master value (single-field links), fetched for a
    // window of master rows at a time. Valid for one change count and until
    // the filter, order or link changes.
    std::unordered_map<std::string, std::vector<long long>> linkCache;
    unsigned long long linkCacheChange = 0;

    // The current row: small fields in full, blob fields by size until one
    // is asked for.
    long long cachedRowid = 0;
    unsigned long long cachedChange = 0;
    bool cacheValid = false;
    std::vector<detail::Cell> cells;
    std::vector<long long> blobSizes;  // -1: blank
    std::vector<bool> blobLoaded;

    std::map<int, detail::Cell> editBuffer;  // fields set in Edit/Insert state

    std::unordered_map<std::string, detail::Stmt> statements;

    std::map<int, Listener> listeners;
    int nextListenerId = 1;

    // --- helpers (table_rows.cpp) ---
    bool isOpen() const { return db != nullptr; }
    bool editing() const;
    bool linked() const;
    void checkOpen() const;
    detail::Stmt& statement(const std::string& sql);
    void resolveOrder();
    void resolveLink();
    void compileFilter();
    void ensureRows();
    void markStale(Pending what);
    void requery(bool keepCurrent, std::optional<long long> target = std::nullopt);
    std::optional<long long> currentRowid() const;
    void moveTo(size_t newPos);
    void invalidateCache() { cacheValid = false; }
    const detail::Cell& cell(int index);
    size_t blobSize(int index);
    void notify(Event event);
    void masterEvent(Event event);
    void postIfEditing();
    void checkWritable() const;
    int fieldPos(const std::string& name) const;   // -1 when absent
    void setField(int index, detail::Cell value);  // field.cpp

    // Applies a change of order or link; while open the new settings are
    // checked, and on failure the old ones come back and the error goes on.
    template <typename Apply, typename Revert>
    void reconfigure(Apply apply, Revert revert, Pending stale) {
        apply();
        if (!isOpen()) {
            return;
        }
        try {
            resolveOrder();
            resolveLink();
        } catch (const Error&) {
            revert();
            resolveOrder();
            resolveLink();
            throw;
        }
        markStale(stale);
        notify(Event::DataSetChanged);
    }

    // Orders by an index or by a field list (the other one empty); the
    // current row stays current.
    void setOrder(const std::string& index, const std::string& fields);

  private:
    void loadRow();
    void fetchWindow();
    std::string orderBy() const;
    bool batchableLink() const;
    void fetchLinkWindow(const detail::Cell& current);
    void upcomingRows(std::vector<long long>& out, size_t limit);
    void syncRowCache();
    void readRowValues(const detail::Stmt& stmt, int firstColumn, RowValues& out) const;
    std::vector<detail::Cell> masterValues(bool& empty);
};

}  // namespace engine
