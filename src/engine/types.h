#pragma once
// Shared types of the database engine: errors, field types and the table
// definitions from which tables are created.
#include <stdexcept>
#include <string>
#include <vector>

namespace engine {

// Every engine failure; the text is the engine's message.
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Whether an engine failure says the database file is damaged inside (pages
// it cannot read, or a query stopped at the work limit), as opposed to a
// missing file or a full disk.
bool isDamage(const std::exception& error);

// A malformed filter expression; position is the 0-based offset in the text.
class FilterError : public Error {
  public:
    FilterError(const std::string& problem, size_t position);
    const std::string& problem() const { return problem_; }
    size_t position() const { return position_; }

  private:
    std::string problem_;
    size_t position_;
};

enum class FieldType {
    String,   // alpha text of a fixed maximum size
    Number,   // 8-byte number; integral values read back as integers
    Memo,     // formatted memo: rich text (RTF bytes)
    Graphic,  // picture bytes (PNG, JPEG or BMP)
};

struct FieldDef {
    std::string name;
    FieldType type = FieldType::String;
    int size = 0;  // maximum length of a String field; 0 otherwise
};

struct IndexDef {
    std::string name;                 // the index's own name, e.g. "drugi"
    std::vector<std::string> fields;  // in key order
    bool unique = false;
    bool caseInsensitive = false;  // text keys compare with A-Z folded
};

struct TableDef {
    std::string name;
    std::vector<FieldDef> fields;         // in table order; positions are fixed
    std::vector<std::string> primaryKey;  // the primary index's fields; may be empty
    std::vector<IndexDef> indexes;        // secondary indexes
};

}  // namespace engine
