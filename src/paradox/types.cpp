#include "paradox/types.h"

#include <chrono>
#include <cstdio>

namespace paradox {

bool knownKind(std::uint8_t type) {
    switch (static_cast<FieldKind>(type)) {
        case FieldKind::Alpha:
        case FieldKind::Date:
        case FieldKind::Short:
        case FieldKind::Long:
        case FieldKind::Currency:
        case FieldKind::Number:
        case FieldKind::Logical:
        case FieldKind::Memo:
        case FieldKind::Blob:
        case FieldKind::FmtMemo:
        case FieldKind::Graphic:
        case FieldKind::AutoInc:
            return true;
    }
    return false;
}

const char* kindName(FieldKind kind) {
    switch (kind) {
        case FieldKind::Alpha:
            return "Alpha";
        case FieldKind::Date:
            return "Date";
        case FieldKind::Short:
            return "Short";
        case FieldKind::Long:
            return "Long";
        case FieldKind::Currency:
            return "Currency";
        case FieldKind::Number:
            return "Number";
        case FieldKind::Logical:
            return "Logical";
        case FieldKind::Memo:
            return "Memo";
        case FieldKind::Blob:
            return "BLOB";
        case FieldKind::FmtMemo:
            return "Formatted memo";
        case FieldKind::Graphic:
            return "Graphic";
        case FieldKind::AutoInc:
            return "Autoincrement";
    }
    return "unknown";
}

bool isBlobKind(FieldKind kind) {
    return kind == FieldKind::Memo || kind == FieldKind::Blob || kind == FieldKind::FmtMemo ||
           kind == FieldKind::Graphic;
}

engine::FieldDef FieldInfo::engineField() const {
    switch (kind) {
        case FieldKind::Alpha:
            return {name, engine::FieldType::String, size};
        case FieldKind::Date:
            return {name, engine::FieldType::String, 10};
        case FieldKind::Memo:
        case FieldKind::Blob:
        case FieldKind::FmtMemo:
            return {name, engine::FieldType::Memo, 0};
        case FieldKind::Graphic:
            return {name, engine::FieldType::Graphic, 0};
        default:
            return {name, engine::FieldType::Number, 0};
    }
}

namespace {

// Day 1 (1 January of year 1) is this many days before 1 January 1970.
constexpr long long kDayOfEpoch = 719163;
constexpr long long kLastDay = 3652059;  // 31 December 9999

}  // namespace

bool formatDate(long long day, std::string& text) {
    if (day < 1 || day > kLastDay) {
        return false;
    }
    using namespace std::chrono;
    const year_month_day ymd{sys_days{days{day - kDayOfEpoch}}};
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02u/%02u/%04d", static_cast<unsigned>(ymd.day()),
                  static_cast<unsigned>(ymd.month()), static_cast<int>(ymd.year()));
    text = buffer;
    return true;
}

bool parseDate(const std::string& text, long long& day) {
    // Digits of one part, up to the next '/' or the end.
    size_t at = 0;
    auto part = [&](size_t least, size_t most, int& value) {
        size_t digits = 0;
        value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < most) {
            value = value * 10 + (text[at++] - '0');
            ++digits;
        }
        return digits >= least;
    };
    int d = 0, m = 0, y = 0;
    if (!part(1, 2, d) || at >= text.size() || text[at++] != '/' || !part(1, 2, m) ||
        at >= text.size() || text[at++] != '/' || !part(4, 4, y) || at != text.size() || y < 1) {
        return false;
    }
    using namespace std::chrono;
    const year_month_day ymd{year{y}, month{static_cast<unsigned>(m)},
                             std::chrono::day{static_cast<unsigned>(d)}};
    if (!ymd.ok()) {
        return false;
    }
    day = sys_days{ymd}.time_since_epoch().count() + kDayOfEpoch;
    return true;
}

}  // namespace paradox
