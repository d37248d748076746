// The YUSCII screen fonts: installfonts() adds them once, and each face draws
// the YUSCII codes as the Serbian letters (compared with DejaVu Sans, the font
// they are made from).
#include "fonts/fonts.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QStringList>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>

#include "platform/textconv.h"
#include "support/scripted_ui.h"
#include "support/temp_program_dir.h"

namespace {

const QString kDejaVu = QStringLiteral("DejaVu Sans");

// One program directory for the whole run: the application reads an added
// font from its file whenever it draws with it, so the files must outlive
// every test that draws.
testsupport::TempProgramDir& programDir() {
    static testsupport::TempProgramDir dir;
    return dir;
}

// The first call in the process adds the five files, unless the glyph tests
// below ran first and added them.
TEST(InstallFonts, SetsTheFaceNamesAndAddsTheFilesOnlyOnce) {
    programDir();
    EXPECT_TRUE(fonts::latinFace().empty());
    EXPECT_TRUE(fonts::cyrillicFace().empty());
    EXPECT_TRUE(fonts::interfaceFace().empty());
    const bool firstInProcess = !QFontDatabase::families().contains(QStringLiteral("YHelvetica"));

    const int added = fonts::installfonts();
    if (firstInProcess) {
        EXPECT_EQ(added, 5);
    }
    EXPECT_EQ(fonts::latinFace(), "YHelvetica");
    EXPECT_EQ(fonts::cyrillicFace(), "CHelvetica");
    EXPECT_EQ(fonts::interfaceFace(), "YU Sans Serif");
    for (const auto& row : fonts::fontTable()) {
        EXPECT_TRUE(QFontDatabase::families().contains(platform::qs(row.face))) << row.face;
    }

    EXPECT_EQ(fonts::installfonts(), 0);
}

TEST(InstallFonts, MissingOrDamagedFilesAreSkippedSilently) {
    auto& dir = programDir();
    std::ofstream(dir / "Damaged.TTF") << "not a font";
    // A sound font of a face the other tests do not use.
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans-ExtraLight.ttf",
                               dir / "Probe.TTF",
                               std::filesystem::copy_options::overwrite_existing);
    struct Case {
        const char* face;
        std::vector<std::string> files;
        int added;
    };
    const Case cases[] = {
        {"Korvet Missing One", {"Nema.TTF"}, 0},
        {"Korvet Missing Two", {"Nema.TTF", "Probe.TTF"}, 1},
        {"Korvet Damaged", {"Damaged.TTF"}, 0},
        {"DejaVu Sans", {"Probe.TTF"}, 0},  // a face the database knows
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fonts::addFaceIfMissing({c.face, c.files}, dir.path()), c.added) << c.face;
    }
    EXPECT_TRUE(testsupport::scriptedUi().shown().empty());
}

// Renders text in a label, as the windows show it.
QImage renderLabel(const QString& text, const QFont& font, QSize size) {
    QLabel label;
    label.setTextFormat(Qt::PlainText);
    label.setFont(font);
    label.setText(text);
    label.resize(size);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    label.render(&image);
    return image;
}

QFont screenFont(const QString& family, bool bold) {
    QFont font(family);
    font.setPixelSize(40);
    font.setBold(bold);
    font.setStyleStrategy(QFont::NoFontMerging);  // no glyphs from other fonts
    // The auto-hinter measures a font through its character map, which these
    // faces change; unhinted, the same outline gives the same pixels.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QImage glyph(const QString& family, bool bold, QChar ch) {
    return renderLabel(QString(ch), screenFont(family, bold), QSize(96, 64));
}

class FontGlyphs : public ::testing::Test {
  protected:
    // Adds the faces without installfonts(), whose first call is tested above.
    static void SetUpTestSuite() {
        for (const auto& row : fonts::fontTable()) {
            fonts::addFaceIfMissing(row, programDir().path());
        }
    }
};

struct Letter {
    char code;
    char16_t letter;
};

