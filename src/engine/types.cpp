#include "engine/types.h"

#include <sqlite3.h>

#include <string_view>

namespace engine {

FilterError::FilterError(const std::string& problem, size_t position)
    : Error("Filter error at position " + std::to_string(position) + ": " + problem),
      problem_(problem),
      position_(position) {}

bool isDamage(const std::exception& error) {
    const std::string_view text = error.what();
    for (const char* sign : {sqlite3_errstr(SQLITE_CORRUPT), sqlite3_errstr(SQLITE_NOTADB),
                             "ran past the work limit"}) {
        if (text.find(sign) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

}  // namespace engine
