#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "database/schema.h"
#include "engine/session.h"
#include "search/textindex.h"
#include "search_db.h"
#include "support/temp_program_dir.h"

namespace {

// Runs korvet-cli with the arguments; returns its standard output.
std::string cli(const std::string& args, int* status) {
    const std::string command =
        (testsupport::builtProgramDir() / "korvet-cli").string() + " " + args + " 2>/dev/null";
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        ADD_FAILURE() << "cannot run " << command;
        return out;
    }
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, n);
    }
    *status = pclose(pipe);
    return out;
}

class CliSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        db.gazette(1, "Sl. glasnik RS");
        db.gazette(2, "Sl. list SRJ");
        db.regulation({.id = 1,
                       .gazette = 1,
                       .issue = "12",
                       .title = "Zakon o radu",
                       .text = "Poslodavac pla}a zaradu."});
        db.regulation({.id = 2,
                       .gazette = 2,
                       .year = "1999",
                       .issue = "5",
                       .title = "Zakon o {tednji",
                       .text = "Banka."});
        dir = "'" + db.dir().string() + "'";
    }

    searchtest::SearchDb db;
    std::string dir;
};

TEST_F(CliSearch, PrintsRowsThenSummary) {
    const struct {
        std::string args;
        std::string out;
    } cases[] = {
        {"zakon",
         "Zakon o radu\tSl. glasnik RS\t12/2005\n"
         "Zakon o {tednji\tSl. list SRJ\t5/1999\n"
         "po naslovima (nadjeno 2 propisa)\n"},
        {"--gazette 2 ZAKON",
         "Zakon o {tednji\tSl. list SRJ\t5/1999\npo naslovima (nadjeno 1 propisa)\n"},
        {"ZAKON PLA]A", "po naslovima (nadjeno 0 propisa)\n"},
        {"--texts ZAKON PLA]A",
         "Zakon o radu\tSl. glasnik RS\t12/2005\npo naslovima i tekstovima (nadjeno 1 propisa)\n"},
    };
    for (const auto& c : cases) {
        int status = -1;
        EXPECT_EQ(cli("search " + dir + " " + c.args, &status), c.out) << c.args;
        EXPECT_EQ(status, 0);
    }
}

TEST_F(CliSearch, ReindexBuildsTheIndexTheSearchesUse) {
    engine::Database& file = db.session().database(database::kAlias);
    EXPECT_EQ(search::TextIndex::current(file, search::TextTable::Regulations), nullptr);
    int status = -1;
    EXPECT_EQ(cli("reindex " + dir, &status).substr(0, 20), "regulations\t2 texts\t");
    EXPECT_EQ(status, 0);
    ASSERT_NE(search::TextIndex::current(file, search::TextTable::Regulations), nullptr);
    EXPECT_EQ(cli("search " + dir + " --texts PLA}A", &status),
              "Zakon o radu\tSl. glasnik RS\t12/2005\n"
              "po naslovima i tekstovima (nadjeno 1 propisa)\n");
    cli("reindex", &status);
    EXPECT_NE(status, 0);
}

TEST_F(CliSearch, BadArguments) {
    int status = 0;
    cli("search", &status);
    EXPECT_NE(status, 0);
    cli("search " + dir + " --gazette x ZAKON", &status);
    EXPECT_NE(status, 0);
    cli("search /nonexistent-korvet ZAKON", &status);
    EXPECT_NE(status, 0);
}

}  // namespace
