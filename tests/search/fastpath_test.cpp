// The fast keyword searches (the catalog of publication rows, the full-text
// index and the plain texts kept beside the rich texts) against the walk
// over the tables reading the rich texts, on a generated database with a
// realistic vocabulary, Serbian letters and legal tokens; the index going
// out of date when a table changes, a damaged index never trusted, a
// database without the plain texts, and the rebuild in the background.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>

#include "database/datasets.h"
#include "database/schema.h"
#include "demo/generator.h"
#include "engine/session.h"
#include "engine/sidedata.h"
#include "engine/table.h"
#include "search/catalog.h"
#include "search/catalogstore.h"
#include "search/keyword.h"
#include "search/opinions.h"
#include "search/startup.h"
#include "search/textindex.h"
#include "search/textrebuild.h"
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

    // No catalog in memory nor stored: the next search walks the tables.
    void forgetCatalog() {
        file().noteChange();
        engine::setSideValue(file(), "catalog", "");
    }

    // The walk over the tables reading the rich texts.
    Outcome reference(const search::KeywordQuery& q) {
        forgetCatalog();
        search::RtfTextScan scan;
        return run(q, &scan);
    }

    // What the window runs, with the catalog recorded by the start-up fill;
    // with texts, the given finder (the one the search picks by default).
    Outcome fast(const search::KeywordQuery& q, search::TextFinder* texts = nullptr) {
        searchtest::RecordingMonitor quiet;
        search::poubacuj(*data, quiet);
        EXPECT_NE(search::Catalog::find(*data), nullptr);
        glavnaEvents = 0;
        Outcome o = run(q, texts);
        EXPECT_EQ(glavnaEvents, 0) << "walked the tables: " << q.text;
        return o;
    }

    void expectSame(const Outcome& quick, const Outcome& slow, const std::string& what) {
        EXPECT_EQ(quick.rows, slow.rows) << what;
        EXPECT_EQ(quick.outcome.found, slow.outcome.found) << what;
        EXPECT_EQ(quick.outcome.summary, slow.outcome.summary) << what;
        EXPECT_EQ(quick.range, slow.range) << what;
        EXPECT_EQ(quick.steps, slow.steps) << what;
    }

    std::string indexPath() { return search::textIndexPath(file(), TextTable::Regulations); }

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
        {"UREDBA", Scope::TitlesAndTexts, 5},         // only titles hold it
        {"UPUTSTVO KOJI", Scope::TitlesAndTexts, 0},  // one word from the title, one from the text
        {". ,", Scope::TitlesAndTexts, 0},            // punctuation only
        {")", Scope::TitlesAndTexts, 0},
        {"(\"SLU@BENI", Scope::TitlesAndTexts, 0},  // a citation as it starts
        {"GLASNIK RS\",", Scope::TitlesAndTexts, 0},
        {"/2019)", Scope::TitlesAndTexts, 0},
        {"DINARA %", Scope::TitlesAndTexts, 0},
        {"^LANA 1", Scope::TitlesAndTexts, 0},
        {"\\", Scope::TitlesAndTexts, 0},  // the capital D with stroke alone
        {"LJ NJ D@", Scope::TitlesAndTexts, 0},
        {"NEMATAKVEREC", Scope::TitlesAndTexts, 0},
        {"   ", Scope::TitlesAndTexts, 1},
        {"", Scope::TitlesAndTexts, 0},
    };
    for (const auto& c : cases) {
        const search::KeywordQuery q{c.text, c.scope, c.gazette};
        const Outcome slow = reference(q);
        const std::string what = std::string(c.text) + " in gazette " + std::to_string(c.gazette);
        expectSame(fast(q), slow, what);
        // The plain texts without the index: the fallback.
        search::PlainTextScan plain(file(), TextTable::Regulations);
        expectSame(fast(q, &plain), slow, what + " (plain texts)");
        // The walk with the plain texts (no catalog yet).
        forgetCatalog();
        search::PlainTextScan walked(file(), TextTable::Regulations);
        expectSame(run(q, &walked), slow, what + " (walk, plain texts)");
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
        searchtest::RecordingMonitor a, b, p;
        search::RtfTextScan scan;
        search::PlainTextScan plain(file(), TextTable::Opinions);
        const Rows slow = search::opinionKeywordSearch(*data, q, a, scan);
        const Rows quick = search::opinionKeywordSearch(*data, q, b);
        EXPECT_EQ(quick, slow) << c.text;
        EXPECT_EQ(b.steps, a.steps) << c.text;
        EXPECT_EQ(search::opinionKeywordSearch(*data, q, p, plain), slow) << c.text;
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
    EXPECT_TRUE(search::textDataNeedsRebuild(file()));
    // The other table's index stays; the plain text followed the change.
    EXPECT_NE(search::TextIndex::current(file(), TextTable::Opinions), nullptr);
    EXPECT_TRUE(search::textCopyUsable(file(), TextTable::Regulations));
    EXPECT_EQ(search::textCopy(file(), TextTable::Regulations).textsOf(17),
              std::vector<std::optional<std::string>>{"Novi tekst: kvazimodo."});

    const search::KeywordQuery q{"KVAZIMODO", Scope::TitlesAndTexts, 0};
    const Outcome stale = run(q, nullptr);
    ASSERT_EQ(stale.rows.size(), 1u);
    EXPECT_EQ(fast(q).rows, stale.rows);  // from the plain texts

    search::rebuildTextIndex(session, database::kAlias);
    ASSERT_NE(search::TextIndex::current(file(), TextTable::Regulations), nullptr);
    EXPECT_FALSE(search::textDataNeedsRebuild(file()));
    EXPECT_EQ(fast(q).rows, stale.rows);
    EXPECT_EQ(fast({"PONU\\A^NOG", Scope::TitlesAndTexts, 0}).rows,
              reference({"PONU\\A^NOG", Scope::TitlesAndTexts, 0}).rows);
}

