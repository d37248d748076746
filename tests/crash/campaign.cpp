#include "campaign.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace crashtest {

int campaignRuns(int shortRuns) {
    const char* text = std::getenv("KORVET_CRASH_RUNS");
    const int runs = text != nullptr ? std::atoi(text) : 0;
    return runs > 0 ? runs : shortRuns;
}

std::string report(const char* name, int runs, const Tally& tally) {
    ::testing::Test::RecordProperty("kills", tally.kills);
    ::testing::Test::RecordProperty("old", tally.old);
    ::testing::Test::RecordProperty("new", tally.fresh);
    ::testing::Test::RecordProperty("torn", tally.torn);
    return std::string(name) + ": runs " + std::to_string(runs) + ", kills " +
           std::to_string(tally.kills) + ", old " + std::to_string(tally.old) + ", new " +
           std::to_string(tally.fresh) + ", torn " + std::to_string(tally.torn);
}

}  // namespace crashtest
