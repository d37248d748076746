#include <gtest/gtest.h>

#include "database/filters.h"
#include "search/keyword.h"
#include "search_db.h"
#include "support.h"

namespace {

using search::Row;
using search::Rows;
using search::Scope;
using searchtest::captions;
using searchtest::RecordingMonitor;
using searchtest::Reg;

// Regulations in publication order:
//   1 g1 "Zakon o radu"                text with a small c-acute (pla}a)
//   2 g1 "Zakon o porezu na dobit"     notes of 250 bytes; text with a capital C-acute
//   3 g2 "Zakon o radu" 5/1999         superseded by 1
//   4 g1 "Uredba o {kolama"            text with a capital C-caron
//   5 g2 "Pravilnik o radnom vremenu"  text with a small c-caron, ZARADU in capitals
class KeywordSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        db.gazette(1, "Sl. glasnik RS");
        db.gazette(2, "Sl. list SRJ");
        db.regulation(Reg{.id = 1,
                          .gazette = 1,
                          .issue = "12",
                          .title = "Zakon o radu",
                          .text = "Poslodavac pla}a zaradu."});
        db.regulation(Reg{.id = 2,
                          .gazette = 1,
                          .year = "2006",
                          .issue = "3",
                          .title = "Zakon o porezu na dobit",
                          .text = "Obveznik pla]a porez.",
                          .notesLength = 250});
        db.regulation(Reg{.id = 3,
                          .gazette = 2,
                          .year = "1999",
                          .issue = "5",
                          .title = "Zakon o radu",
                          .text = "Stari tekst."});
        db.regulation(Reg{.id = 4,
                          .gazette = 1,
                          .year = "2007",
                          .issue = "7",
                          .title = "Uredba o {kolama",
                          .text = "^lan 1. Osnovne odredbe."});
        db.regulation(Reg{.id = 5,
                          .gazette = 2,
                          .year = "2001",
                          .issue = "1",
                          .title = "Pravilnik o radnom vremenu",
                          .text = "~lan 1. Radno vreme i ZARADU."});
        db.archive(1, 3, 0);
        db.archive(3, 0, 1);
    }

    Rows run(const std::string& text, Scope scope = Scope::Titles, long long gazette = 0) {
        RecordingMonitor monitor;
        return run(text, scope, gazette, monitor);
    }

    Rows run(const std::string& text, Scope scope, long long gazette, search::Monitor& monitor) {
        Rows rows;
        outcome = search::keywordSearch(db.data(), {text, scope, gazette}, monitor,
                                        [&](Row r) { rows.push_back(std::move(r)); });
        return rows;
    }

    searchtest::SearchDb db;
    search::KeywordOutcome outcome;
};

using Titles = std::vector<std::string>;
const Titles kAll = {"Zakon o radu", "Zakon o porezu na dobit", "Zakon o radu", "Uredba o {kolama",
                     "Pravilnik o radnom vremenu"};

TEST_F(KeywordSearch, TitleCases) {
    const struct {
        const char* text;
        long long gazette;
        Titles found;
    } cases[] = {
        {"ZAKON RADU", 0, {"Zakon o radu", "Zakon o radu"}},
        {"RADU ZAKON", 0, {"Zakon o radu", "Zakon o radu"}},
        {"zakon radu", 0, {"Zakon o radu", "Zakon o radu"}},
        {"RAD", 0, {"Zakon o radu", "Zakon o radu", "Pravilnik o radnom vremenu"}},
        {"[KOL", 0, {"Uredba o {kolama"}},
        {"ZAKON RADU", 1, {"Zakon o radu"}},
        {"ZAKON", 2, {"Zakon o radu"}},
        {"UREDBA", 2, {}},
        {"   ", 0, kAll},
        {"", 0, kAll},
        {"", 2, {"Zakon o radu", "Pravilnik o radnom vremenu"}},
        {"PLA}A", 0, {}},  // texts are not searched
        {"NEMA TOGA", 0, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(captions(run(c.text, Scope::Titles, c.gazette)), c.found)
            << c.text << " in gazette " << c.gazette;
        EXPECT_EQ(outcome.found, static_cast<long long>(c.found.size()));
        EXPECT_FALSE(outcome.stopped);
    }
}

TEST_F(KeywordSearch, ResultRowsCarryIconGazetteAndBg) {
    const Rows rows = run("ZAKON");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (Row{"Zakon o radu", {"Sl. glasnik RS", "12/2005"}, 0}));
    EXPECT_EQ(rows[1], (Row{"Zakon o porezu na dobit", {"Sl. glasnik RS", "3/2006"}, 2}));
    EXPECT_EQ(rows[2], (Row{"Zakon o radu", {"Sl. list SRJ", "5/1999"}, 3}));
    EXPECT_EQ(outcome.summary, "po naslovima (nadjeno 3 propisa)");
}

