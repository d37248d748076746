#include "update/textindex.h"

#include <strings.h>

#include "database/schema.h"
#include "search/textrebuild.h"

namespace update {

bool coversTexts(const std::string& table) {
    return strcasecmp(table.c_str(), database::kZakoni) == 0 ||
           strcasecmp(table.c_str(), database::kMisljenja) == 0;
}

void refreshTextIndex(engine::Session& session, const std::string& alias) {
    search::rebuildTextIndex(session, alias);
}

}  // namespace update
