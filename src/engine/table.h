#pragma once
// A table dataset: one cursor over one table of a database, with its own
// order, filter and master/detail link, like the table objects the windows
// own. Several Table objects may stand on the same table independently.
//
// Rows. The dataset shows the rows that pass the master link (when set) and
// the filter (when filtering is on), ordered by the active index (a named
// index, index fields, or the primary key), ties by storage order. Setting
// the filter, filtering or the link goes to the first row; changing the
// order keeps the current row.
//
// Writes by other table objects on the same database (Database::changeCount)
// are seen at this table's next access: it re-reads its rows then, keeping
// its current row (or the row in its place when that one is gone). Field
// values are always read as they are stored now.
//
// Master/detail. A detail names a master Table and master fields; it then
// shows only the rows whose index fields (in order) equal the master's
// current values of the master fields, and follows every move of the master
// (going to its first row; the rows are read when the detail is next used).
// Master values are compared as the detail field's type; a blank master value
// matches blank detail fields, a value the detail field cannot hold matches
// nothing. Empty master fields cut the link. A master that is closed or empty
// gives an empty detail. Links may not form a circle. Changing the master
// source checks the master fields against the new master: to move a link to
// another master, cut it (empty master fields), set the source, then the fields.
//
// Filter. The filter text is parsed when it is set; a malformed text throws
// FilterError and leaves the previous filter in place. Set while the table is
// closed, the syntax is checked at once and the field names at open() (which
// then throws the FilterError). Language:
//   expr    := and { OR and }
//   and     := primary { AND primary }
//   primary := '(' expr ')' | field op value
//   op      := = | <> | < | > | <= | >=
//   value   := 'quoted text' (a doubled quote inside stands for one)
//            | number (optionally signed, with a decimal point)
// Keywords and field names are not case-sensitive. A value is compared by its
// field's type: '05' against a Number field is 5; a text that is no number
// against a Number field is a FilterError (type mismatch); an unquoted number
// against a String field is compared as the text written. Memo and graphic
// fields cannot be compared. Parentheses nest at most kMaxFilterNesting deep;
// deeper is a FilterError at the first parenthesis too many. Values are bound
// as SQL parameters. Blank fields
// rank below every value: an empty quoted value matches blank fields with =
// and <=, every other field with <> and >; a non-empty value never matches a
// blank field, except with <> (a blank differs from it). With the
// case-insensitive option, text comparisons fold A-Z only; every other byte,
// the YUSCII letters included, compares exactly.
//
// Field values. Blank fields read as "" (text), 0 (integer, number).
// Numbers read as text without a trailing ".0" for integral values. Setting
// an empty text stores a blank field; a text longer than a String field's
// size is an Error (nothing is cut off).
//
// Editing. Moving the cursor, refreshing, or changing the order, filter or
// link while a row is edited posts it first; close() drops it. edit() on an
// empty table starts a new row (Insert). A failed post throws Error and
// leaves the edit in place.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/types.h"

namespace engine {

class Session;
class Database;
class Table;

inline constexpr size_t kMaxFilterNesting = 64;

enum class State { Inactive, Browse, Edit, Insert };

// What a table tells its listeners.
enum class Event {
    Opened,
    Closed,
    DataSetChanged,  // the row set changed: filter, order, master move, refresh, post, delete
    RecordChanged,   // the cursor moved to another row
    StateChanged,    // Browse/Edit/Insert changed
    FieldChanged,    // a field of the edited row was set
};

// A handle to one field of a table's current row. Cheap to copy; valid as
// long as the table exists and keeps its structure.
class Field {
  public:
    Field(const Table* table, int index) : table_(table), index_(index) {}

    int index() const { return index_; }
    const std::string& name() const;
    FieldType type() const;
    int size() const;

    bool isNull() const;
    std::string asString() const;  // memo and graphic fields: the raw bytes
    long long asInteger() const;   // throws Error for text that is no number
    double asFloat() const;
    // Length in bytes of the stored value without reading it (memo, graphic).
    size_t dataSize() const;

    // Setters need the table in Edit or Insert state.
    void setString(const std::string& value) const;
    void setInteger(long long value) const;
    void setFloat(double value) const;
    void setBytes(const std::string& bytes) const;
    void clear() const;

  private:
    const Table* table_;
    int index_;
};

class Table {
  public:
    // name: the component's name (e.g. "Zakoni"), used in messages.
    explicit Table(Session& session, std::string name = {});
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const std::string& name() const { return name_; }
    // The session the table opens its database through.
    Session& session() const { return session_; }

    // Set while closed (throw Error while open).
    void setDatabaseName(const std::string& alias);
    const std::string& databaseName() const { return alias_; }
    void setTableName(const std::string& table);
    const std::string& tableName() const { return table_; }
    void setReadOnly(bool readOnly);
    bool readOnly() const { return readOnly_; }
    // A table file opened by its path (a single-table database file), as
    // the update's source tables are: set instead of an alias.
    void setFilePath(const std::string& path);

    void open();
    void close();
    bool active() const;

    // Order. setIndexName("") means the primary index; setIndexFieldNames
    // takes field names separated by ';'. Each replaces the other.
    void setIndexName(const std::string& index);
    const std::string& indexName() const { return indexName_; }
    void setIndexFieldNames(const std::string& fields);
    const std::string& indexFieldNames() const { return indexFieldNames_; }
    // Fields of the active index, in order.
    std::vector<std::string> activeIndexFields() const;

    // Master/detail.
    void setMasterSource(Table* master);
    Table* masterSource() const { return master_; }
    void setMasterFields(const std::string& fields);  // "" cuts the link
    const std::string& masterFields() const { return masterFields_; }

    // Filter.
    void setFilter(const std::string& text);
    const std::string& filter() const { return filterText_; }
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }
    void setFilterCaseInsensitive(bool on);
    bool filterCaseInsensitive() const { return caseInsensitive_; }

    // Cursor.
    void first();
    void next();
    void prior();
    void last();
    int moveBy(int distance);  // returns the distance actually moved
    bool eof() const;          // true after next() past the last row, or when empty
    bool bof() const;
    bool isEmpty() const;
    int recordCount() const;
    int recNo() const;  // 1-based; 0 when empty
    void refresh();     // re-reads the rows, keeping the current row when it remains

    // Fields by position (0-based) or by name (not case-sensitive).
    int fieldCount() const;
    Field field(int index) const;                      // throws Error when out of range
    Field fieldByName(const std::string& name) const;  // throws Error when absent
    std::optional<Field> findField(const std::string& name) const;
    const TableDef& definition() const;

    // Editing (throws Error on a read-only table).
    State state() const { return state_; }
    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord();

    // Listeners, called synchronously after the change. A detail tells its
    // listeners DataSetChanged whenever its master moves. A DataSource (or any
    // listener holder) must not outlive its table.
    using Listener = std::function<void(Table&, Event)>;
    int addListener(Listener listener);
    void removeListener(int id);

    // The database behind an open table.
    Database& database() const;

  private:
    friend class Field;
    struct Impl;
    std::unique_ptr<Impl> impl_;

    Session& session_;
    std::string name_;
    std::string alias_;
    std::string table_;
    std::string filePath_;
    bool readOnly_ = false;
    std::string indexName_;
    std::string indexFieldNames_;
    Table* master_ = nullptr;
    std::string masterFields_;
    std::string filterText_;
    bool filtered_ = false;
    bool caseInsensitive_ = false;
    State state_ = State::Inactive;
};

}  // namespace engine
