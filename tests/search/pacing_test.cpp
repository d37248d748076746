// The fast keyword search with a monitor that asks for pacing: pending
// messages run at most once per interval, the stop request is tested at the
// first row and after each run, and the steps reach the progress bar in one
// sum; the rows are those of the unpaced search.
#include <gtest/gtest.h>

#include "database/schema.h"
#include "search/catalog.h"
#include "search/keyword.h"
#include "search/textindex.h"
#include "search/textrebuild.h"
#include "search_db.h"
#include "support.h"

namespace {

using search::Scope;
using searchtest::captions;
using searchtest::Reg;
using Titles = std::vector<std::string>;

// Records the calls it gets and asks for pacing; Escape arrives while
// messages run (pump) when escapeAtPump says so.
class PacedMonitor final : public searchtest::RecordingMonitor {
  public:
    void pump() override {
        RecordingMonitor::pump();
        escape = escape || escapeAtPump;
    }
    bool stopRequested() override {
        RecordingMonitor::stopRequested();
        const bool stop = escape;
        escape = false;
        return stop;
    }
    std::chrono::milliseconds pacing() const override { return std::chrono::hours(1); }

    bool escape = false;  // pressed before the search starts
    bool escapeAtPump = false;
};

class PacedSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        db.gazette(1, "Sl. glasnik RS");
        db.regulation(Reg{.id = 1, .title = "Zakon o radu", .text = "Poslodavac pla}a zaradu."});
        db.regulation(Reg{.id = 2, .title = "Zakon o porezu", .text = "Obveznik pla]a porez."});
        db.regulation(Reg{.id = 3, .title = "Uredba o radu", .text = "Stari tekst."});
        db.regulation(Reg{.id = 4, .title = "Pravilnik", .text = "Zakon o radu se primenjuje."});
        search::rebuildTextIndex(db.session(), database::kAlias);
        // A first search records the catalog.
        searchtest::RecordingMonitor unpaced;
        search::keywordSearch(db.data(), {"", Scope::Titles, 0}, unpaced, [](search::Row) {});
        ASSERT_NE(search::Catalog::find(db.data()), nullptr);
    }

    Titles run(const std::string& text, Scope scope, PacedMonitor& monitor) {
        search::Rows rows;
        outcome = search::keywordSearch(db.data(), {text, scope, 0}, monitor,
                                        [&](search::Row r) { rows.push_back(std::move(r)); });
        return captions(rows);
    }

    searchtest::SearchDb db;
    search::KeywordOutcome outcome;
};

TEST_F(PacedSearch, MessagesRunOnceAndTheStepsArriveAtTheEnd) {
    for (const Scope scope : {Scope::Titles, Scope::TitlesAndTexts}) {
        PacedMonitor monitor;
        const Titles found =
            scope == Scope::Titles ? Titles{"Zakon o radu"} : Titles{"Zakon o radu", "Pravilnik"};
        EXPECT_EQ(run("ZAKON RADU", scope, monitor), found);
        // The first row tests the stop request and runs the messages (before
        // its tests, or after them with the steps made so far); the second
        // tests the stop request once more; nothing else until the rest of
        // the steps arrive together.
        EXPECT_EQ(monitor.events, scope == Scope::Titles ? "RTPTS" : "RTSPTS");
        EXPECT_EQ(monitor.range, 8);
        EXPECT_EQ(monitor.steps, scope == Scope::Titles ? 6 : 8);
    }
}

TEST_F(PacedSearch, EscapeStopsAsItWouldAtEveryRow) {
    // Pressed before the search: nothing is found.
    PacedMonitor before;
    before.escape = true;
    EXPECT_EQ(run("ZAKON", Scope::Titles, before), Titles{});
    EXPECT_TRUE(outcome.stopped);

    // Pressed while the first row's messages run: that row is still tested,
    // the search stops at the top of the second.
    for (const Scope scope : {Scope::Titles, Scope::TitlesAndTexts}) {
        PacedMonitor during;
        during.escapeAtPump = true;
        EXPECT_EQ(run("ZAKON", scope, during), Titles{"Zakon o radu"});
        EXPECT_TRUE(outcome.stopped);
        EXPECT_EQ(outcome.summary, search::keywordSummary(scope, 1));
        EXPECT_EQ(during.steps, 1);
    }
}

}  // namespace
