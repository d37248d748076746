// Texts written by real writers (LibreOffice Writer and pandoc, see
// fixtures/make_fixtures): the plain text for the searches holds the words of
// the writer's own plain-text export in the same order, the document keeps
// the tables, notes and links, and our writer stores it all again.
#include <gtest/gtest.h>

#include <QTextFrame>
#include <QTextTable>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "doc_dump.h"
#include "richtext/docformat.h"
#include "richtext/plaintext.h"
#include "richtext/reader.h"
#include "richtext/rtf_parser.h"
#include "richtext/writer.h"
#include "support/temp_program_dir.h"
#include "yuscii/cp1252.h"

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<char32_t> decodeUtf8(const std::string& s) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        const int n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = n == 1 ? b : b & (0x3F >> (n - 1));
        for (int k = 1; k < n && i + static_cast<std::size_t>(k) < s.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0x3F);
        out.push_back(c);
        i += static_cast<std::size_t>(n);
    }
    return out;
}

// The writer's UTF-8 export as our bytes: Serbian letters their YUSCII
// codes, typographic marks their Windows-1252 bytes, anything else '?'.
// Superscript and subscript digits are digits (our text keeps the position
// in the format only).
std::string asYuscii(const std::string& utf8) {
    std::string out;
    for (char32_t c : decodeUtf8(utf8)) {
        if (c == 0xFEFF)
            continue;
        if (c == U'²' || c == U'₂')
            c = '2';
        if (c == U'³')
            c = '3';
        int b = rtf::yusciiFromUnicode(static_cast<long>(c));
        if (b < 0 && c < 0x100)
            b = static_cast<int>(c);
        if (b < 0)
            b = yuscii::cp1252HighByte(c);
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

// The words in order. pandoc marks notes [1] and lists them at the end, and
// draws table rules and list marks; those are not words of the text.
std::vector<std::string> words(std::string text, bool pandoc) {
    std::vector<std::string> out;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (pandoc && line.size() > 3 && line[0] == '[' &&
            std::isdigit(static_cast<unsigned char>(line[1])))
            continue;  // a note's text, at the end
        std::istringstream in(line);
        std::string w;
        while (in >> w) {
            if (pandoc)
                std::erase_if(w, [](char c) { return c == '[' || c == ']'; });
            if (w.find_first_not_of('-') == std::string::npos || w == "\x95")
                continue;
            out.push_back(w);
        }
    }
    return out;
}

int count(QTextFrame* frame, bool tables) {
    int n = 0;
    for (QTextFrame* child : frame->childFrames()) {
        n += (qobject_cast<QTextTable*>(child) != nullptr) == tables ? 1 : 0;
        n += count(child, tables);
    }
    return n;
}

struct Fixture {
    const char* name;
    int tables;  // nested ones included
    int notes;
    bool mergedCells;
};

const Fixture kFixtures[] = {
    {"libreoffice_pravilnik_latinica", 2, 2, true},
    {"libreoffice_pravilnik_cirilica", 1, 1, true},
    {"pandoc_uredba_latinica", 1, 2, false},
    {"pandoc_uredba_cirilica", 1, 1, false},
};

class Writers : public ::testing::TestWithParam<Fixture> {};

TEST_P(Writers, TextTablesNotesAndRoundTrip) {
    const Fixture& f = GetParam();
    const fs::path dir = testsupport::sourceDir() / "tests/richtext/fixtures";
    const std::string rtf = readFile(dir / (std::string(f.name) + ".rtf"));
    const std::string expected = readFile(dir / (std::string(f.name) + ".txt"));
    ASSERT_FALSE(rtf.empty());
    ASSERT_FALSE(expected.empty());
    const bool pandoc = std::string(f.name).starts_with("pandoc");

    const std::string plain = rtf::plainText(rtf);
    EXPECT_EQ(words(plain, pandoc), words(asYuscii(expected), pandoc)) << plain;

    auto doc = richtext::read(rtf);
    EXPECT_TRUE(richtext_test::sameText(*doc, plain)) << richtext_test::plain(*doc);
    EXPECT_EQ(count(doc->rootFrame(), true), f.tables);
    int notes = 0;
    int links = 0;
    bool merged = false;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().intProperty(richtext::kNoteBlock) > notes)
            notes = b.blockFormat().intProperty(richtext::kNoteBlock);
        for (auto it = b.begin(); !it.atEnd(); ++it)
            links += it.fragment().charFormat().isAnchor() ? 1 : 0;
    }
    for (QTextFrame* child : doc->rootFrame()->childFrames()) {
        if (auto* t = qobject_cast<QTextTable*>(child)) {
            for (int r = 0; r < t->rows(); ++r)
                for (int c = 0; c < t->columns(); ++c)
                    merged =
                        merged || t->cellAt(r, c).rowSpan() > 1 || t->cellAt(r, c).columnSpan() > 1;
        }
    }
    EXPECT_EQ(notes, f.notes);
    EXPECT_GE(links, 1);
    EXPECT_EQ(merged, f.mergedCells);

    const std::string written = richtext::write(*doc);
    EXPECT_EQ(richtext_test::dump(*richtext::read(written)), richtext_test::dump(*doc)) << written;
    EXPECT_EQ(words(rtf::plainText(written), false), words(plain, false));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, Writers, ::testing::ValuesIn(kFixtures),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
