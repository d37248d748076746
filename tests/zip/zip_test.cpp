// The ZIP reader on archives made by Python's zipfile and by hand: methods,
// streamed entries, Zip64, damaged central directories, and the refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/run.h"
#include "support/temp_program_dir.h"
#include "zip/archive.h"
#include "zip/extract.h"
#include "zip/writer.h"

namespace fs = std::filesystem;
using testsupport::shellQuote;

namespace {

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string repeat(const std::string& text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

const std::string kText = repeat("Zakon o radu\r\n", 400);

std::string binary() {
    std::string one;
    for (int i = 0; i < 256; ++i) {
        one += static_cast<char>(i);
    }
    return repeat(one, 40);
}

class ZipTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        archives_ = new testsupport::TempProgramDir(false);
        const auto script = testsupport::sourceDir() / "tests/zip/make_archives.py";
        auto r = testsupport::run(std::string(testsupport::kSystemPython) + " " +
                                  shellQuote(script.string()) + " " +
                                  shellQuote(archives_->path().string()));
        ASSERT_EQ(r.status, 0);
    }
    static void TearDownTestSuite() {
        delete archives_;
        archives_ = nullptr;
    }

    static fs::path archive(const std::string& name) { return archives_->path() / name; }

    void SetUp() override { fs::create_directories(out_ / "update"); }

    fs::path scratch() const { return out_ / "update"; }

    // Extracts and returns the error text ("" on success).
    std::string extract(const std::string& name) {
        try {
            zip::Archive a(archive(name));
            zip::extractAll(a, scratch(), [&](const zip::Entry& e) { seen_.push_back(e.name); });
        } catch (const zip::Error& e) {
            return e.what();
        }
        return {};
    }