TEST_F(FastPath, AStoredCatalogSparesTheWalkUntilATableChanges) {
    const search::KeywordQuery q{"POREZ RA^UN", Scope::TitlesAndTexts, 0};
    ASSERT_TRUE(search::storedCatalogCurrent(file()));
    file().noteChange();  // nothing in memory: the stored catalog serves
    glavnaEvents = 0;
    const Outcome stored = run(q, nullptr);
    EXPECT_EQ(glavnaEvents, 0);
    expectSame(stored, reference(q), "stored catalog");

    // A new gazette name: the stored catalog is out of date.
    file().exec("UPDATE TB_Glasnici SET Naziv_glasnika = 'Novi' WHERE ID_GLASNIKA = 1");
    EXPECT_FALSE(search::storedCatalogCurrent(file()));
    EXPECT_TRUE(search::textDataNeedsRebuild(file()));
    const Outcome walked = run(q, nullptr);
    EXPECT_GT(glavnaEvents, 0);
    EXPECT_EQ(walked.rows, reference(q).rows);
    search::rebuildTextIndex(session, database::kAlias);
    EXPECT_TRUE(search::storedCatalogCurrent(file()));
    file().noteChange();
    glavnaEvents = 0;
    EXPECT_EQ(run(q, nullptr).rows, walked.rows);
    EXPECT_EQ(glavnaEvents, 0);
}

TEST_F(FastPath, ATableThatLostItsTriggersIsReadFromItsRichTexts) {
    // A repair makes a table again: its triggers are gone.
    file().exec("DROP TRIGGER korvet_copy_misljenja_delete");
    EXPECT_FALSE(search::textCopyUsable(file(), TextTable::Opinions));
    EXPECT_EQ(search::TextIndex::current(file(), TextTable::Opinions), nullptr);
    EXPECT_NE(search::TextIndex::current(file(), TextTable::Regulations), nullptr);
    EXPECT_NE(
        dynamic_cast<search::RtfTextScan*>(search::textFinder(file(), TextTable::Opinions).get()),
        nullptr);
    search::rebuildTextIndex(session, database::kAlias);
    EXPECT_TRUE(search::textCopyUsable(file(), TextTable::Opinions));
    EXPECT_NE(search::TextIndex::current(file(), TextTable::Opinions), nullptr);
}

TEST_F(FastPath, ADatabaseWithoutPlainTextsIsUpgradedByTheRebuild) {
    // As a database made before the plain texts and the index files.
    for (TextTable table : search::kTextTables) {
        search::textCopy(file(), table).drop();
        std::filesystem::remove(search::textIndexPath(file(), table));
    }
    const search::KeywordQuery q{"PONU\\A^NOG OBVEZNIK", Scope::TitlesAndTexts, 0};
    EXPECT_EQ(search::TextIndex::current(file(), TextTable::Regulations), nullptr);
    const Outcome slow = reference(q);
    expectSame(run(q, nullptr), slow, "without text data");  // a walk reading the rich texts
    EXPECT_TRUE(search::textDataNeedsRebuild(file()));

    search::rebuildTextIndex(session, database::kAlias);
    EXPECT_FALSE(search::textDataNeedsRebuild(file()));
    expectSame(fast(q), slow, "after the rebuild");
}

