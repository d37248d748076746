#pragma once
// The plain Latin text of a document of a result list, for the hit context
// under the list: from the text copy kept beside the rich texts when it is
// current, else from the rich text itself. Read through datasets of its
// own, so the windows' datasets stay where they are.
#include <optional>
#include <string>
#include <string_view>

namespace database {
struct MainData;
}

namespace search {

// The first regulation with this title and BG; nullopt when none.
std::optional<std::string> regulationText(database::MainData& data, std::string_view title,
                                          std::string_view bg);

// The opinion with this title and list date ("dd/mm/yyyy"); nullopt when none.
std::optional<std::string> opinionText(database::MainData& data, std::string_view title,
                                       std::string_view date);

}  // namespace search
