#pragma once
// The one place where the update tells the search library that the texts
// of the regulations or opinions changed.
#include <string>

namespace engine {
class Session;
}

namespace update {

// Whether the full-text index covers the table (TB_Zakoni, TB_Misljenja).
bool coversTexts(const std::string& table);

// Brings the full-text index of the database behind the alias up to date.
// Engine errors propagate; the old index then stays, marked stale, and the
// searches read the texts until the next refresh.
void refreshTextIndex(engine::Session& session, const std::string& alias);

}  // namespace update
