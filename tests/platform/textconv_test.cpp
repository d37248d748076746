#include <gtest/gtest.h>

#include <QTextBoundaryFinder>
#include <vector>

#include "platform/textconv.h"

namespace {

TEST(TextConv, EveryByteComesBackUnchanged) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(platform::ys(platform::qs(all)), all);
    EXPECT_EQ(platform::qs("[a|").at(0), QChar(0xE05B));
    EXPECT_EQ(platform::qs("[a|").at(1), QChar(u'a'));
    EXPECT_EQ(platform::ys(QStringLiteral("\u0416")), "?");  // no YUSCII byte
}

TEST(TextConv, LinesBreakOnlyBetweenWordsWhateverTheirLetters) {
    // proizvođača računa Računa: the codes of đ and ć are punctuation in
    // ASCII, after which a line may break; their private-use form may not.
    const QString text = platform::qs("proizvo|a~a ra}una Ra]una");
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    std::vector<qsizetype> breaks;
    while (finder.toNextBoundary() != -1) {
        breaks.push_back(finder.position());
    }
    EXPECT_EQ(breaks, (std::vector<qsizetype>{12, 19, 25}));
}

}  // namespace