    // Files written below the scratch folder's parent, relative to it.
    std::vector<std::string> written() const {
        std::vector<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(out_)) {
            if (e.is_regular_file()) {
                names.push_back(fs::relative(e.path(), out_).string());
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    static testsupport::TempProgramDir* archives_;
    testsupport::TempProgramDir tmp_{false};
    fs::path out_ = tmp_.path() / "program";
    std::vector<std::string> seen_;
};

testsupport::TempProgramDir* ZipTest::archives_ = nullptr;

TEST_F(ZipTest, ReadsEveryMethodAndLayoutThatCommonToolsWrite) {
    for (const char* name : {"stored.zip", "deflate.zip", "bzip2.zip", "streamed.zip",
                             "streamed_stored.zip", "streamed_bzip2.zip", "zip64.zip",
                             "damaged_streamed.zip", "damaged_streamed_stored.zip"}) {
        SCOPED_TRACE(name);
        fs::remove_all(scratch());
        fs::create_directories(scratch());
        EXPECT_EQ(extract(name), "");
        EXPECT_EQ(readAll(scratch() / "TB_Zakoni.DB"), kText);
    }
    EXPECT_EQ(readAll(scratch() / "b.bin"), binary());
}

TEST_F(ZipTest, MixedArchiveWithFoldersAndCommentReportsEachEntry) {
    zip::Archive a(archive("mixed.zip"));
    EXPECT_EQ(a.comment(), "Trevion izmene");
    EXPECT_FALSE(a.scanned());
    EXPECT_EQ(extract("mixed.zip"), "");
    EXPECT_EQ(seen_, (std::vector<std::string>{"a.txt", "sub/", "sub/b.bin", "c.txt"}));
    EXPECT_EQ(readAll(scratch() / "a.txt"), kText);
    EXPECT_EQ(readAll(scratch() / "sub/b.bin"), binary());
    EXPECT_TRUE(fs::is_regular_file(scratch() / "c.txt"));
}

TEST_F(ZipTest, DamagedCentralDirectoryFallsBackToTheLocalHeaders) {
    zip::Archive a(archive("damaged_central.zip"));
    EXPECT_TRUE(a.scanned());
    EXPECT_EQ(extract("damaged_central.zip"), "");
    EXPECT_EQ(readAll(scratch() / "sub/b.bin"), binary());
}

TEST_F(ZipTest, FilesThatAreNoArchiveHaveNoEntries) {
    for (const char* name : {"news.txt", "empty.zip"}) {
        zip::Archive a(archive(name));
        EXPECT_TRUE(a.entries().empty()) << name;
    }
    EXPECT_THROW(zip::Archive(archive("missing.zip")), zip::Error);
}

TEST_F(ZipTest, FailuresNameTheEntryAndWriteNothingWrong) {
    const struct {
        const char* archive;
        const char* error;
    } cases[] = {
        {"lzma.zip", "Cannot process this file: TB_Zakoni.DB "},
        {"encrypted.zip", "Cannot process this file: TB_Zakoni.DB "},
        {"crc.zip", "CRC error in TB_Zakoni.DB"},
        {"bomb_small.zip", "The entry bomb.bin is larger than it declares"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.archive);
        EXPECT_EQ(extract(c.archive), c.error);
    }
    // The bomb stopped at its declared size.
    EXPECT_LE(fs::file_size(scratch() / "bomb.bin"), 100U);
}

TEST_F(ZipTest, RefusesBeforeWritingWhenNamesClimbOrTheDiskIsTooSmall) {
    for (const char* name : {"slip_parent.zip", "slip_absolute.zip", "slip_drive.zip",
                             "slip_backslash.zip", "slip_nested.zip", "bomb_declared.zip"}) {
        SCOPED_TRACE(name);
        EXPECT_NE(extract(name), "");
        EXPECT_TRUE(written().empty());  // not even the harmless first entry
        EXPECT_TRUE(seen_.empty());
    }
    EXPECT_FALSE(fs::exists("/tmp/evil.txt"));
}

TEST_F(ZipTest, SafePathKeepsNamesInsideTheFolder) {
    const fs::path dir = "/x/update";
    EXPECT_EQ(zip::safePath(dir, "a\\b.db"), dir / "a/b.db");
    EXPECT_EQ(zip::safePath(dir, "./a//b.db"), dir / "a/b.db");
    EXPECT_EQ(zip::safePath(dir, "a..b"), dir / "a..b");
    for (const char* bad : {"", "..", "a/../../b", "\\b", "d:b", "/", "a/c:/b"}) {
        EXPECT_FALSE(zip::safePath(dir, bad)) << bad;
    }
}

TEST_F(ZipTest, WriterArchivesReadBackWithPythonAndUs) {
    zip::Writer w;
    w.add("s.txt", kText, zip::Method::Stored);
    w.add("d.txt", kText, zip::Method::Deflate);
    w.add("b.bin", binary(), zip::Method::Bzip2);
    const fs::path made = out_ / "made.zip";
    w.write(made, "komentar");
    zip::Archive a(made);
    EXPECT_EQ(a.comment(), "komentar");
    zip::extractAll(a, scratch());
    EXPECT_EQ(readAll(scratch() / "b.bin"), binary());
    auto r = testsupport::run(std::string(testsupport::kSystemPython) +
                              " -c 'import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); "
                              "assert z.testzip() is None; print(len(z.read(\"d.txt\")))' " +
                              shellQuote(made.string()));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, std::to_string(kText.size()) + "\n");
}

TEST_F(ZipTest, CommandLineUnzipsAndFailsWithTheMessage) {
    const std::string cli = (testsupport::builtProgramDir() / "korvet-cli").string();
    auto ok = testsupport::run(cli + " unzip " + shellQuote(archive("mixed.zip").string()) + " " +
                               shellQuote(scratch().string()));
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(readAll(scratch() / "a.txt"), kText);
    auto bad = testsupport::run(cli + " unzip " + shellQuote(archive("slip_parent.zip").string()) +
                                " " + shellQuote(scratch().string()) + " 2>&1");
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.out.find("../evil.txt"), std::string::npos);
}

}  // namespace
