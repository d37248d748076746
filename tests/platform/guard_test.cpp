// The guard: a step that throws ends with the Serbian message, its own text
// goes to the log, and a guarded connection passes the signal's arguments.
#include "platform/guard.h"

#include <gtest/gtest.h>

#include <QAction>
#include <stdexcept>

#include "platform/files.h"
#include "platform/log.h"
#include "support/scripted_ui.h"
#include "support/temp_program_dir.h"

namespace {

using testsupport::scriptedUi;

class Guard : public ::testing::Test {
  protected:
    Guard() { platform::setLogFile(dir_ / "korvet.log"); }
    ~Guard() override { platform::setLogFile({}); }

    std::string logText() { return platform::readFile(dir_ / "korvet.log").value_or(""); }

    testsupport::TempProgramDir dir_{false};
};

TEST_F(Guard, AThrowingStepShowsTheSentenceAndLogsItsOwnText) {
    scriptedUi().expectMessage(platform::kStepFailed);
    bool after = false;
    platform::guarded([&] {
        throw std::runtime_error("no such table: TB_zakoni");
        after = true;
    });
    EXPECT_FALSE(after);
    EXPECT_EQ(scriptedUi().shown().back().icon, platform::Icon::Error);
    EXPECT_NE(logText().find("no such table: TB_zakoni"), std::string::npos);
    // The user never reads the engine's text.
    EXPECT_EQ(scriptedUi().messages().back().find("TB_zakoni"), std::string::npos);
}

TEST_F(Guard, AStepThatSucceedsShowsNothing) {
    int runs = 0;
    platform::guarded([&] { ++runs; });
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(scriptedUi().shown().empty());
    EXPECT_EQ(logText(), "");
}

TEST_F(Guard, GuardedConnectionsPassArgumentsAndCatch) {
    QAction action;
    action.setCheckable(true);
    std::vector<bool> seen;
    platform::connectGuarded(&action, &QAction::triggered, &action,
                             [&](bool checked) { seen.push_back(checked); });
    platform::connectGuarded(&action, &QAction::triggered, &action,
                             [] { throw std::logic_error("broken handler"); });
    scriptedUi().expectMessage(platform::kStepFailed);
    action.trigger();
    EXPECT_EQ(seen, std::vector<bool>{true});
    EXPECT_NE(logText().find("broken handler"), std::string::npos);
}

}  // namespace
