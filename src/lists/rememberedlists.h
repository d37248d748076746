#pragma once
// The four remembered lists of the main window: recently opened regulations,
// the search history, the quick-open list and the newest regulations of the
// last update. Each is a list of YUSCII lines, oldest first, kept in a file
// beside the program (one entry per line, CR LF). Plain logic, no Qt: the
// main window's list controls show these lists.
#include <filesystem>
#include <string>
#include <vector>

namespace lists {

inline constexpr const char* kHistoryFile = "pretrage.ini";  // ListBox4
inline constexpr const char* kRecentFile = "cesti.ini";      // ListBox5
inline constexpr const char* kQuickFile = "brzi.ini";        // ListBox8
inline constexpr const char* kNewestFile = "novo.lst";       // najnoviji

// The quick-open list holds at most this many titles.
inline constexpr size_t kQuickOpenMax = 8;
inline constexpr const char* kQuickOpenFull = "Lista propisa oznacenih za brzo otvaranje je puna";

// The limits of the recently opened list and the history (number fields
// from 1 to 24, 12 at every start; not stored).
inline constexpr int kLimitMin = 1;
inline constexpr int kLimitMax = 24;
inline constexpr int kLimitDefault = 12;

// The context menu's heading above the quick-open titles.
inline constexpr const char* kMenuHeading = "Oznaceni propisi";

enum class MarkResult { Added, AlreadyThere, Full };

class RememberedLists {
  public:
    std::vector<std::string> history;  // ListBox4
    std::vector<std::string> recent;   // ListBox5
    std::vector<std::string> quick;    // ListBox8
    std::vector<std::string> newest;   // najnoviji

    // dodajuceste: a title not yet in the list (compared without regard to
    // case) is appended; at the limit the oldest entry goes first. A title
    // already there keeps its place. True when the list changed.
    bool addRecent(const std::string& title, int limit);

    // A search-history entry is always appended; at the limit the oldest
    // entry goes first. The same search may stand several times.
    void addHistory(const std::string& entry, int limit);

    // Marking for quick opening: Full when the list already holds
    // kQuickOpenMax titles (nothing added), AlreadyThere when an entry equals
    // the title exactly, else Added.
    MarkResult markQuickOpen(const std::string& title);

    // Loads each list file that exists in dir (a missing file leaves its list
    // empty; every line is kept, even beyond a limit).
    void load(const std::filesystem::path& dir);

    // The four files with their lists, in the order they are written.
    struct FileList {
        const char* file;
        const std::vector<std::string>* lines;
    };
    std::vector<FileList> files() const;
};

// The keyword search's summary: "po naslovima (nadjeno N propisa)" or
// "po naslovima i tekstovima (nadjeno N propisa)".
std::string searchSummary(bool titlesAndTexts, long long found);

// A search-history entry: the search text in single quotes (quotes inside
// doubled), " - ", then the search summary.
std::string historyEntry(const std::string& searchText, const std::string& summary);

// The search text of a history entry, read back for a re-run: the
// characters after the opening quote up to the closing one, a doubled quote
// read as one, so that a text with a quote runs again as it was. Empty for
// an entry without a quote.
std::string historySearchText(const std::string& entry);

// A re-run searches titles and texts when the entry says "tekstovima" (only
// the summary can: search texts are upper case), else titles only.
bool historySearchesTexts(const std::string& entry);

// The texts of the context menu mirroring the quick-open list (sredibrze):
// the heading, the separator, then one item per title.
std::vector<std::string> quickMenuTexts(const std::vector<std::string>& quick);

}  // namespace lists
