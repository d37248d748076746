#pragma once
// Paradox tables as the program reads and writes them: the field kinds, a
// field's descriptor, the values of a row, and the error of a table that
// cannot be read or written.
#include <cstdint>
#include <stdexcept>
#include <string>

#include "engine/types.h"

namespace paradox {

// A table that cannot be read (missing, damaged, of a kind we do not read)
// or written. The text names the file and the problem, in English.
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The field kinds by their type byte in the table header.
enum class FieldKind : std::uint8_t {
    Alpha = 0x01,
    Date = 0x02,
    Short = 0x03,
    Long = 0x04,
    Currency = 0x05,
    Number = 0x06,
    Logical = 0x09,
    Memo = 0x0C,
    Blob = 0x0D,
    FmtMemo = 0x0E,
    Graphic = 0x10,
    AutoInc = 0x16,
};

// The kind of a type byte; false for kinds this program does not read
// (OLE, time, timestamp, BCD, bytes).
bool knownKind(std::uint8_t type);
const char* kindName(FieldKind kind);
// Memo, formatted memo, BLOB and graphic: a leader in the record, the rest
// in the memo file.
bool isBlobKind(FieldKind kind);

struct FieldInfo {
    std::string name;
    FieldKind kind = FieldKind::Alpha;
    int size = 0;  // bytes in the record; for blob kinds the leader plus 10

    // The engine field this field fills: Alpha as text of its size, Date as
    // "dd/mm/yyyy" text, the numeric kinds and Logical as numbers, memos and
    // BLOBs as memos, Graphic as graphic.
    engine::FieldDef engineField() const;
};

// One value of a row. Text and Blob hold the bytes exactly as stored, with
// no character translation.
struct Value {
    enum class Kind { Null, Integer, Real, Text, Blob };
    Kind kind = Kind::Null;
    long long integer = 0;
    double real = 0;
    std::string bytes;

    static Value null() { return {}; }
    static Value ofInteger(long long v) { return {Kind::Integer, v, 0, {}}; }
    static Value ofReal(double v) { return {Kind::Real, 0, v, {}}; }
    static Value ofText(std::string v) { return {Kind::Text, 0, 0, std::move(v)}; }
    static Value ofBlob(std::string v) { return {Kind::Blob, 0, 0, std::move(v)}; }

    bool isNull() const { return kind == Kind::Null; }
    bool operator==(const Value&) const = default;
};

// "dd/mm/yyyy" of a Paradox date (days from 1 January of year 1, which is
// day 1); false when the day lies outside years 1 to 9999.
bool formatDate(long long day, std::string& text);
// The day of a "dd/mm/yyyy" (or "d/m/yyyy") text; false for anything else.
bool parseDate(const std::string& text, long long& day);

}  // namespace paradox
