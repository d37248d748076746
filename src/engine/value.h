#pragma once
// One stored value as the engine holds it between SQLite and the fields, and
// the number conversions (independent of the C locale).
#include <optional>
#include <string>

#include "engine/sqlite_util.h"
#include "engine/types.h"

namespace engine::detail {

struct Cell {
    enum class Kind { Null, Integer, Real, Text, Blob };
    Kind kind = Kind::Null;
    long long i = 0;
    double d = 0;
    std::string bytes;  // Text and Blob

    static Cell null() { return {}; }
    static Cell integer(long long v) { return {Kind::Integer, v, 0, {}}; }
    static Cell real(double v) { return {Kind::Real, 0, v, {}}; }
    static Cell text(std::string v) { return {Kind::Text, 0, 0, std::move(v)}; }
    static Cell blob(std::string v) { return {Kind::Blob, 0, 0, std::move(v)}; }

    bool isNull() const { return kind == Kind::Null; }
};

// Reads column col of the statement's current row.
Cell readCell(const Stmt& stmt, int col);
void bindCell(Stmt& stmt, int index, const Cell& cell);

// A decimal number: optional spaces, sign, digits with an optional decimal
// point and exponent, optional spaces. nullopt for anything else.
std::optional<double> parseNumber(const std::string& text);
// Integral values without a fraction ("5"), others with up to 15 significant digits.
std::string formatNumber(double value);

// Conversions of a stored value as the fields read it.
std::string cellToString(const Cell& cell);
long long cellToInteger(const Cell& cell, const std::string& fieldName);
double cellToFloat(const Cell& cell, const std::string& fieldName);

// The value to store for a field of the given type, from text (setString).
// Throws Error when the text does not fit the field.
Cell cellFromString(const FieldDef& field, const std::string& value);
Cell cellFromInteger(const FieldDef& field, long long value);
Cell cellFromFloat(const FieldDef& field, double value);
// Converts a value read from another field (batch move) into this field's type.
Cell convertCell(const FieldDef& field, const Cell& value);

}  // namespace engine::detail
