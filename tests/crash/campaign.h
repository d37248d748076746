#pragma once
// The crash campaigns: a child runs real work (saves, an update merge) and
// is killed with SIGKILL at a random moment; the test then checks that
// every file and table holds its old or its new content, never a torn one.
// KORVET_CRASH_RUNS raises the number of kills for a full campaign.
#include <string>

namespace crashtest {

// Kills per campaign: KORVET_CRASH_RUNS when set, else shortRuns.
int campaignRuns(int shortRuns);

// What the checks after the kills found, per file or table.
struct Tally {
    int kills = 0;  // children that died of the signal (not of their own end)
    int old = 0;    // held the content from before the work that was cut short
    int fresh = 0;  // held the content the work was writing
    int torn = 0;   // anything else
};

// "NAME: runs R, kills K, old O, new N, torn T", also recorded in the test's
// XML output.
std::string report(const char* name, int runs, const Tally& tally);

}  // namespace crashtest
