// The fonts at start: the first start in a session adds the font files
// beside the program, a later start in the same session finds the faces and
// adds none. (A program of its own: the other start-up tests add the fonts
// before they begin.)
#define KORVET_STARTUP_WITHOUT_FONTS
#include <gtest/gtest.h>

#include <QFontDatabase>

#include "engine/session.h"
#include "fonts/fonts.h"
#include "platform/textconv.h"
#include "startup/tform2.h"
#include "startup_env.h"
#include "support/temp_program_dir.h"

namespace {

const bool kEnvironment =
    (::testing::AddGlobalTestEnvironment(new testsupport::StartupEnvironment(false)), true);

TEST(FontsInASession, OnlyTheFirstStartAddsThem) {
    testsupport::TempProgramDir dir;
    ASSERT_FALSE(QFontDatabase::families().contains(QStringLiteral("YHelvetica")));
    {
        engine::Session session;
        TForm2 first(session);
        EXPECT_EQ(first.fontsAdded, 5);
    }
    for (const auto& row : fonts::fontTable()) {
        EXPECT_TRUE(QFontDatabase::families().contains(platform::qs(row.face))) << row.face;
    }
    engine::Session session;
    TForm2 second(session);
    EXPECT_FALSE(second.terminated());
    EXPECT_EQ(second.fontsAdded, 0);
}

}  // namespace
