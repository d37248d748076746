// Killing the program while it stores a user contract (the editor's post of
// the row's text, as leaving the page or closing the program does) leaves the
// row with the text of one whole store, never a torn one, and the database
// passes its integrity check.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>

#include "campaign.h"
#include "database/filters.h"
#include "database/schema.h"
#include "engine/session.h"
#include "engine/table.h"
#include "support/child_process.h"
#include "support/data_session.h"
#include "support/temp_program_dir.h"
#include "update_checks.h"

namespace fs = std::filesystem;

namespace crashtest {
namespace {

constexpr const char* kName = "Ugovor pod udarom";

// The text of store number g: sizes from a few bytes to some 60 KB, so a
// store spans a changing number of pages and a torn one shows.
std::string storeText(long long g) {
    const auto length = static_cast<size_t>(g * 7919 % 60000);
    return "{\\rtf1 store " + std::to_string(g) + " " +
           std::string(length, static_cast<char>('a' + g % 26)) + "}";
}

// The store whose whole text the row holds; -1 when none.
long long storeOf(const std::string& text) {
    const std::string prefix = "{\\rtf1 store ";
    if (!text.starts_with(prefix)) {
        return -1;
    }
    const long long g = std::atoll(text.c_str() + prefix.size());
    return text == storeText(g) ? g : -1;
}

// The user contracts table of the program directory, on its own session.
struct Contracts {
    explicit Contracts(const testsupport::TempProgramDir& dir) : table(session) {
        testsupport::openDataSession(session, dir.path());
        table.setDatabaseName(database::kAlias);
        table.setTableName(database::kKorisnicki);
        table.open();
        table.setFilter(database::filters::korisnickiByName(kName));
        table.setFiltered(true);
    }
    ~Contracts() {
        table.close();
        session.close();
    }
    void store(long long g) {
        table.edit();
        table.field(database::pos::kKorisnickiTekst).setBytes(storeText(g));
        table.post();
    }
    engine::Session session;
    engine::Table table;
};

TEST(ContractCrashTest, TheRowHoldsAWholeStoreAndTheDatabaseIsSound) {
    testsupport::TempProgramDir dir;
    {
        Contracts contracts(dir);
        contracts.table.append();
        contracts.table.field(database::pos::kKorisnickiNaziv).setString(kName);
        contracts.table.field(database::pos::kKorisnickiTekst).setBytes(storeText(0));
        contracts.table.post();
    }
    // How long one store takes here.
    long long next = 1;
    std::chrono::microseconds oneStore{};
    {
        Contracts contracts(dir);
        const auto start = std::chrono::steady_clock::now();
        for (; next <= 3; ++next) {
            contracts.store(next);
        }
        oneStore = std::chrono::duration_cast<std::chrono::microseconds>(
                       std::chrono::steady_clock::now() - start) /
                   3;
    }

    const int runs = campaignRuns(5);
    std::mt19937 random(20261210);
    // The child opens the database, then stores over and over; the kill falls
    // in the opening or within its first stores.
    std::uniform_int_distribution<long long> moment(1, 8 * oneStore.count() + 20000);
    Tally tally;
    for (int run = 0; run < runs; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        const long long first = next;
        testsupport::ChildLimits limits;
        limits.killAfter = std::chrono::microseconds(moment(random));
        const auto outcome = testsupport::runInChild(limits, [&](std::string&) {
            Contracts contracts(dir);
            for (long long g = first;; ++g) {
                contracts.store(g);
            }
            return 0;
        });
        tally.kills += outcome.signal == SIGKILL ? 1 : 0;

        ASSERT_EQ(updatetest::integrity(dir.path()), "ok");
        Contracts contracts(dir);
        contracts.table.first();
        ASSERT_FALSE(contracts.table.eof());
        const long long g =
            storeOf(contracts.table.field(database::pos::kKorisnickiTekst).asString());
        contracts.table.next();
        EXPECT_TRUE(contracts.table.eof()) << "the row is there once";
        if (g < first - 1) {
            ++tally.torn;
        } else {
            (g == first - 1 ? tally.old : tally.fresh) += 1;
        }
        next = std::max(next, g + 1);
        contracts.store(next++);
    }
    EXPECT_EQ(tally.torn, 0);
    EXPECT_EQ(tally.kills, runs);
    std::cout << report("user contract stores (rows)", runs, tally) << '\n';
}

}  // namespace
}  // namespace crashtest
