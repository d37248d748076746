// The fast keyword searches (the catalog of publication rows and the
// full-text index) against the walk over the tables with the plain text
// scan, on a generated database with Serbian letters; the index going stale
// when a table changes, and a damaged index never used.
#include <gtest/gtest.h>

#include <random>

#include "database/datasets.h"
#include "database/schema.h"
#include "demo/generator.h"
#include "engine/session.h"
#include "engine/sqlite_util.h"
#include "engine/table.h"
#include "search/catalog.h"
#include "search/keyword.h"
#include "search/opinions.h"
#include "search/startup.h"
#include "search/textindex.h"
#include "search/textscan.h"
#include "support.h"
#include "support/data_session.h"
#include "support/temp_program_dir.h"

namespace {

using search::Rows;
using search::Scope;
using search::TextTable;

class FastPath : public ::testing::Test {
  protected:
    void SetUp() override {
        demo::generateDatabase({.regulations = 240, .opinions = 60, .textKb = 3}, dir.path());
        testsupport::openDataSession(session, dir.path());
        data = std::make_unique<database::MainData>(session);
        data->openAll();
        // Counts the moves of Glavna: a search from the catalog makes none.
        data->Glavna.addListener([this](engine::Table&, engine::Event e) {
            glavnaEvents += e == engine::Event::RecordChanged ? 1 : 0;
        });
    }

    void TearDown() override {
        data->closeAll();
        data.reset();
        session.close();
    }

    engine::Database& file() { return session.database(database::kAlias); }

    struct Outcome {
        Rows rows;
        search::KeywordOutcome outcome;
        long long range = 0;
        long long steps = 0;
    };

    // The walk over the tables with the plain scan of the texts.
    Outcome reference(const search::KeywordQuery& q) {
        file().noteChange();  // no catalog: the walk
        search::PlainTextScan scan;
        return run(q, &scan);
    }

    // What the window runs, with the catalog recorded by the start-up fill.
    Outcome fast(const search::KeywordQuery& q) {
        searchtest::RecordingMonitor quiet;
        search::poubacuj(*data, quiet);
        EXPECT_NE(search::Catalog::find(*data), nullptr);
        glavnaEvents = 0;
        Outcome o = run(q, nullptr);
        EXPECT_EQ(glavnaEvents, 0) << "walked the tables: " << q.text;
        return o;
    }

    Outcome run(const search::KeywordQuery& q, search::TextFinder* texts) {
        Outcome o;
        searchtest::RecordingMonitor monitor;
        auto sink = [&](search::Row r) { o.rows.push_back(std::move(r)); };
        o.outcome = texts != nullptr ? search::keywordSearch(*data, q, monitor, sink, *texts)
                                     : search::keywordSearch(*data, q, monitor, sink);
        o.range = monitor.range;
        o.steps = monitor.steps;
        return o;
    }