TEST_F(FastPath, ADamagedIndexFileIsNeverTrusted) {
    const auto state = search::indexformat::decodeState(
        *engine::sideValue(file(), search::indexformat::stateName(TextTable::Regulations)));
    ASSERT_TRUE(state);
    std::ifstream in(indexPath(), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    auto openBytes = [&](const std::string& b) {
        const std::string path = dir.path() / "damaged.index";
        std::ofstream(path, std::ios::binary | std::ios::trunc) << b;
        return search::TextIndex::open(path, state->build, static_cast<long long>(b.size()),
                                       state->checksum);
    };
    ASSERT_NE(openBytes(bytes), nullptr);
    for (size_t length : {size_t{0}, size_t{3}, size_t{128}, bytes.size() / 3, bytes.size() - 1}) {
        EXPECT_EQ(openBytes(bytes.substr(0, length)), nullptr) << length;
    }
    EXPECT_EQ(openBytes(bytes + "x"), nullptr);
    // A changed byte anywhere: no index, or an index that says it cannot
    // answer once it meets the damage, and never a wrong set.
    const search::DocumentSet good =
        *search::TextIndex::open(indexPath(), state->build, state->size, state->checksum)
             ->documentsWith("po");
    std::mt19937 random(7);
    int caught = 0;
    for (int round = 0; round < 60; ++round) {
        std::string damaged = bytes;
        damaged[random() % damaged.size()] ^= static_cast<char>(1 + random() % 255);
        const auto index = openBytes(damaged);
        if (!index) {
            ++caught;
            continue;
        }
        const auto set = index->documentsWith("po");
        if (!set) {
            ++caught;
            EXPECT_TRUE(index->damaged());
        } else {
            EXPECT_EQ(*set, good);
        }
    }
    EXPECT_GT(caught, 0);

    // The database's own index file damaged in its postings: the search
    // stays exact.
    std::string damaged = bytes;
    for (size_t at = bytes.size() / 2; at < bytes.size() / 2 + 4096; ++at) {
        damaged[at] = static_cast<char>(~damaged[at]);
    }
    std::ofstream(indexPath() + ".new", std::ios::binary | std::ios::trunc) << damaged;
    std::filesystem::rename(indexPath() + ".new", indexPath());
    const search::KeywordQuery q{"PO ^LANA", Scope::TitlesAndTexts, 0};
    expectSame(fast(q), reference(q), "damaged index");
}

TEST_F(FastPath, TheBackgroundRebuildMakesTheTextDataCurrent) {
    file().exec("DELETE FROM korvet_side_values");  // no index state
    EXPECT_TRUE(search::textDataNeedsRebuild(file()));
    search::BackgroundRebuild rebuild((dir.path() / "Podatci").string(), database::kMasterPassword);
    std::atomic<int> finished{0};
    rebuild.setFinished([&](const search::BackgroundRebuild::Status& s) {
        finished = s.outcome == search::BackgroundRebuild::Outcome::Done ? 1 : 2;
    });
    ASSERT_TRUE(rebuild.startIfNeeded(file()));
    EXPECT_EQ(
        search::BackgroundRebuild::statusText({search::BackgroundRebuild::Outcome::Running, 45}),
        "Indeks se obnavlja 45%");
    // Searches meanwhile stay exact.
    const search::KeywordQuery q{"POREZ RA^UN", Scope::TitlesAndTexts, 0};
    expectSame(fast(q), reference(q), "during the rebuild");
    rebuild.wait();
    EXPECT_EQ(finished.load(), 1) << rebuild.status().error;
    EXPECT_EQ(rebuild.status().percent, 100);
    EXPECT_FALSE(search::textDataNeedsRebuild(file()));
    EXPECT_EQ(search::BackgroundRebuild::statusText(rebuild.status()), "");
    EXPECT_FALSE(rebuild.startIfNeeded(file()));
    expectSame(fast(q), reference(q), "after the rebuild");

    // A cancelled rebuild leaves the data as it was.
    file().exec("DELETE FROM korvet_side_values");
    rebuild.setFinished({});
    ASSERT_TRUE(rebuild.start());
    rebuild.cancel();
    EXPECT_NE(rebuild.status().outcome, search::BackgroundRebuild::Outcome::Failed);
    EXPECT_FALSE(rebuild.running());
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
