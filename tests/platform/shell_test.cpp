// Text from outside the program and the desktop opener's answers as the
// shell's codes.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "platform/pastetext.h"
#include "platform/shell.h"
#include "platform/ui.h"

namespace {

TEST(PastedText, SerbianLettersBecomeTheirYusciiCodes) {
    const struct {
        const char16_t* text;
        const char* bytes;
    } cases[] = {
        {u"\u0160kola \u0161", "[kola {"},             // Š š, not the Windows-1252 byte
        {u"\u010C\u010D\u0106\u0107", "^~]}"},         // Č č Ć ć
        {u"\u0110\u0111\u017D\u017E", "\\|@`"},        // Đ đ Ž ž
        {u"\u0417\u0430\u043A\u043E\u043D", "Zakon"},  // Cyrillic: the Latin codes
        {u"a;b:c'd", "a;b:c'd"},                       // no keyboard mapping on paste
        {u"\u201E\u20AC\u00E9", "\x84\x80\xe9"},       // Windows-1252 and Latin-1
        {u"\uE05B\uE07C", "[|"},                       // our own letters
        {u"\u4E2D", "?"},                              // no byte at all
    };
    for (const auto& c : cases) {
        EXPECT_EQ(platform::ysFromOutside(QString::fromUtf16(c.text)), c.bytes);
    }
}

TEST(PastedText, TheClipboardGivesYusciiLetters) {
    QGuiApplication::clipboard()->setText(QString::fromUtf16(u"\u0160ifra \u0107"));
    platform::setUi(nullptr);  // the program's own seam; the next test restores
    EXPECT_EQ(platform::ui().clipboardText(), "[ifra }");
}

// A stand-in for xdg-open on PATH that ends with the given status.
class DesktopOpen : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(bin.isValid());
        oldPath = qgetenv("PATH");
        qputenv("PATH", bin.path().toLocal8Bit() + ":" + oldPath);
    }
    void TearDown() override { qputenv("PATH", oldPath); }

    void opener(const QByteArray& body) {
        QFile script(bin.filePath(QStringLiteral("xdg-open")));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\n" + body + "\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QTemporaryDir bin;
    QByteArray oldPath;
};

TEST_F(DesktopOpen, TheOpenersStatusMapsToTheShellsCodes) {
    const struct {
        const char* body;
        int code;
    } cases[] = {
        {"exit 0", 42},                   // success: above 32
        {"exit 3", 31},                   // no program for the file type
        {"exit 2", 2},                    // the file is missing
        {"exit 4", 5},                    // the opening failed: refused
        {"exit 1", 5},  {"sleep 5", 42},  // still running: the program has started
    };
    for (const auto& c : cases) {
        opener(c.body);
        EXPECT_EQ(platform::desktopOpen("mailto:a@b.example?Subject=x", ""), c.code) << c.body;
    }
}

TEST_F(DesktopOpen, AMissingFileIsCodeTwoWithoutAskingTheDesktop) {
    opener("exit 0");
    EXPECT_EQ(platform::desktopOpen(bin.filePath(QStringLiteral("nema.rtf")).toStdString(), ""), 2);
    EXPECT_GT(platform::desktopOpen(bin.filePath(QStringLiteral("xdg-open")).toStdString(),
                                    bin.path().toStdString()),
              32);
}

}  // namespace
