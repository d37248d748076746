#include "engine/value.h"

#include <charconv>
#include <cmath>

namespace engine::detail {

Cell readCell(const Stmt& stmt, int col) {
    switch (stmt.columnType(col)) {
        case SQLITE_INTEGER:
            return Cell::integer(stmt.columnInt(col));
        case SQLITE_FLOAT:
            return Cell::real(stmt.columnDouble(col));
        case SQLITE_TEXT:
            return Cell::text(stmt.columnBytes(col));
        case SQLITE_BLOB:
            return Cell::blob(stmt.columnBytes(col));
        default:
            return Cell::null();
    }
}

void bindCell(Stmt& stmt, int index, const Cell& cell) {
    switch (cell.kind) {
        case Cell::Kind::Null:
            stmt.bindNull(index);
            break;
        case Cell::Kind::Integer:
            stmt.bindInt(index, cell.i);
            break;
        case Cell::Kind::Real:
            stmt.bindDouble(index, cell.d);
            break;
        case Cell::Kind::Text:
            stmt.bindText(index, cell.bytes);
            break;
        case Cell::Kind::Blob:
            stmt.bindBlob(index, cell.bytes);
            break;
    }
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Checks the strict number syntax that from_chars alone would not enforce
// (it accepts "inf", "nan" and hexadecimal forms).
bool plainNumberSyntax(const std::string& s) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        ++i;
    }
    size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            ++i;
        }
        size_t expDigits = 0;
        while (i < s.size() && isDigit(s[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) {
            return false;
        }
    }
    return i == s.size();
}

}  // namespace

std::optional<double> parseNumber(const std::string& text) {
    size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) {
        return std::nullopt;
    }
    size_t end = text.find_last_not_of(' ') + 1;
    std::string s = text.substr(begin, end - begin);
    if (!plainNumberSyntax(s)) {
        return std::nullopt;
    }
    const char* first = s.data();
    if (*first == '+') {
        ++first;  // from_chars takes no plus sign
    }
    double value = 0;
    auto [ptr, ec] = std::from_chars(first, s.data() + s.size(), value);
    if (ec != std::errc() || ptr != s.data() + s.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string formatNumber(double value) {
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15) {
        return std::to_string(static_cast<long long>(value));
    }
    char buffer[64];
    auto [ptr, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return ec == std::errc() ? std::string(buffer, ptr) : std::string();
}

std::string cellToString(const Cell& cell) {
    switch (cell.kind) {
        case Cell::Kind::Null:
            return {};
        case Cell::Kind::Integer:
            return std::to_string(cell.i);
        case Cell::Kind::Real:
            return formatNumber(cell.d);
        default:
            return cell.bytes;
    }
}

double cellToFloat(const Cell& cell, const std::string& fieldName) {
    switch (cell.kind) {
        case Cell::Kind::Null:
            return 0;
        case Cell::Kind::Integer:
            return static_cast<double>(cell.i);
        case Cell::Kind::Real:
            return cell.d;
        case Cell::Kind::Text: {
            if (cell.bytes.find_first_not_of(' ') == std::string::npos) {
                return 0;
            }
            if (auto v = parseNumber(cell.bytes)) {
                return *v;
            }
            throw Error("'" + cell.bytes + "' is not a valid number (field " + fieldName + ")");
        }
        case Cell::Kind::Blob:
            break;
    }
    throw Error("Field " + fieldName + " holds no number");
}

long long cellToInteger(const Cell& cell, const std::string& fieldName) {
    if (cell.kind == Cell::Kind::Integer) {
        return cell.i;
    }
    double v = cellToFloat(cell, fieldName);
    if (!(std::fabs(v) < 9.2e18)) {
        throw Error("Value of field " + fieldName + " is out of the integer range");
    }
    return std::llround(v);
}

namespace {

std::string typeName(FieldType type) {
    switch (type) {
        case FieldType::String:
            return "text";
        case FieldType::Number:
            return "number";
        case FieldType::Memo:
            return "memo";
        case FieldType::Graphic:
            return "graphic";
    }
    return "unknown";
}

Cell textCell(const FieldDef& field, const std::string& value) {
    if (value.empty()) {
        return Cell::null();  // an empty text is a blank field
    }
    if (field.size > 0 && value.size() > static_cast<size_t>(field.size)) {
        throw Error("Value too long for field " + field.name + " (at most " +
                    std::to_string(field.size) + " characters)");
    }
    return Cell::text(value);
}

}  // namespace

Cell cellFromString(const FieldDef& field, const std::string& value) {
    switch (field.type) {
        case FieldType::String:
            return textCell(field, value);
        case FieldType::Number: {
            if (value.find_first_not_of(' ') == std::string::npos) {
                return Cell::null();
            }
            if (auto v = parseNumber(value)) {
                return Cell::real(*v);
            }
            throw Error("'" + value + "' is not a valid number (field " + field.name + ")");
        }
        case FieldType::Memo:
        case FieldType::Graphic:
            return value.empty() ? Cell::null() : Cell::blob(value);
    }
    return Cell::null();
}

Cell cellFromFloat(const FieldDef& field, double value) {
    if (!std::isfinite(value)) {
        throw Error("Invalid number for field " + field.name);
    }
    switch (field.type) {
        case FieldType::String:
            return textCell(field, formatNumber(value));
        case FieldType::Number:
            return Cell::real(value);
        default:
            throw Error("Field " + field.name + " of type " + typeName(field.type) +
                        " takes no number");
    }
}

Cell cellFromInteger(const FieldDef& field, long long value) {
    switch (field.type) {
        case FieldType::String:
            return textCell(field, std::to_string(value));
        case FieldType::Number:
            return Cell::integer(value);
        default:
            throw Error("Field " + field.name + " of type " + typeName(field.type) +
                        " takes no number");
    }
}

Cell convertCell(const FieldDef& field, const Cell& value) {
    switch (value.kind) {
        case Cell::Kind::Null:
            return Cell::null();
        case Cell::Kind::Integer:
            if (field.type == FieldType::Memo || field.type == FieldType::Graphic) {
                return Cell::blob(std::to_string(value.i));
            }
            return cellFromInteger(field, value.i);
        case Cell::Kind::Real:
            if (field.type == FieldType::Memo || field.type == FieldType::Graphic) {
                return Cell::blob(formatNumber(value.d));
            }
            return cellFromFloat(field, value.d);
        case Cell::Kind::Text:
        case Cell::Kind::Blob:
            return cellFromString(field, value.bytes);
    }
    return Cell::null();
}

}  // namespace engine::detail
