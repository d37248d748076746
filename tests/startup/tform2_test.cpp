// The start-up window: its creation (date format, session, version line),
// the single-instance guard, the splash timer and the hand-over to the main
// window, and the end of the program when the main window closes.
#include "startup/tform2.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include "app/wiring.h"
#include "engine/session.h"
#include "fonts/fonts.h"
#include "mainwindow/tform1.h"
#include "platform/files.h"
#include "settings/settings.h"
#include "startup_env.h"
#include "support/find_child.h"
#include "support/scripted_ui.h"
#include "support/temp_program_dir.h"
#include "widgets/apphint.h"

namespace {

using Lines = std::vector<std::string>;

class Startup : public ::testing::Test {
  protected:
    Startup() { settings::resetProcessValues(); }

    std::unique_ptr<TForm2> create(engine::Session& session) {
        auto form = std::make_unique<TForm2>(session);
        form->handoverPauseMs = 0;
        form->endProgram = [this] { ++ended_; };
        return form;
    }

    testsupport::TempProgramDir dir_;
    engine::Session session_;
    int ended_ = 0;
};

TEST_F(Startup, CreationPreparesTheSessionAndStartsTheSplash) {
    settings::dateFormat() = settings::DateFormat{'-', "yyyy", "yyyy"};
    auto form = create(session_);
    EXPECT_FALSE(form->terminated());
    EXPECT_EQ(settings::dateFormat().separator, '/');
    EXPECT_EQ(settings::dateFormat().shortFormat, "dd/mm/yyyy");
    EXPECT_EQ(settings::dateFormat().longFormat, "dd/mm/yyyy");
    EXPECT_EQ(session_.netFileDir(), dir_.path().string() + "/");
    EXPECT_TRUE(session_.hasAlias("Zakoni"));
    EXPECT_EQ(session_.aliasPath("ZAKONI"), (dir_ / "Podatci").string());
    EXPECT_TRUE(session_.knowsPassword("propis"));
    EXPECT_TRUE(session_.active());
    EXPECT_EQ(fonts::interfaceFace(), "YU Sans Serif");
    EXPECT_TRUE(form->started);
    EXPECT_TRUE(testsupport::child<QTimer>(form.get(), "Timer1")->isActive());
    EXPECT_EQ(testsupport::child<QTimer>(form.get(), "Timer1")->interval(), 1);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->size(), QSize(549, 288));
    EXPECT_EQ(testsupport::child<QProgressBar>(form.get(), "ProgressBar1")->geometry(),
              QRect(376, 237, 163, 21));
    EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Trevion"));
    // No settings file: no version.
    EXPECT_EQ(settings::programVersion(), "");
}

TEST_F(Startup, AnAliasLeftFromBeforeIsReplaced) {
    session_.addStandardAlias("zakoni", "/elsewhere", "Paradox");
    auto form = create(session_);
    EXPECT_EQ(session_.aliasPath("Zakoni"), (dir_ / "Podatci").string());
}

struct VersionCase {
    const char* name;
    Lines lines;
    const char* version;
};

class StartupVersion : public Startup, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(StartupVersion, ComesFromLineNine) {
    ASSERT_TRUE(platform::writeLinesAtomic(dir_ / "trevion.cfg", GetParam().lines));
    auto form = create(session_);
    EXPECT_EQ(settings::programVersion(), GetParam().version);
    EXPECT_EQ(form->ff, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, StartupVersion,
    ::testing::Values(
        VersionCase{
            "given", {"1", "2", "Bez proxy-ja", "", "", "10", "16", "14", "", "2.3.1"}, "2.3.1"},
        VersionCase{"empty", {"1", "2", "Bez proxy-ja", "", "", "10", "16", "14", "", ""}, "2.2.0"},
        VersionCase{"fiveLines", {"1", "2", "Bez proxy-ja", "", ""}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Startup, ASecondInstanceShowsTheMessageAndEnds) {
    auto first = create(session_);
    engine::Session otherSession;
    testsupport::scriptedUi().expectMessage(TForm2::kAlreadyRunning);
    auto second = create(otherSession);
    EXPECT_TRUE(second->terminated());
    EXPECT_FALSE(second->isVisible());
    EXPECT_FALSE(testsupport::child<QTimer>(second.get(), "Timer1")->isActive());
    EXPECT_FALSE(otherSession.active());
    EXPECT_FALSE(first->terminated());
    // Once the first instance is gone the next start goes through.
    second.reset();
    first.reset();
    engine::Session thirdSession;
    auto third = create(thirdSession);
    EXPECT_FALSE(third->terminated());
}

// The splash with a main window to hand over to.
class Handover : public Startup {
  protected:
    Handover() {
        form2_ = create(session_);
        form1_ = std::make_unique<TForm1>(session_);
        app::wireStartup(*form2_, *form1_);
    }
    ~Handover() override { widgets::setHintHandler({}); }

    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TForm1> form1_;
};

TEST_F(Handover, AnEarlyClickDoesNotOpenTheMainWindow) {
    form2_->Timer1Timer();
    testsupport::clickOn(testsupport::child<QLabel>(form2_.get(), "Image1"));
    testsupport::pressOn(testsupport::child<QProgressBar>(form2_.get(), "ProgressBar1"));
    EXPECT_EQ(testsupport::child<QProgressBar>(form2_.get(), "ProgressBar1")->value(), 10);
    EXPECT_TRUE(testsupport::child<QTimer>(form2_.get(), "Timer1")->isActive());
    EXPECT_FALSE(form1_->isVisible());
}

TEST_F(Handover, AFullBarOpensTheMainWindowAndItsCloseEndsTheProgram) {
    for (int tick = 1; tick <= 9; ++tick) {
        form2_->Timer1Timer();
    }
    EXPECT_EQ(testsupport::child<QProgressBar>(form2_.get(), "ProgressBar1")->value(), 90);
    EXPECT_TRUE(testsupport::child<QTimer>(form2_.get(), "Timer1")->isActive());

    bool sawMainWindow = false;
    testsupport::scriptedUi().expectModal([&](QDialog& dialog) {
        sawMainWindow = &dialog == form1_.get();
        EXPECT_FALSE(testsupport::child<QTimer>(form2_.get(), "Timer1")->isActive());
        // The first activation runs once the window is up.
        QCoreApplication::processEvents();
        EXPECT_FALSE(form1_->firstActivation);
        EXPECT_FALSE(form2_->isVisible());
        EXPECT_EQ(form1_->panelText(2), "Inicijalizacija zavr{ena");
        // Hints now reach the status bar.
        widgets::setCurrentHint("Adresa proxy servera");
        EXPECT_EQ(form1_->panelText(2), "Adresa proxy servera");
        widgets::setCurrentHint("");
        EXPECT_EQ(ended_, 0);
        dialog.close();
        return 0;
    });
    form2_->Timer1Timer();
    EXPECT_TRUE(sawMainWindow);
    EXPECT_EQ(ended_, 1);
    EXPECT_FALSE(form1_->isVisible());
    EXPECT_TRUE(std::filesystem::exists(dir_ / "trevion.cfg"));
}

}  // namespace