// The YUSCII codes of the Latin faces and the letters they stand for.
const Letter kLatinLetters[] = {
    {'@', u'Ž'},      {'[', u'Š'},      {'\\', u'Đ'},     {']', u'Ć'},
    {'^', u'Č'},      {'`', u'ž'},      {'{', u'š'},      {'|', u'đ'},
    {'}', u'ć'},      {'~', u'č'},      {'W', u'\u01CB'}, {'w', u'\u01CC'},
    {'Q', u'\u01C8'}, {'q', u'\u01C9'}, {'X', u'\u01C5'}, {'x', u'\u01C6'},
};

// The codes of the Cyrillic face; Y/y have no Serbian letter and stay Latin.
const Letter kCyrillicLetters[] = {
    {'A', u'А'}, {'B', u'Б'}, {'V', u'В'}, {'G', u'Г'}, {'D', u'Д'}, {'\\', u'Ђ'}, {'E', u'Е'},
    {'@', u'Ж'}, {'Z', u'З'}, {'I', u'И'}, {'J', u'Ј'}, {'K', u'К'}, {'L', u'Л'},  {'Q', u'Љ'},
    {'M', u'М'}, {'N', u'Н'}, {'W', u'Њ'}, {'O', u'О'}, {'P', u'П'}, {'R', u'Р'},  {'S', u'С'},
    {'T', u'Т'}, {']', u'Ћ'}, {'U', u'У'}, {'F', u'Ф'}, {'H', u'Х'}, {'C', u'Ц'},  {'^', u'Ч'},
    {'X', u'Џ'}, {'[', u'Ш'}, {'a', u'а'}, {'b', u'б'}, {'v', u'в'}, {'g', u'г'},  {'d', u'д'},
    {'|', u'ђ'}, {'e', u'е'}, {'`', u'ж'}, {'z', u'з'}, {'i', u'и'}, {'j', u'ј'},  {'k', u'к'},
    {'l', u'л'}, {'q', u'љ'}, {'m', u'м'}, {'n', u'н'}, {'w', u'њ'}, {'o', u'о'},  {'p', u'п'},
    {'r', u'р'}, {'s', u'с'}, {'t', u'т'}, {'}', u'ћ'}, {'u', u'у'}, {'f', u'ф'},  {'h', u'х'},
    {'c', u'ц'}, {'~', u'ч'}, {'x', u'џ'}, {'{', u'ш'}, {'Y', u'Y'}, {'y', u'y'},
};

// Codes every face draws as DejaVu Sans does.
const char kUnchanged[] = "0123456789.,:;-/()";

TEST_F(FontGlyphs, EachFaceIsTheFontFromTheProgramDirectory) {
    for (const auto& row : fonts::fontTable()) {
        for (bool bold : {false, true}) {
            QFontInfo info(screenFont(platform::qs(row.face), bold));
            EXPECT_EQ(info.family(), platform::qs(row.face)) << row.face;
        }
    }
}

TEST_F(FontGlyphs, LatinFacesDrawTheCodesAsSerbianLetters) {
    struct Face {
        const char* family;
        bool bold;
        bool digraphs;  // whether W, Q, X draw the single letters Nj, Lj, Dz-caron
    };
    for (const Face face : {Face{"YHelvetica", false, true}, Face{"YHelvetica", true, true},
                            Face{"YU Sans Serif", false, false}}) {
        const QString family = platform::qs(face.family);
        for (const Letter& l : kLatinLetters) {
            if (!face.digraphs &&
                std::string_view("WwQqXx").find(l.code) != std::string_view::npos) {
                // Interface texts use these letters only in foreign words.
                EXPECT_TRUE(glyph(family, face.bold, QChar::fromLatin1(l.code)) ==
                            glyph(kDejaVu, face.bold, QChar::fromLatin1(l.code)))
                    << face.family << ' ' << l.code;
                continue;
            }
            const QImage drawn = glyph(family, face.bold, QChar::fromLatin1(l.code));
            EXPECT_TRUE(drawn == glyph(kDejaVu, face.bold, QChar(l.letter)))
                << face.family << (face.bold ? " bold " : " ") << l.code;
            EXPECT_FALSE(drawn == glyph(kDejaVu, face.bold, QChar::fromLatin1(l.code)))
                << face.family << (face.bold ? " bold " : " ") << l.code;
            // The form the program's text takes (private use for the
            // punctuation letters) draws the same letter.
            EXPECT_TRUE(drawn == glyph(family, face.bold, platform::qchar(l.code)))
                << face.family << (face.bold ? " bold " : " ") << l.code;
        }
        for (const char* c = kUnchanged; *c; ++c) {
            EXPECT_TRUE(glyph(family, face.bold, QChar::fromLatin1(*c)) ==
                        glyph(kDejaVu, face.bold, QChar::fromLatin1(*c)))
                << face.family << ' ' << *c;
        }
    }
}

