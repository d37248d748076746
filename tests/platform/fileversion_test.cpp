// Version stamps read from files: our libraries, files of both ELF classes
// and byte orders, files without a stamp, and damaged files.
#include "platform/fileversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files.h"
#include "support/case_name.h"
#include "support/temp_program_dir.h"

namespace fs = std::filesystem;

namespace {

using testsupport::fixtureDir;

TEST(FileVersion, OurLibrariesCarryTheirStamps) {
    EXPECT_EQ(platform::fileVersion(testsupport::builtProgramDir() / "libkorvet-engine.so"),
              "5.2.0.2");
    for (const char* version : {"5.1.1.1", "5.2.0.1", "5.2.0.2"}) {
        EXPECT_EQ(platform::fileVersion(fixtureDir() / (std::string("engine-") + version) /
                                        "libkorvet-engine.so"),
                  version);
    }
}

TEST(FileVersion, FilesWithoutAStampGiveNothing) {
    testsupport::TempProgramDir dir(false);
    ASSERT_TRUE(platform::writeFileAtomic(dir / "text.so", "not a library"));
    ASSERT_TRUE(platform::writeFileAtomic(dir / "empty.so", ""));
    ASSERT_TRUE(platform::writeFileAtomic(dir / "elf.so",
                                          "\x7f"
                                          "ELF"));
    fs::create_directory(dir / "folder.so");
    const fs::path files[] = {
        fixtureDir() / "engine-none" / "libkorvet-engine.so",  // a library without one
        "/proc/self/exe",                                      // a program without one
        dir / "text.so",
        dir / "empty.so",
        dir / "elf.so",
        dir / "folder.so",
        dir / "missing.so",
        "/libkorvet-engine.so"};
    for (const auto& file : files) {
        EXPECT_EQ(platform::fileVersion(file), "") << file;
    }
}

// A small ELF file with notes, built byte by byte in either class and byte
// order; the notes are found through a program header or, with none, through
// a section header.
struct NoteSpec {
    std::string owner = "Korvet";
    std::uint32_t type = 1;
    std::string text = "5.2.0.2";
};

class ElfBuilder {
  public:
    ElfBuilder(bool wide, bool little) : wide_(wide), little_(little) {}

    std::string build(const std::vector<NoteSpec>& notes, bool asSection) {
        std::string data;
        for (const auto& note : notes) {
            std::string entry(12, '\0');
            put(entry, 0, note.owner.size() + 1, 4);
            put(entry, 4, note.text.size() + 1, 4);
            put(entry, 8, note.type, 4);
            entry += padded(note.owner);
            entry += padded(note.text);
            data += entry;
        }
        const unsigned headerSize = wide_ ? 64 : 52;
        const unsigned entrySize = asSection ? (wide_ ? 64 : 40) : (wide_ ? 56 : 32);
        std::string file(headerSize + entrySize, '\0');
        file[0] = 0x7f;
        file.replace(1, 3, "ELF");
        file[4] = wide_ ? 2 : 1;
        file[5] = little_ ? 1 : 2;
        file[6] = 1;
        put(file, 16, 3, 2);  // a shared object
        const unsigned tableAt = wide_ ? (asSection ? 40 : 32) : (asSection ? 32 : 28);
        const unsigned sizeAt = wide_ ? (asSection ? 58 : 54) : (asSection ? 46 : 42);
        put(file, tableAt, headerSize, wide_ ? 8 : 4);
        put(file, sizeAt, entrySize, 2);
        put(file, sizeAt + 2, 1, 2);
        const std::size_t e = headerSize;
        const std::size_t offset = file.size();
        if (asSection) {
            put(file, e + 4, 7, 4);
            put(file, e + (wide_ ? 24 : 16), offset, wide_ ? 8 : 4);
            put(file, e + (wide_ ? 32 : 20), data.size(), wide_ ? 8 : 4);
            put(file, e + (wide_ ? 48 : 32), 4, wide_ ? 8 : 4);
        } else {
            put(file, e, 4, 4);
            put(file, e + (wide_ ? 8 : 4), offset, wide_ ? 8 : 4);
            put(file, e + (wide_ ? 32 : 16), data.size(), wide_ ? 8 : 4);
            put(file, e + (wide_ ? 48 : 28), 4, wide_ ? 8 : 4);
        }
        return file + data;
    }

  private:
    static std::string padded(std::string text) {
        text.push_back('\0');
        text.resize((text.size() + 3) / 4 * 4, '\0');
        return text;
    }

