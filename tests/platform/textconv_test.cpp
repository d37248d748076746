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

TEST(TextConv, HighBytesAreWindows1252Characters) {
    const QString text = platform::qs("\x84\x93\x96\x97\x85\x80\x8a\xe9\x81");
    EXPECT_EQ(text, QString::fromUtf16(u"\u201E\u201C\u2013\u2014\u2026\u20AC\u0160\u00E9\u0081"));
    // Typed or pasted, the same characters are the same bytes.
    EXPECT_EQ(platform::ys(QString::fromUtf16(u"\u201E\u2019\u20AC")), "\x84\x92\x80");
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
