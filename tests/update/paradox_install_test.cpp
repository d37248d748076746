// Update archives of Paradox tables: each file told by its content and found
// whatever the case of its name, a damaged or hostile table failing its
// table with the message while the tables before it stay merged, and
// make-update writing the tables as Paradox tables.
#include <fstream>
#include <functional>
#include <map>
#include <random>

#include "engine/batchmove.h"
#include "engine/table.h"
#include "install_fixture.h"
#include "paradox/format.h"
#include "support/run.h"
#include "update/sourcetable.h"
#include "zip/extract.h"
#include "zip/writer.h"

namespace fs = std::filesystem;

namespace updatetest {
namespace {

// The files of an archive by their stored names.
using Files = std::map<std::string, std::string>;

std::string readFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Files unpack(const fs::path& archive, const fs::path& dir) {
    fs::create_directories(dir);
    zip::extractAll(zip::Archive(archive), dir);
    Files files;
    for (const auto& entry : fs::directory_iterator(dir)) {
        files[entry.path().filename().string()] = readFile(entry.path());
    }
    fs::remove_all(dir);
    return files;
}

std::uint32_t le16(const std::string& bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

class ParadoxInstallTest : public InstallTest {
  protected:
    ParadoxInstallTest() { format_ = update::TableFormat::Paradox; }

    // A date of regulation 1 (TB_Datumi, merged first), regulation 2
    // changed and 3 new, its text long enough for a memo block of its own at
    // the end of the memo file (TB_Zakoni, third), and a gazette
    // (TB_Glasnici, sixth): each as a Paradox table file.
    Files updateFiles() {
        archive("made.zip",
                {table(database::kDatumi, {{1LL, 1LL, 5LL, 3LL, 2009LL, std::string("Datum")}}),
                 table(database::kZakoni,
                       {regulation(2, "Zakon o porezu na dobit", "Novarec porez."),
                        regulation(3, "Uredba", "Novarec uredba. " + std::string(9000, 'u'))}),
                 table(database::kGlasnici, {{3LL, std::string("Sl. list")}})});
        Files files = unpack(program() / "updates" / "made.zip", program() / "made");
        fs::remove(program() / "updates" / "made.zip");
        return files;
    }

    void pack(const std::string& name, const Files& files) {
        zip::Writer w;
        for (const auto& [file, bytes] : files) {
            w.add(file, bytes);
        }
        w.write(program() / "updates" / name);
    }

    std::vector<std::string> regulations() {
        return rows(database::kZakoni, "ID_ZAKONA,Naziv_zakona");
    }
};

TEST_F(ParadoxInstallTest, FilesAreToldByContentAndFoundWhateverTheCaseOfTheirNames) {
    Files files = updateFiles();
    // Dates as a SQLite table file, regulations as a Paradox table under
    // names in other cases.
    update::TableFormat sqlite = update::TableFormat::Sqlite;
    update::writeUpdateArchive(
        {table(database::kDatumi, {{1LL, 1LL, 5LL, 3LL, 2009LL, std::string("Datum")}})},
        program() / "updates" / "sqlite.zip", sqlite);
    Files mixed = unpack(program() / "updates" / "sqlite.zip", program() / "made");
    mixed["tb_zakoni.db"] = files.at("TB_Zakoni.DB");
    mixed["TB_ZAKONI.mb"] = files.at("TB_Zakoni.MB");
    pack("001.zip", mixed);
    install("001.zip");

    EXPECT_EQ(listener_.messages, std::vector<std::string>{});
    EXPECT_EQ(rows(database::kDatumi, "ID_ZAKONA,RBR,DAN"), std::vector<std::string>{"1|1|5"});
    EXPECT_EQ(regulations(), (std::vector<std::string>{"1|Zakon o radu",
                                                       "2|Zakon o porezu na dobit", "3|Uredba"}));
    EXPECT_EQ(listener_.newest, (std::vector<std::string>{"Zakon o porezu na dobit", "Uredba"}));
    EXPECT_EQ(indexed("novarec"), (std::vector<long long>{2, 3}));
}

struct Damage {
    const char* what;
    std::function<void(Files&)> apply;
    int rowsBeforeFailure;  // rows the damaged table yields before it fails; -1: fails to open
};

// What each damaged file does to an update: its table fails with the
// message, nothing of it is written (not even the rows read before the
// damage), the tables before it stay merged, the later ones are skipped,
// the date and counts are still set.
TEST_F(ParadoxInstallTest, ADamagedTableFailsItselfAndTheRestOfTheArchive) {
    auto db = [](Files& f) -> std::string& { return f.at("TB_Zakoni.DB"); };
    auto mb = [](Files& f) -> std::string& { return f.at("TB_Zakoni.MB"); };
    const Damage cases[] = {
        {"header cut off", [&](Files& f) { db(f).resize(40); }, -1},
        {"blocks cut short", [&](Files& f) { db(f).resize(db(f).size() - 100); }, -1},
        {"record count changed", [&](Files& f) { db(f)[paradox::format::kNumRecords] = 7; }, -1},
        {"block chain in a loop",
         [&](Files& f) { db(f)[le16(db(f), paradox::format::kHeaderSize)] = 1; }, -1},
        {"field count past the header",
         [&](Files& f) { db(f)[paradox::format::kNumFields] = static_cast<char>(0xFF); }, -1},
        // The first record's memo fits in its leader; the second's is in the memo file.
        {"memo file missing", [&](Files& f) { f.erase("TB_Zakoni.MB"); }, 1},
        {"memo blocks of an unknown kind",
         [&](Files& f) {
             for (size_t at = 4096; at < mb(f).size(); at += 4096) {
                 mb(f)[at] = 0x7F;
             }
         },
         1},
        {"memo of the second record cut off", [&](Files& f) { mb(f).resize(mb(f).size() - 4096); },
         1},
    };
    const Files good = updateFiles();
    int n = 0;
    for (const Damage& d : cases) {
        SCOPED_TRACE(d.what);
        Files files = good;
        d.apply(files);
        const std::string name = std::to_string(++n) + ".zip";
        pack(name, files);
        listener_.messages.clear();
        listener_.lastUpdate.clear();
        install(name);

        EXPECT_EQ(listener_.messages, std::vector<std::string>{"Azuriranje nije uspelo"});
        EXPECT_EQ(rows(database::kDatumi, "ID_ZAKONA,RBR,DAN"), std::vector<std::string>{"1|1|5"});
        EXPECT_EQ(regulations(), (std::vector<std::string>{"1|Zakon o radu", "2|Zakon o porezu"}));
        EXPECT_EQ(rows(database::kGlasnici, "ID_GLASNIKA").size(), 2U);
        EXPECT_EQ(listener_.newest, std::vector<std::string>{"(earlier list)"});
        EXPECT_EQ(listener_.lastUpdate, update::Installer::today());
        EXPECT_EQ(indexed("novarec"), (std::vector<long long>{}));
        EXPECT_EQ(indexed("porez"), (std::vector<long long>{2}));

        // The damage lies where the case says: the rows before it were read
        // into the merge and undone with it.
        const fs::path scratch = program() / "update" / "TB_Zakoni.DB";
        int read = -1;
        try {
            auto source = update::openSourceTable(scratch);
            std::vector<engine::SourceValue> row;
            for (read = 0; source->next(row); ++read) {
            }
            ADD_FAILURE() << "read whole";
        } catch (const engine::Error&) {
        }
        EXPECT_EQ(read, d.rowsBeforeFailure);
    }
    EXPECT_EQ(rows(database::kKorisnicki, "NAZIV_UG"), std::vector<std::string>{"Moj ugovor"});
}

// Random damage: flipped bytes or a cut anywhere in the table or memo file.
// Each archive merges or fails its table with the message; nothing else
// happens (the reader itself runs under the sanitizers in the Paradox tests).
TEST_F(ParadoxInstallTest, RandomlyDamagedTablesMergeOrFailWithTheMessage) {
    const Files good = updateFiles();
    std::mt19937 random(16);
    int failed = 0;
    for (int i = 0; i < 40; ++i) {
        Files files = good;
        std::string& file = files.at(i % 2 == 0 ? "TB_Zakoni.DB" : "TB_Zakoni.MB");
        std::uniform_int_distribution<size_t> at(0, file.size() - 1);
        if (i % 5 == 4) {
            file.resize(at(random));
        } else {
            for (int flips = 1 + i % 4; flips > 0; --flips) {
                file[at(random)] ^= static_cast<char>(1 << (random() % 8));
            }
        }
        const std::string name = "r" + std::to_string(i) + ".zip";
        pack(name, files);
        listener_.messages.clear();
        install(name);
        SCOPED_TRACE(name);
        if (!listener_.messages.empty()) {
            EXPECT_EQ(listener_.messages, std::vector<std::string>{"Azuriranje nije uspelo"});
            ++failed;
        }
        EXPECT_EQ(rows(database::kKorisnicki, "NAZIV_UG"), std::vector<std::string>{"Moj ugovor"});
    }
    EXPECT_GT(failed, 5);
}

// The value as the merge compares it: a blank text is blank.
engine::SourceValue blankAsNull(engine::SourceValue v) {
    const auto* text = std::get_if<std::string>(&v);
    return text != nullptr && text->empty() ? engine::SourceValue{} : v;
}

TEST_F(ParadoxInstallTest, MakeUpdateWritesTheTablesAsParadoxTables) {
    const fs::path out = program() / "out.zip";
    const std::string cli = (testsupport::builtProgramDir() / "korvet-cli").string();
    auto r = testsupport::run(cli + " make-update " + testsupport::shellQuote(program().string()) +
                              " TB_Zakoni TB_Arhiva TB_Misljenja " +
                              testsupport::shellQuote(out.string()) + " --format paradox");
    ASSERT_EQ(r.status, 0) << r.out;
    zip::Archive archive(out);
    std::vector<std::string> names;
    for (const auto& entry : archive.entries()) {
        names.push_back(entry.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"TB_Zakoni.DB", "TB_Zakoni.MB", "tb_arhiva.db",
                                               "TB_Misljenja.DB", "TB_Misljenja.MB"}));
    fs::create_directories(program() / "made");
    zip::extractAll(archive, program() / "made");

    // Every row and value, read back through the merge's source.
    for (const char* name : {database::kZakoni, database::kArhiva, database::kMisljenja}) {
        SCOPED_TRACE(name);
        engine::Table local(session_, "local");
        local.setDatabaseName(database::kAlias);
        local.setTableName(name);
        local.open();
        auto expected = engine::rowsOf(local);
        auto source = update::openSourceTable(program() / "made" / update::mergeFileName(name));
        EXPECT_EQ(source->fields().size(), local.definition().fields.size());
        std::vector<engine::SourceValue> want, got;
        int count = 0;
        while (expected->next(want)) {
            ASSERT_TRUE(source->next(got));
            for (size_t i = 0; i < want.size(); ++i) {
                EXPECT_EQ(blankAsNull(got[i]), blankAsNull(want[i]))
                    << "row " << count << " field " << i;
            }
            ++count;
        }
        EXPECT_FALSE(source->next(got));
        EXPECT_EQ(count, static_cast<int>(local.recordCount()));
    }

    r = testsupport::run(cli + " make-update " + testsupport::shellQuote(program().string()) +
                         " TB_Zakoni " + testsupport::shellQuote(out.string()) + " --format dbase");
    EXPECT_EQ(r.status, 2);
}

}  // namespace
}  // namespace updatetest
