#include "compare/versions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "search_db.h"
#include "support/cli_run.h"

namespace {

// Three versions of one law (1 - 2 - 3, 3 current) and a law of its own.
class Versions : public ::testing::Test {
  protected:
    void SetUp() override {
        db.gazette(1, "Slu`beni glasnik RS");
        db.regulation({.id = 1,
                       .year = "2001",
                       .issue = "4",
                       .title = "Zakon o radu",
                       .text = "^lan 1.\nPrvi tekst.\n^lan 2.\nRok je osam dana.\n"});
        db.regulation({.id = 2,
                       .year = "2005",
                       .issue = "24",
                       .title = "Zakon o radu",
                       .text = "^lan 1.\nPrvi tekst.\n^lan 2.\nRok je petnaest dana.\n"});
        db.regulation({.id = 3,
                       .year = "2009",
                       .issue = "7",
                       .title = "Zakon o radu",
                       .text = "^lan 1.\nPrvi tekst.\n^lan 2.\nRok je petnaest dana.\n"
                               "^lan 3.\nNovi ~lan.\n"});
        db.regulation({.id = 4,
                       .year = "2009",
                       .issue = "7",
                       .title = "Zakon o porezu",
                       .text = "^lan 1.\nPorez.\n"});
        db.archive(1, 0, 2);
        db.archive(2, 1, 3);
        db.archive(3, 2, 0);
    }
    searchtest::SearchDb db;
};

std::vector<long long> ids(const std::vector<compare::Version>& chain) {
    std::vector<long long> out;
    for (const auto& v : chain) {
        out.push_back(v.id);
    }
    return out;
}

TEST_F(Versions, ChainFromAnyMemberOldestFirst) {
    for (long long id : {1, 2, 3}) {
        EXPECT_EQ(ids(compare::versionChain(db.session(), id)), (std::vector<long long>{1, 2, 3}));
    }
    const auto chain = compare::versionChain(db.session(), 2);
    EXPECT_EQ(chain[1].bg, "24/2005");
    EXPECT_EQ(ids(compare::versionChain(db.session(), 4)), (std::vector<long long>{4}));
    EXPECT_TRUE(compare::versionChain(db.session(), 99).empty());
}

TEST_F(Versions, ProposedPairIsTheChosenAndTheOneBefore) {
    const auto chain = compare::versionChain(db.session(), 3);
    EXPECT_EQ(compare::proposedPair(chain, 2).older, 1);
    EXPECT_EQ(compare::proposedPair(chain, 2).newer, 2);
    // The first version: it and the one after it.
    EXPECT_EQ(compare::proposedPair(chain, 0).older, 0);
    EXPECT_EQ(compare::proposedPair(chain, 0).newer, 1);
    EXPECT_EQ(compare::proposedPair({chain[0]}, 0).newer, -1);
}

TEST_F(Versions, CliPrintsTheComparison) {
    const testsupport::CliRun run =
        testsupport::runCli(db.dir(), {"diff", db.dir().string(), "1", "3"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out,
              "@ ^lan 2. (izmenjen)\n"
              "- Rok je osam dana.\n"
              "+ Rok je petnaest dana.\n"
              "@ ^lan 3. (dodat)\n"
              "+ ^lan 3.\n"
              "+ Novi ~lan.\n");
    // Identical texts print nothing; a missing regulation is an error.
    EXPECT_EQ(testsupport::runCli(db.dir(), {"diff", db.dir().string(), "4", "4"}).out, "");
    EXPECT_EQ(testsupport::runCli(db.dir(), {"diff", db.dir().string(), "1", "99"}).exitCode, 1);
    EXPECT_EQ(testsupport::runCli(db.dir(), {"diff", db.dir().string(), "x", "1"}).exitCode, 2);
}

}  // namespace