TEST_F(FontGlyphs, CyrillicFaceDrawsTheCodesAsCyrillicLetters) {
    const QString family = QStringLiteral("CHelvetica");
    for (bool bold : {false, true}) {
        for (const Letter& l : kCyrillicLetters) {
            EXPECT_TRUE(glyph(family, bold, QChar::fromLatin1(l.code)) ==
                        glyph(kDejaVu, bold, QChar(l.letter)))
                << (bold ? "bold " : "") << l.code;
            EXPECT_TRUE(glyph(family, bold, platform::qchar(l.code)) ==
                        glyph(kDejaVu, bold, QChar(l.letter)))
                << (bold ? "bold " : "") << l.code;
        }
        for (const char* c = kUnchanged; *c; ++c) {
            EXPECT_TRUE(glyph(family, bold, QChar::fromLatin1(*c)) ==
                        glyph(kDejaVu, bold, QChar::fromLatin1(*c)))
                << *c;
        }
    }
    // Letters whose Cyrillic form differs from the Latin one.
    for (char code : {'B', 'D', 'G', 'L', 'C', 'b', 'd', 'g', 'l', 'c', '[', '{'}) {
        EXPECT_FALSE(glyph(family, false, QChar::fromLatin1(code)) ==
                     glyph(kDejaVu, false, QChar::fromLatin1(code)))
            << code;
    }
}

// Renders a caption in the three faces, regular and bold, each under the same
// bytes in DejaVu Sans, and keeps the picture (KORVET_FONTS_SAMPLE names the
// file, else the test temp dir).
TEST_F(FontGlyphs, SampleCaptionInTheThreeFaces) {
    const QString text = platform::qs("Pre&tra`i [tampa ^lan 12. Wego{");
    struct Row {
        QString family;
        bool bold;
    };
    const Row rows[] = {
        {kDejaVu, false},
        {QStringLiteral("YHelvetica"), false},
        {QStringLiteral("CHelvetica"), false},
        {QStringLiteral("YU Sans Serif"), false},
        {kDejaVu, true},
        {QStringLiteral("YHelvetica"), true},
        {QStringLiteral("CHelvetica"), true},
    };
    const QSize line(900, 60);
    QImage sample(line.width(), line.height() * static_cast<int>(std::size(rows)),
                  QImage::Format_RGB32);
    sample.fill(Qt::white);
    QPainter painter(&sample);
    QImage reference;
    int y = 0;
    for (const Row& row : rows) {
        const QImage drawn = renderLabel(text, screenFont(row.family, row.bold), line);
        painter.drawImage(0, y, drawn);
        y += line.height();
        if (row.family == kDejaVu) {
            reference = drawn;
        } else {
            EXPECT_FALSE(drawn == reference) << row.family.toStdString();
        }
    }
    painter.end();
    const char* target = std::getenv("KORVET_FONTS_SAMPLE");
    const QString path = target ? QString::fromLocal8Bit(target)
                                : QString::fromStdString(::testing::TempDir() + "fonts-sample.png");
    EXPECT_TRUE(sample.save(path)) << path.toStdString();
}

}  // namespace