    testsupport::TempProgramDir dir{false};
    engine::Session session;
    std::unique_ptr<database::MainData> data;
    int glavnaEvents = 0;
};

TEST_F(FastPath, KeywordSearchGivesTheRowsOfTheWalk) {
    ASSERT_NE(search::TextIndex::current(file(), TextTable::Regulations), nullptr);
    const struct {
        const char* text;
        Scope scope;
        long long gazette;
    } cases[] = {
        {"POREZ RA^UN", Scope::Titles, 0},
        {"ZAKON", Scope::Titles, 1},
        {"O", Scope::Titles, 3},
        {"ra~un", Scope::Titles, 0},  // upper-cased before the test
        {"", Scope::Titles, 2},
        {"POREZ RA^UN", Scope::TitlesAndTexts, 0},
        {"PUNOMO]JNOG PONU\\A^NOG", Scope::TitlesAndTexts, 0},
        {"PO", Scope::TitlesAndTexts, 0},  // two letters
        {"^", Scope::TitlesAndTexts, 0},   // a single Serbian capital, looked for as it is
        {"@", Scope::TitlesAndTexts, 0},
        {"] [", Scope::TitlesAndTexts, 0},
        {"^LAN 7.", Scope::TitlesAndTexts, 0},
        {"GODI[NJSKI", Scope::TitlesAndTexts, 0},  // lower case in the text, capitals in headings
        {"ZAKON IJ", Scope::TitlesAndTexts, 0},
        {"PRAVILNIK OBVEZNIK", Scope::TitlesAndTexts, 2},
        {"UREDBA", Scope::TitlesAndTexts, 5},
        {"NEMATAKVEREC", Scope::TitlesAndTexts, 0},
        {"   ", Scope::TitlesAndTexts, 1},
        {"", Scope::TitlesAndTexts, 0},
    };
    for (const auto& c : cases) {
        const search::KeywordQuery q{c.text, c.scope, c.gazette};
        const Outcome slow = reference(q);
        const Outcome quick = fast(q);
        EXPECT_EQ(quick.rows, slow.rows) << c.text << " in gazette " << c.gazette;
        EXPECT_EQ(quick.outcome.found, slow.outcome.found) << c.text;
        EXPECT_EQ(quick.outcome.summary, slow.outcome.summary) << c.text;
        EXPECT_EQ(quick.range, slow.range) << c.text;
        EXPECT_EQ(quick.steps, slow.steps) << c.text;
    }
    // The cases are no trivial ones: some find many rows, some few.
    EXPECT_GT(reference({"PO", Scope::TitlesAndTexts, 0}).rows.size(), 200u);
    const size_t rare = reference({"PUNOMO]JNOG", Scope::TitlesAndTexts, 0}).rows.size();
    EXPECT_GT(rare, 0u);
    EXPECT_LT(rare, 200u);
}

TEST_F(FastPath, OpinionSearchGivesTheRowsOfTheScan) {
    ASSERT_NE(search::TextIndex::current(file(), TextTable::Opinions), nullptr);
    const struct {
        const char* text;
        std::optional<std::string> ministry;
    } cases[] = {
        {"OBVEZNIK ROK", std::nullopt},
        {"PO", std::nullopt},
        {"^", std::nullopt},  // the capital only: opinion words stay upper case
        {"RA^UN", std::nullopt},
        {"MI[LJENJE POREZ", std::nullopt},
        {"ZAKONA", "Ministarstvo finansija"},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        const search::OpinionQuery q{c.text, Scope::TitlesAndTexts, c.ministry};
        searchtest::RecordingMonitor a, b;
        search::PlainTextScan scan;
        const Rows slow = search::opinionKeywordSearch(*data, q, a, scan);
        const Rows quick = search::opinionKeywordSearch(*data, q, b);
        EXPECT_EQ(quick, slow) << c.text;
        EXPECT_EQ(b.steps, a.steps) << c.text;
    }
}

TEST_F(FastPath, AChangedTableIsReadUntilTheIndexIsRebuilt) {
    // One regulation gets a text with a word no other text has.
    {
        engine::Table zakoni(session, "edit");
        zakoni.setDatabaseName(database::kAlias);
        zakoni.setTableName(database::kZakoni);
        zakoni.open();
        zakoni.setFilter("ID_ZAKONA = 17");
        zakoni.setFiltered(true);
        zakoni.first();
        zakoni.edit();
        zakoni.fieldByName("Latinica").setBytes("{\\rtf1\\ansi Novi tekst: kvazimodo.\\par}");
        zakoni.post();
        zakoni.close();
    }
    EXPECT_EQ(search::TextIndex::current(file(), TextTable::Regulations), nullptr);
    EXPECT_EQ(search::textIndexInfo(file(), TextTable::Regulations), std::nullopt);
    // The other table's index stays.
    EXPECT_NE(search::TextIndex::current(file(), TextTable::Opinions), nullptr);

    const search::KeywordQuery q{"KVAZIMODO", Scope::TitlesAndTexts, 0};
    const Outcome stale = run(q, nullptr);
    ASSERT_EQ(stale.rows.size(), 1u);

    search::rebuildTextIndex(session, database::kAlias);
    ASSERT_NE(search::TextIndex::current(file(), TextTable::Regulations), nullptr);
    EXPECT_EQ(fast(q).rows, stale.rows);
    EXPECT_EQ(fast({"PONU\\A^NOG", Scope::TitlesAndTexts, 0}).rows,
              reference({"PONU\\A^NOG", Scope::TitlesAndTexts, 0}).rows);
}

TEST_F(FastPath, AnIndexWithoutItsTriggersOrDamagedIsNotUsed) {
    file().exec("DROP TRIGGER korvet_fulltext_misljenja_delete");
    EXPECT_EQ(search::TextIndex::current(file(), TextTable::Opinions), nullptr);
    EXPECT_NE(search::TextIndex::current(file(), TextTable::Regulations), nullptr);

    search::rebuildTextIndex(session, database::kAlias);
    file().exec("UPDATE korvet_fulltext_data SET data = data || x'00' WHERE name = 'zakoni'");
    EXPECT_EQ(search::TextIndex::current(file(), TextTable::Regulations), nullptr);
    // The search reads the texts and finds the same rows.
    const search::KeywordQuery q{"POREZ RA^UN", Scope::TitlesAndTexts, 0};
    EXPECT_EQ(run(q, nullptr).rows, reference(q).rows);
}

TEST_F(FastPath, DamagedIndexBytesReadAsNoIndex) {
    engine::detail::Stmt stmt(file().handle(),
                              "SELECT data FROM korvet_fulltext_data WHERE name = 'zakoni'");
    ASSERT_TRUE(stmt.step());
    const std::string bytes = stmt.columnBytes(0);
    ASSERT_NE(search::TextIndex::parse(bytes), nullptr);
    for (size_t length : {size_t{0}, size_t{3}, size_t{16}, bytes.size() / 3, bytes.size() - 1}) {
        EXPECT_EQ(search::TextIndex::parse(bytes.substr(0, length)), nullptr) << length;
    }
    EXPECT_EQ(search::TextIndex::parse(bytes + "x"), nullptr);
    // Changed bytes either read as no index or answer without harm.
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string damaged = bytes;
        for (int k = 0; k < 4; ++k) {
            damaged[random() % damaged.size()] = static_cast<char>(random());
        }
        if (const auto index = search::TextIndex::parse(damaged)) {
            for (const char* word : {"po", "a", "porez", "^"}) {
                EXPECT_EQ(index->documentsWith(word).size(), (index->documents() + 63) / 64);
            }
        }
    }
}

TEST(TextIndexWords, OnlyWordsWithoutWhiteSpaceAreAnswered) {
    EXPECT_TRUE(search::TextIndex::answers("po"));
    EXPECT_TRUE(search::TextIndex::answers("^"));
    EXPECT_TRUE(search::TextIndex::answers("a.b,c;"));
    EXPECT_FALSE(search::TextIndex::answers(""));
    EXPECT_FALSE(search::TextIndex::answers("a\tb"));
    EXPECT_FALSE(search::TextIndex::answers("a\nb"));
    EXPECT_FALSE(search::TextIndex::answers("a\rb"));
}

}  // namespace
