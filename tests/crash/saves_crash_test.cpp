// Killing the program while it saves its settings and remembered lists (the
// four list files, then "trevion.cfg", as the main window saves them at
// close) leaves each file with the content of one whole save, in save
// order, once the next start has swept up: never torn. Every other run the
// folder forbids new files, so the saves go in place through the journal.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>

#include "campaign.h"
#include "lists/rememberedlists.h"
#include "platform/files.h"
#include "settings/settings.h"
#include "support/child_process.h"
#include "support/temp_program_dir.h"

namespace fs = std::filesystem;

namespace crashtest {
namespace {

// The content of every file in save number g: sizes change from save to
// save (a few bytes to some 40 KB), so a torn write shows.
struct Save {
    lists::RememberedLists lists;
    std::vector<std::string> cfg;

    explicit Save(long long g) {
        int which = 0;
        for (auto* list : {&lists.history, &lists.recent, &lists.quick, &lists.newest}) {
            const long long count = 1 + (g * 7 + which * 3) % lists::kLimitMax;
            for (long long i = 0; i < count; ++i) {
                const auto length = static_cast<size_t>((g * 977 + i * 131 + which) % 1700);
                list->push_back(std::to_string(g) + " " + std::to_string(i) + " " +
                                std::string(length, static_cast<char>('a' + (g + i) % 26)));
            }
            ++which;
        }
        settings::Values values;
        values.line0 = static_cast<int>(g);
        values.styles[0].size = static_cast<int>(10 + g % 7);
        settings::Controls controls;
        controls.proxy = g % 2 == 0;
        controls.proxyAddress = std::string(static_cast<size_t>(g * 389 % 3000), 'p');
        controls.proxyPort = std::to_string(g);
        cfg = settings::cfgLines(values, controls, "2.2." + std::to_string(g));
    }

    // The files in the order they are written, with their lines.
    std::vector<std::pair<std::string, std::vector<std::string>>> files() const {
        std::vector<std::pair<std::string, std::vector<std::string>>> out;
        for (const auto& [name, lines] : lists.files()) {
            out.emplace_back(name, *lines);
        }
        out.emplace_back(settings::kCfgFile, cfg);
        return out;
    }

    // As the main window's close does: each file, a failure moving on.
    void write(const fs::path& dir) const {
        for (const auto& [name, lines] : files()) {
            platform::writeLinesAtomic(dir / name, lines);
        }
    }
};

// The save a file's content is whole of; -1 when it is none.
long long saveOf(const fs::path& file, size_t position) {
    const auto bytes = platform::readFile(file);
    if (!bytes || bytes->empty()) {
        return -1;
    }
    const auto lines = platform::splitLines(*bytes);
    // Lists start with the save's number, the settings with line 0.
    const long long g = std::atoll(lines.front().c_str());
    const auto expected = Save(g).files().at(position).second;
    return *bytes == platform::joinCrLf(expected) ? g : -1;
}

class SavesCrashTest : public ::testing::Test {
  protected:
    SavesCrashTest() { ::setenv("XDG_STATE_HOME", (dir_ / "state").c_str(), 1); }
    ~SavesCrashTest() override { ::unsetenv("XDG_STATE_HOME"); }

    fs::path folder() const { return dir_ / "program"; }

    // Leftovers of saves: temporary files beside the targets, journals.
    std::vector<std::string> leftovers() const {
        std::vector<std::string> found;
        std::error_code ec;
        for (const fs::path& d : {folder(), dir_ / "state" / "korvet" / "saves"}) {
            for (const auto& entry : fs::directory_iterator(d, ec)) {
                const std::string name = entry.path().filename().string();
                if (name.ends_with("~") || name.find(".journal") != std::string::npos) {
                    found.push_back(name);
                }
            }
        }
        return found;
    }

    testsupport::TempProgramDir dir_{false};
};

TEST_F(SavesCrashTest, EveryFileHoldsAWholeSaveInSaveOrder) {
    fs::create_directories(folder());
    // How long one save of all files takes here.
    const auto start = std::chrono::steady_clock::now();
    constexpr long long kTimed = 3;
    for (long long g = 0; g < kTimed; ++g) {
        Save(g).write(folder());
    }
    const auto oneSave = std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::steady_clock::now() - start) /
                         kTimed;
    long long next = kTimed;
    Save(next - 1).write(folder());

    const int runs = campaignRuns(10);
    std::mt19937 random(20261210);
    // The child saves over and over; the kill falls within its first saves.
    std::uniform_int_distribution<long long> moment(1, 4 * oneSave.count() + 1000);
    Tally tally;
    for (int run = 0; run < runs; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        const bool inPlace = run % 2 == 1;
        if (inPlace) {
            fs::permissions(folder(), fs::perms(0555));
        }
        const long long first = next;
        testsupport::ChildLimits limits{.ordinaryUser = inPlace};
        limits.killAfter = std::chrono::microseconds(moment(random));
        const auto outcome = testsupport::runInChild(limits, [&](std::string&) {
            for (long long g = first;; ++g) {
                Save(g).write(folder());
            }
            return 0;
        });
        fs::permissions(folder(), fs::perms(0755));
        tally.kills += outcome.signal == SIGKILL ? 1 : 0;

        // The next start sweeps up what the crash left.
        platform::recoverInterruptedSaves(folder());
        EXPECT_EQ(leftovers(), std::vector<std::string>{});
        const auto names = Save(0).files();
        std::vector<long long> saves;
        for (size_t i = 0; i < names.size(); ++i) {
            saves.push_back(saveOf(folder() / names[i].first, i));
        }
        // The files written first may hold a newer save than the rest, by one.
        const long long newest = saves.front();
        const long long oldest = saves.back();
        bool ordered = oldest >= first - 1 && (newest == oldest || newest == oldest + 1);
        for (size_t i = 1; i < saves.size(); ++i) {
            ordered = ordered && saves[i] <= saves[i - 1];
        }
        for (long long g : saves) {
            if (g < 0 || !ordered) {
                ++tally.torn;
            } else {
                (g == newest && newest != oldest ? tally.fresh : tally.old) += 1;
            }
        }
        EXPECT_TRUE(ordered) << ::testing::PrintToString(saves);
        next = std::max(next, newest + 1);
        // The next run starts from whole files of one save.
        Save(next).write(folder());
        ++next;
    }
    EXPECT_EQ(tally.torn, 0);
    EXPECT_EQ(tally.kills, runs);
    std::cout << report("settings and list saves (files)", runs, tally) << '\n';
}

}  // namespace
}  // namespace crashtest
