#include "search/textrebuild.h"

#include <malloc.h>

#include "engine/session.h"
#include "engine/sidedata.h"
#include "search/catalogstore.h"
#include "search/textindex.h"
#include "search/textindexbuild.h"

namespace search {

namespace {

// Left by the first form of the index, kept in the database file: dropped
// when the text data is rebuilt.
void dropFirstIndexForm(engine::Database& db) {
    db.exec(
        "DROP TRIGGER IF EXISTS korvet_fulltext_zakoni_insert;"
        "DROP TRIGGER IF EXISTS korvet_fulltext_zakoni_update;"
        "DROP TRIGGER IF EXISTS korvet_fulltext_zakoni_delete;"
        "DROP TRIGGER IF EXISTS korvet_fulltext_misljenja_insert;"
        "DROP TRIGGER IF EXISTS korvet_fulltext_misljenja_update;"
        "DROP TRIGGER IF EXISTS korvet_fulltext_misljenja_delete;"
        "DROP TABLE IF EXISTS korvet_fulltext_data;"
        "DROP TABLE IF EXISTS korvet_fulltext_state;");
}

}  // namespace

bool textDataNeedsRebuild(engine::Database& db, TextTable table) {
    return !textCopyUsable(db, table) || !textIndexInfo(db, table);
}

bool textDataNeedsRebuild(engine::Database& db) {
    return textDataNeedsRebuild(db, TextTable::Regulations) ||
           textDataNeedsRebuild(db, TextTable::Opinions) || !storedCatalogCurrent(db);
}

bool rebuildTextData(engine::Database& db, const RebuildProgress& progress,
                     const RebuildOptions& options) {
    dropFirstIndexForm(db);
    for (TextTable table : kTextTables) {
        RebuildStatus status;
        status.table = table;
        engine::TextCopy copy = textCopy(db, table);
        if (options.force || !copy.generation()) {
            status.step = RebuildStatus::Step::Copies;
            const bool done = copy.refresh([&](long long done, long long total) {
                status.done = done;
                status.total = total;
                return !progress || progress(status);
            });
            if (!done) {
                return false;
            }
        } else if (copy.hasUnknown()) {
            copy.fillUnknown();
        }
        if (!options.force && textIndexInfo(db, table)) {
            continue;
        }
        const auto report = buildTextIndex(
            db, table, options.memoryBudget, [&](long long done, long long total, int step) {
                status.step = step == 0 ? RebuildStatus::Step::Index : RebuildStatus::Step::Writing;
                status.done = done;
                status.total = total;
                return !progress || progress(status);
            });
        if (!report) {
            return false;
        }
    }
    return true;
}

void rebuildTextIndex(engine::Session& session, const std::string& alias,
                      const RebuildOptions& options) {
    engine::Database& db = session.database(alias);
    rebuildTextData(db, {}, options);
    if (options.force || !storedCatalogCurrent(db)) {
        storeCatalog(session.aliasPath(alias));
    }
}

// --- in the background -----------------------------------------------------

BackgroundRebuild::BackgroundRebuild(std::string dataDir, std::string password)
    : dataDir_(std::move(dataDir)), password_(std::move(password)) {}

BackgroundRebuild::~BackgroundRebuild() {
    cancel();
}

void BackgroundRebuild::setFinished(std::function<void(const Status&)> finished) {
    finished_ = std::move(finished);
}

bool BackgroundRebuild::start(const RebuildOptions& options) {
    if (running_.exchange(true)) {
        return false;
    }
    if (thread_.joinable()) {
        thread_.join();
    }
    cancel_ = false;
    percent_ = 0;
    outcome_ = static_cast<int>(Outcome::Running);
    thread_ = std::thread([this, options] { run(options); });
    return true;
}

bool BackgroundRebuild::startIfNeeded(engine::Database& db) {
    return textDataNeedsRebuild(db) && start();
}

std::string BackgroundRebuild::statusText(const Status& status) {
    if (status.outcome != Outcome::Running) {
        return {};
    }
    return "Indeks se obnavlja " + std::to_string(status.percent) + "%";
}

void BackgroundRebuild::cancel() {
    cancel_ = true;
    wait();
}

void BackgroundRebuild::wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool BackgroundRebuild::running() const {
    return running_.load();
}

BackgroundRebuild::Status BackgroundRebuild::status() const {
    Status s;
    s.outcome = static_cast<Outcome>(outcome_.load());
    s.percent = percent_.load();
    std::lock_guard guard(errorLock_);
    s.error = error_;
    s.damaged = damaged_;
    return s;
}

void BackgroundRebuild::run(RebuildOptions options) {
    // Each table is half of the work: its copies (when made) a fifth of
    // that, its index the rest.
    auto percentOf = [](const RebuildStatus& s) {
        const int base = s.table == TextTable::Regulations ? 0 : 50;
        const double part =
            s.total > 0 ? static_cast<double>(s.done) / static_cast<double>(s.total) : 0.0;
        switch (s.step) {
            case RebuildStatus::Step::Copies:
                return base + static_cast<int>(part * 10);
            case RebuildStatus::Step::Index:
                return base + 10 + static_cast<int>(part * 35);
            case RebuildStatus::Step::Writing:
                return base + 45;
        }
        return base;
    };
    Outcome outcome = Outcome::Done;
    std::string error;
    bool damaged = false;
    try {
        engine::Session session;
        const std::string alias = "KorvetTextRebuild";
        session.addStandardAlias(alias, dataDir_, "Paradox");
        session.addPassword(password_);
        session.open();
        engine::Database& db = session.database(alias);
        bool done = rebuildTextData(
            db,
            [&](const RebuildStatus& s) {
                percent_ = std::max(percent_.load(), percentOf(s));
                return !cancel_.load();
            },
            options);
        if (done && !cancel_.load() && !storedCatalogCurrent(db)) {
            storeCatalog(dataDir_);
        }
        done = done && !cancel_.load();
        session.close();
        outcome = done ? Outcome::Done : Outcome::Cancelled;
        if (done) {
            percent_ = 100;
        }
    } catch (const std::exception& e) {
        outcome = Outcome::Failed;
        error = e.what();
        damaged = engine::isDamage(e);
    }
    {
        std::lock_guard guard(errorLock_);
        error_ = error;
        damaged_ = damaged;
    }
    // The rebuild's buffers go back to the system now: this thread's heap
    // would otherwise keep them for as long as the program runs.
    malloc_trim(0);
    outcome_ = static_cast<int>(outcome);
    running_ = false;
    if (finished_) {
        finished_(status());
    }
}

}  // namespace search
