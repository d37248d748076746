#pragma once
// Rebuilding the text data of the keyword searches: the plain-text copies
// of the regulation and opinion texts (when they are not current: a
// database made before them, a table made again) and the index files.
//
// The build streams: it reads the copies a few hundred texts at a time,
// each batch its own read, so that other connections can write meanwhile,
// and keeps at most a fixed budget of tokens in memory, spilling sorted
// runs to temporary files beside the database and merging them into the
// index file at the end. Memory stays bounded whatever the database size.
// A change to the texts while the build runs leaves the built index not
// current (its state names the generation it was built from), never wrong.
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "search/textdata.h"

namespace engine {
class Database;
class Session;
}  // namespace engine

namespace search {

struct RebuildStatus {
    enum class Step { Copies, Index, Writing };
    TextTable table = TextTable::Regulations;
    Step step = Step::Copies;
    long long done = 0;   // texts (copies, index) or bytes (writing) done
    long long total = 0;  // of this step
};

// Called between batches; returning false cancels the rebuild.
using RebuildProgress = std::function<bool(const RebuildStatus&)>;

struct RebuildOptions {
    // Bytes of tokens and postings held in memory before a run is spilled.
    size_t memoryBudget = size_t{64} << 20;
    // Rebuild the copies and the indexes even when they are current.
    bool force = false;
};

// Whether a table's text data needs a rebuild: its copy is not usable or
// its index is not current.
bool textDataNeedsRebuild(engine::Database& db, TextTable table);
// Either table, or the stored catalog of the publication rows
// (catalogstore.h) is out of date.
bool textDataNeedsRebuild(engine::Database& db);

// Brings the copies of both tables up to date where they are not and
// builds the index files that are not current from them. Returns false when progress cancelled
// it (what was finished stays: a table's current copy, a built index).
// Engine and file errors throw engine::Error; the old index then stays as
// it was.
bool rebuildTextData(engine::Database& db, const RebuildProgress& progress = {},
                     const RebuildOptions& options = {});

// The whole rebuild on the database of an alias, for the database builders,
// the update and the repair: after it the copies and the indexes of both
// tables and the stored catalog are current (unless a write came in
// meanwhile). Throws engine::Error on failure.
void rebuildTextIndex(engine::Session& session, const std::string& alias,
                      const RebuildOptions& options = {});
// The same with the default options, as a database build's last step.
inline void finishTextIndex(engine::Session& session, const std::string& alias) {
    rebuildTextIndex(session, alias);
}

// A rebuild on a thread of its own with its own connection to the database
// file, while the program goes on: the searches stay exact meanwhile (they
// scan the plain texts, or read the rich texts while the copies are made).
// The owner starts it when text data needs a rebuild (at start, after an
// update) and polls status() or waits for the finished callback.
class BackgroundRebuild {
  public:
    enum class Outcome { Running, Done, Cancelled, Failed };

    struct Status {
        Outcome outcome = Outcome::Done;
        int percent = 0;       // of the whole rebuild, 0 to 100
        std::string error;     // the engine's text when Failed (for the log)
        bool damaged = false;  // Failed on a database damaged inside
    };

    // dataDir: the folder of the database (an alias's path); password: its
    // master password.
    BackgroundRebuild(std::string dataDir, std::string password);
    ~BackgroundRebuild();  // cancels a running rebuild and waits for it
    BackgroundRebuild(const BackgroundRebuild&) = delete;
    BackgroundRebuild& operator=(const BackgroundRebuild&) = delete;

    // Called on the rebuild's thread when it ends, with the final status
    // (post it to the window's thread; do not start() from it).
    void setFinished(std::function<void(const Status&)> finished);

    // Starts a rebuild unless one is running; false when one was running.
    bool start(const RebuildOptions& options = {});
    // Starts one when the text data of the database (the program's own
    // connection to the same file) needs it; false when it does not or a
    // rebuild runs already.
    bool startIfNeeded(engine::Database& db);
    // Asks a running rebuild to stop and waits for it.
    void cancel();
    // Waits for a running rebuild to end.
    void wait();

    bool running() const;
    Status status() const;

    // The status bar's text (YUSCII; short, for the 160-pixel panel 1):
    // "Indeks se obnavlja 45%"
    // while a rebuild runs, empty otherwise.
    static std::string statusText(const Status& status);

  private:
    void run(RebuildOptions options);

    std::string dataDir_;
    std::string password_;
    std::function<void(const Status&)> finished_;
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<bool> cancel_{false};
    std::atomic<int> percent_{0};
    std::atomic<int> outcome_{static_cast<int>(Outcome::Done)};
    mutable std::mutex errorLock_;
    std::string error_;
    bool damaged_ = false;
};

}  // namespace search
