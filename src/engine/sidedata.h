#pragma once
// Data the program keeps beside its tables in the same database file for
// its own use. None of it is listed among the tables, and batch moves,
// verification and rebuild do not touch it.
//
// Side values: small named values (the state of an index, for example).
//
// Text copies: for every row of a table, a text derived from one of its
// memo fields (the plain text of a rich text, say) with the row's key
// beside it. Triggers on the table keep the copies current at every insert,
// update and delete, whoever writes through this engine, by calling a text
// function the program registers; and they raise the copy's generation
// whenever a text or a key changes. A table dropped and made again (a
// repair) loses the triggers: its copy is then no longer current until it
// is refreshed. A process that writes the table without the function
// stores an unknown text (which refresh() and fillUnknown() derive again).
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace engine {

class Database;

// nullopt when the value was never set.
std::optional<std::string> sideValue(Database& db, const std::string& name);
// Counts as no write of a table (Database::changeCount stays).
void setSideValue(Database& db, const std::string& name, const std::string& value);

// A count of the writes to a table, raised by triggers at every insert,
// update and delete: what was derived from the table at one count is
// current while the count stays. A table dropped and made again loses the
// triggers: value() is nullopt until install() runs again.
class WriteCount {
  public:
    WriteCount(Database& db, std::string table);
    std::optional<long long> value() const;
    // (Re)installs the triggers; the count goes on from where it was.
    void install();

  private:
    Database& db_;
    std::string table_;
};

// A function from the stored bytes of a field (empty for a blank field) to
// a text.
using TextFunction = void (*)(std::string_view stored, std::string& text);

// Registers fn under name for every database this process opens. Register
// before the first write that needs it (a static initializer does).
void registerTextFunction(const std::string& name, TextFunction fn);

struct TextCopySpec {
    std::string name;      // letters, digits and '_': names the copy's storage and triggers
    std::string table;     // the table copied
    std::string keyField;  // stored beside each text
    std::string field;     // the memo field the text is derived from
    std::string function;  // a registered text function
};

// One row's copy as a scan sees it; the bytes are valid during the visit.
struct TextCopyEntry {
    long long row = 0;                     // storage position of the row (its order in scans)
    std::optional<long long> key;          // none when the key field holds no integer
    std::optional<std::string_view> text;  // none when unknown
};

class TextCopy {
  public:
    TextCopy(Database& db, TextCopySpec spec);

    const TextCopySpec& spec() const { return spec_; }

    // The generation of a current copy; nullopt when the copy was never
    // made, is not complete, or the table lost its triggers.
    std::optional<long long> generation() const;
    // Whether some row's text is unknown.
    bool hasUnknown() const;

    // (Re)installs the triggers and derives every row's text again, step
    // rows at a time, each step its own transaction, so that other
    // connections can write in between (the triggers keep their changes).
    // progress(done, total) runs after each step; when it returns false the
    // refresh stops and the copy stays not current. Returns whether the
    // copy is current at the end.
    bool refresh(const std::function<bool(long long done, long long total)>& progress,
                 int step = 256);
    // Derives the unknown texts again (in one transaction).
    void fillUnknown();

    // Visits the copies of the rows after `afterRow` in storage order, at
    // most limit of them (all when limit < 0), as one read; visit returns
    // false to stop. Returns the row of the last copy visited (afterRow when
    // none).
    long long scan(const std::function<bool(const TextCopyEntry&)>& visit, long long afterRow = 0,
                   long long limit = -1) const;
    // The texts of the rows with this key, in storage order (unknown ones as
    // nullopt); several when rows share the key.
    std::vector<std::optional<std::string>> textsOf(long long key) const;
    // Rows copied, and the bytes of their texts.
    long long count() const;
    long long bytes() const;

    // Removes the triggers, the copies and the state.
    void drop();

  private:
    Database& db_;
    TextCopySpec spec_;
    std::string storage_;  // the copies' SQL table
};

}  // namespace engine
