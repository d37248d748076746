// Every test executable runs with a QApplication on the offscreen platform and
// with the scripted dialog seam installed, so nothing ever blocks.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "support/scripted_ui.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trevion"));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new testsupport::ScriptedUiListener);
    int result = RUN_ALL_TESTS();
    return (result == 0 && testsupport::unusedExpectations()) ? 1 : result;
}