TEST_F(KeywordSearch, TitleAndTextCases) {
    const struct {
        const char* text;
        Titles found;
    } cases[] = {
        // A small c-acute in the text is found through the word's lower case...
        {"PLA]A", {"Zakon o radu"}},
        // ...which does not find the capital one.
        {"pla]a obveznik", {}},
        {"OBVEZNIK", {"Zakon o porezu na dobit"}},
        // A-Z compare without regard to case.
        {"zaradu", {"Zakon o radu", "Pravilnik o radnom vremenu"}},
        // A lone capital Serbian letter is looked for as it is.
        {"^", {"Uredba o {kolama"}},
        {"^LAN", {"Pravilnik o radnom vremenu"}},
        // Title or text, word by word.
        {"RADU PLA]A", {"Zakon o radu"}},
        {"UREDBA ODREDBE", {"Uredba o {kolama"}},
        {"", kAll},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(captions(run(c.text, Scope::TitlesAndTexts)), c.found) << c.text;
    }
    EXPECT_EQ(outcome.summary, "po naslovima i tekstovima (nadjeno 5 propisa)");
}

TEST_F(KeywordSearch, ProgressCountsWordTests) {
    RecordingMonitor titles;
    run("ZAKON RADU", Scope::Titles, 0, titles);
    EXPECT_EQ(titles.range, 10);
    // Rows 1 to 3 test both words; rows 4 and 5 stop at the first.
    EXPECT_EQ(titles.steps, 8);

    RecordingMonitor texts;
    run("ZAKON RADU", Scope::TitlesAndTexts, 0, texts);
    EXPECT_EQ(texts.range, 10);
    EXPECT_EQ(texts.steps, 10);

    RecordingMonitor oneGazette;
    run("ZAKON", Scope::Titles, 2, oneGazette);
    EXPECT_EQ(oneGazette.range, 2);
    EXPECT_EQ(oneGazette.steps, 2);
}

TEST_F(KeywordSearch, MessagesRunBeforeTitleTestsAndAfterTextTests) {
    RecordingMonitor titles;
    run("URED", Scope::Titles, 2, titles);
    EXPECT_EQ(titles.events, "RTPSTPS");
    RecordingMonitor texts;
    run("URED", Scope::TitlesAndTexts, 2, texts);
    EXPECT_EQ(texts.events, "RTSPTSP");
}

TEST_F(KeywordSearch, EscapeKeepsTheRowsFoundSoFar) {
    RecordingMonitor monitor;
    monitor.stopAt = 3;
    const Rows rows = run("ZAKON", Scope::Titles, 0, monitor);
    EXPECT_EQ(captions(rows), (Titles{"Zakon o radu", "Zakon o porezu na dobit"}));
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(outcome.summary, "po naslovima (nadjeno 2 propisa)");
    EXPECT_EQ(monitor.stopTests, 3);
}

TEST_F(KeywordSearch, DatasetsGetTheirSettingsBack) {
    database::MainData& data = db.data();
    // As the keyword tab leaves them: Zakoni cut from Glavna, Glavna filtered.
    data.Zakoni.setMasterFields("");
    data.Glavna.setFilter(database::filters::brojeviByGazette(2));
    data.Glavna.setFiltered(true);
    run("ZAKON", Scope::TitlesAndTexts, 1);
    EXPECT_EQ(data.Zakoni.masterFields(), "");
    EXPECT_EQ(data.Glavna.filter(), database::filters::brojeviByGazette(2));
    EXPECT_TRUE(data.Glavna.filtered());
    EXPECT_EQ(data.Glavna.recordCount(), 2);
}

TEST_F(KeywordSearch, PublicationRowWithoutRegulation) {
    db.publication(9, 1, "2008", "2");
    EXPECT_EQ(captions(run("ZAKON")).size(), 3u);
    const Rows all = run("");
    ASSERT_EQ(all.size(), 6u);
    EXPECT_EQ(all.back(), (Row{"", {"Sl. glasnik RS", ""}, 0}));
}

}  // namespace