    void put(std::string& out, std::size_t at, std::uint64_t value, unsigned width) const {
        for (unsigned i = 0; i < width; ++i) {
            out[at + (little_ ? i : width - 1 - i)] = static_cast<char>((value >> (8 * i)) & 0xff);
        }
    }

    bool wide_;
    bool little_;
};

struct LayoutCase {
    const char* name;
    bool wide;
    bool little;
    bool asSection;
};

class FileVersionLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(FileVersionLayout, TheStampIsFoundAndOnlyOurs) {
    const auto& c = GetParam();
    ElfBuilder elf(c.wide, c.little);
    testsupport::TempProgramDir dir(false);
    auto versionOf = [&](const std::vector<NoteSpec>& notes) {
        EXPECT_TRUE(platform::writeFileAtomic(dir / "lib.so", elf.build(notes, c.asSection)));
        return platform::fileVersion(dir / "lib.so");
    };
    EXPECT_EQ(versionOf({NoteSpec{}}), "5.2.0.2");
    EXPECT_EQ(versionOf({{"GNU", 3, "abcd"}, {"Korvet", 1, "5.1.1.1"}}), "5.1.1.1");
    EXPECT_EQ(versionOf({{"Korvets", 1, "5.2.0.2"}}), "");
    EXPECT_EQ(versionOf({{"Korvet", 2, "5.2.0.2"}}), "");
    EXPECT_EQ(versionOf({{"Korvet", 1, ""}}), "");
    EXPECT_EQ(versionOf({{"Korvet", 1, "5.2\n0.2"}}), "");
    EXPECT_EQ(versionOf({{"Korvet", 1, std::string(65, '5')}}), "");
}

INSTANTIATE_TEST_SUITE_P(Elf, FileVersionLayout,
                         ::testing::Values(LayoutCase{"64le_segment", true, true, false},
                                           LayoutCase{"64be_segment", true, false, false},
                                           LayoutCase{"32le_segment", false, true, false},
                                           LayoutCase{"32be_segment", false, false, false},
                                           LayoutCase{"64le_section", true, true, true},
                                           LayoutCase{"32be_section", false, false, true}),
                         testsupport::CaseName{});

// Truncations, and every single-byte change of the file header, the note
// segment's program header and the notes of a stamped library, read back the
// stamp or nothing, never fail.
TEST(FileVersion, DamagedFilesGiveTheStampOrNothing) {
    const auto original =
        platform::readFile(fixtureDir() / "engine-5.2.0.2" / "libkorvet-engine.so");
    ASSERT_TRUE(original);
    const auto number = [&](std::size_t at, unsigned width) {
        std::uint64_t v = 0;
        for (unsigned i = 0; i < width; ++i) {
            v |= std::uint64_t{static_cast<unsigned char>((*original)[at + i])} << (8 * i);
        }
        return v;
    };
    // The bytes worth damaging: the header, then the note segment's entry and
    // the notes it points to (a 64-bit little-endian library).
    std::vector<std::size_t> where;
    for (std::size_t at = 0; at < 64; ++at) {
        where.push_back(at);
    }
    const auto table = number(32, 8);
    for (std::uint64_t i = 0; i < number(56, 2); ++i) {
        const std::size_t entry = table + i * 56;
        if (number(entry, 4) == 4) {
            for (std::size_t at = entry; at < entry + 56; ++at) {
                where.push_back(at);
            }
            for (std::size_t at = number(entry + 8, 8);
                 at < number(entry + 8, 8) + number(entry + 32, 8); ++at) {
                where.push_back(at);
            }
        }
    }
    ASSERT_GT(where.size(), 64u + 56u);

    testsupport::TempProgramDir dir(false);
    const auto damaged = dir / "damaged.so";
    auto check = [&](const std::string& bytes, const std::string& what) {
        std::ofstream(damaged, std::ios::binary | std::ios::trunc) << bytes;
        const auto version = platform::fileVersion(damaged);
        EXPECT_TRUE(version.empty() || version == "5.2.0.2") << what << ": " << version;
    };
    for (std::size_t size = 0; size < 1024 && size < original->size(); size += 13) {
        check(original->substr(0, size), "cut at " + std::to_string(size));
    }
    for (std::size_t at : where) {
        for (char value : {'\0', '\xff', '\x80'}) {
            std::string bytes = *original;
            bytes[at] = value;
            check(bytes, "byte " + std::to_string(at));
        }
    }
}

}  // namespace
