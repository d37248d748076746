#include "lists/rememberedlists.h"

#include <algorithm>

#include "platform/files.h"
#include "yuscii/yuscii.h"

namespace lists {

namespace {

// Appends, dropping the oldest entry first when the list is at its limit.
// A list loaded beyond its limit loses one entry per addition only.
void appendWithin(std::vector<std::string>& list, const std::string& entry, int limit) {
    if (!list.empty() && static_cast<long long>(list.size()) >= limit) {
        list.erase(list.begin());
    }
    list.push_back(entry);
}

}  // namespace

bool RememberedLists::addRecent(const std::string& title, int limit) {
    const std::string key = yuscii::yupperW(title);
    const bool present = std::any_of(recent.begin(), recent.end(), [&](const std::string& entry) {
        return yuscii::yupperW(entry) == key;
    });
    if (present) {
        return false;
    }
    appendWithin(recent, title, limit);
    return true;
}

void RememberedLists::addHistory(const std::string& entry, int limit) {
    appendWithin(history, entry, limit);
}

MarkResult RememberedLists::markQuickOpen(const std::string& title) {
    if (quick.size() >= kQuickOpenMax) {
        return MarkResult::Full;
    }
    if (std::find(quick.begin(), quick.end(), title) != quick.end()) {
        return MarkResult::AlreadyThere;
    }
    quick.push_back(title);
    return MarkResult::Added;
}

std::vector<RememberedLists::FileList> RememberedLists::files() const {
    return {{kHistoryFile, &history},
            {kRecentFile, &recent},
            {kQuickFile, &quick},
            {kNewestFile, &newest}};
}

void RememberedLists::load(const std::filesystem::path& dir) {
    for (auto [file, list] :
         std::initializer_list<std::pair<const char*, std::vector<std::string>*>>{
             {kHistoryFile, &history},
             {kRecentFile, &recent},
             {kQuickFile, &quick},
             {kNewestFile, &newest}}) {
        auto lines = platform::readTextLines(dir / file);
        list->clear();
        if (lines) {
            *list = std::move(*lines);
        }
    }
}

std::string searchSummary(bool titlesAndTexts, long long found) {
    return std::string(titlesAndTexts ? "po naslovima i tekstovima (nadjeno "
                                      : "po naslovima (nadjeno ") +
           std::to_string(found) + " propisa)";
}

std::string historyEntry(const std::string& searchText, const std::string& summary) {
    std::string entry = "'";
    for (char c : searchText) {
        entry += c;
        if (c == '\'') {
            entry += '\'';
        }
    }
    return entry + "' - " + summary;
}

std::string historySearchText(const std::string& entry) {
    const size_t open = entry.find('\'');
    if (open == std::string::npos) {
        return {};
    }
    std::string text;
    for (size_t i = open + 1; i < entry.size(); ++i) {
        if (entry[i] != '\'') {
            text += entry[i];
        } else if (i + 1 < entry.size() && entry[i + 1] == '\'') {
            text += '\'';
            ++i;
        } else {
            break;
        }
    }
    return text;
}

bool historySearchesTexts(const std::string& entry) {
    return entry.find("tekstovima") != std::string::npos;
}

std::vector<std::string> quickMenuTexts(const std::vector<std::string>& quick) {
    std::vector<std::string> texts{kMenuHeading, "-"};
    texts.insert(texts.end(), quick.begin(), quick.end());
    return texts;
}

}  // namespace lists
