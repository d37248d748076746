#pragma once
// The operations the benchmark times, each through the code the windows
// run: the start-up fill, the keyword searches, the area fill, the opinion
// search and opening the largest regulation with a search in it.
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "database/datasets.h"
#include "engine/session.h"

namespace bench {

// The main window's datasets opened on a program directory's database.
class OpenDatabase {
  public:
    explicit OpenDatabase(const std::filesystem::path& programDir);
    ~OpenDatabase();
    database::MainData& data() { return *data_; }
    engine::Session& session() { return session_; }

  private:
    engine::Session session_;
    std::unique_ptr<database::MainData> data_;
};

// What one run produced: its rows (or hits), and the time of its timed part
// when the operation measures that itself (a step inside a modal window).
struct Sample {
    long long rows = 0;
    std::optional<double> ms;
};

struct Operation {
    std::string name;
    // Runs once, timed as a whole unless the sample says otherwise.
    std::function<Sample()> run;
    // The words of a full-text query, as the text test looks for them; the
    // ripgrep peer runs on these. Empty: no peer.
    std::vector<std::string> peerWords;
    // Untimed work before and after each run (may be empty).
    std::function<void()> prepare;
    std::function<void()> cleanup;
};

struct Queries {
    std::string commonPair;  // as typed (YUSCII)
    std::string rarePair;
    std::string twoLetters;
    std::string opinionWords;
    std::string documentWord;  // looked for in the open regulation
};

// The title, BG and ID of the regulation with the longest stored Latin text.
struct Largest {
    std::string title;
    std::string bg;
    long long id = 0;
};
Largest largestRegulation(database::MainData& data);

// Opens the datasets' session on the program directory's database.
void openSession(engine::Session& session, const std::filesystem::path& programDir);

// The operations on the logic, in the order the table prints them.
std::vector<Operation> operations(const std::filesystem::path& programDir, OpenDatabase& db,
                                  const Queries& queries);

// Printing the largest regulation: its layout into pages as the document
// window prints it (rows: pages), and korvet-cli pdf of it as a whole
// process.
std::vector<Operation> printingOperations(const std::filesystem::path& programDir,
                                          OpenDatabase& db);
// The comparison of the two largest neighbouring versions of a chain (rows:
// changed articles) and the references of the largest regulation (rows:
// its article and issue links, as the document window marks them).
std::vector<Operation> compareOperations(OpenDatabase& db);
// Whole korvet-cli processes: the title-and-text searches. peakMb gets the
// largest peak resident memory of the processes run.
std::vector<Operation> processOperations(const std::filesystem::path& programDir,
                                         const Queries& queries, double& peakMb);

}  // namespace bench
