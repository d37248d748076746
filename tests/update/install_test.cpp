// Installing an archive: unpacking, the merge by key in positional order,
// the newest list, the failures, the text index, and the repair.
#include <sqlite3.h>

#include <fstream>

#include "database/schema.h"
#include "install_fixture.h"
#include "update/rebuild.h"
#include "update/sourcetable.h"
#include "zip/writer.h"

namespace fs = std::filesystem;

namespace updatetest {
namespace {

using InstallEachFormat = EachFormat<InstallTest>;
INSTANTIATE_TEST_SUITE_P(Formats, InstallEachFormat, kFormats, formatName);

TEST_P(InstallEachFormat, MergeReplacesAndAppendsByKeyInPositionalOrder) {
    // Regulation 2 changes, 3 is new; the publication entry of 3 comes along.
    Row entry{3LL, 2LL, std::string("2009"), std::string("3")};
    archive("001.zip",
            {table(database::kZakoni, {regulation(2, "Zakon o porezu na dobit", "Novarec porez."),
                                       regulation(3, "Uredba", "Novarec uredba.")}),
             table(database::kBrojevi, {entry})});
    std::ofstream(program() / "Podatci" / "TB_Korisnicki.VAL") << "x";
    install("001.zip");

    EXPECT_EQ(listener_.messages, std::vector<std::string>{});
    EXPECT_EQ(rows(database::kZakoni, "ID_ZAKONA,Naziv_zakona,BG"),
              (std::vector<std::string>{"1|Zakon o radu|1/2005", "2|Zakon o porezu na dobit|2/2009",
                                        "3|Uredba|3/2009"}));
    EXPECT_EQ(rows(database::kBrojevi, "ID_BROJA,GODINA_stampanja"),
              (std::vector<std::string>{"1|2005", "2|2005", "3|2009"}));
    EXPECT_EQ(rows(database::kKorisnicki, "NAZIV_UG"), std::vector<std::string>{"Moj ugovor"});
    EXPECT_FALSE(fs::exists(program() / "Podatci" / "TB_Korisnicki.VAL"));
    EXPECT_EQ(listener_.newest, (std::vector<std::string>{"Zakon o porezu na dobit", "Uredba"}));
    EXPECT_EQ(listener_.lastUpdate, update::Installer::today());
    EXPECT_EQ(listener_.counts, 1);
    // The text index follows the merge exactly.
    EXPECT_EQ(indexed("novarec"), (std::vector<long long>{2, 3}));
    EXPECT_EQ(indexed("placa."), (std::vector<long long>{}));  // the old text of 2
    EXPECT_EQ(indexed("poslodavac"), (std::vector<long long>{1}));
}

TEST_P(InstallEachFormat, DatesOfARegulationMatchOnTheirNumberWithinIt) {
    auto date = [](long long rbr, long long day) {
        return Row{1LL, rbr, day, 3LL, 2009LL, std::string("Datum ") + std::to_string(rbr)};
    };
    archive("001.zip", {table(database::kDatumi, {date(1, 5), date(2, 6)})});
    install("001.zip");
    archive("002.zip", {table(database::kDatumi, {date(2, 7), date(3, 8)})});
    install("002.zip");
    EXPECT_EQ(rows(database::kDatumi, "ID_ZAKONA,RBR,DAN"),
              (std::vector<std::string>{"1|1|5", "1|2|7", "1|3|8"}));
}

TEST_P(InstallEachFormat, OnlyAnArchiveWithRegulationsReplacesTheNewestList) {
    archive("001.zip", {table(database::kGlasnici, {{3LL, std::string("Sl. list")}})});
    install("001.zip");
    EXPECT_EQ(listener_.newest, std::vector<std::string>{"(earlier list)"});
    EXPECT_EQ(rows(database::kGlasnici, "Naziv_glasnika").back(), "Sl. list");
    EXPECT_EQ(listener_.lastUpdate, update::Installer::today());  // still set

    // A news file unpacks to nothing; installing an empty scratch folder
    // changes no table but still sets the date and the counts.
    std::ofstream(program() / "updates" / "002.txt") << "Vesti";
    install("002.txt");
    EXPECT_EQ(listener_.counts, 2);
    EXPECT_TRUE(listener_.messages.empty());
}

TEST_F(InstallTest, AFileOfTheWrongShapeFailsItsTableAndTheRestOfTheArchive) {
    // TB_Zakoni (row 3) holds a view; tb_brojevi (row 5) would come later.
    const fs::path scratch = program() / "scratch";
    fs::create_directories(scratch);
    sqlite3* file = nullptr;
    sqlite3_open((scratch / "z.db").c_str(), &file);
    sqlite3_exec(file,
                 "CREATE TABLE t (a NUMBER); CREATE VIEW TB_Zakoni AS SELECT a, a, a, a, a, a, a, "
                 "a, a, a, a FROM t;",
                 nullptr, nullptr, nullptr);
    sqlite3_close(file);
    {
        update::SourceTableWriter brojevi(scratch / "b.db", database::kBrojevi,
                                          database::tableDef(database::kBrojevi).fields);
        brojevi.add({9LL, 1LL});
        brojevi.finish();
    }
    auto bytes = [&](const char* name) {
        std::ifstream in(scratch / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    zip::Writer w;
    w.add("TB_Zakoni.DB", bytes("z.db"));
    w.add("tb_brojevi.db", bytes("b.db"));
    w.write(program() / "updates" / "001.zip");
    install("001.zip");
    EXPECT_EQ(listener_.messages, std::vector<std::string>{"Azuriranje nije uspelo"});
    EXPECT_EQ(rows(database::kZakoni, "ID_ZAKONA").size(), 2U);
    EXPECT_EQ(rows(database::kBrojevi, "ID_BROJA").size(), 2U);  // not reached
    EXPECT_EQ(listener_.lastUpdate, update::Installer::today());
}

TEST_F(InstallTest, SourceFilesAreReadWithoutRunningWhatTheyCarry) {
    const fs::path path = program() / "t.db";
    sqlite3* file = nullptr;
    sqlite3_open(path.c_str(), &file);
    const char* cases[] = {
        // A generated column would compute on read.
        "CREATE TABLE TB_Glasnici (ID NUMBER, N ALPHA(120) AS (upper('x')))",
        // Types that are no field type.
        "CREATE TABLE TB_Glasnici (ID INTEGER, N TEXT)",
        // Two tables.
        "CREATE TABLE TB_Glasnici (ID NUMBER, N ALPHA(120)); CREATE TABLE x (a NUMBER)",
        // A virtual table.
        "CREATE VIRTUAL TABLE TB_Glasnici USING fts5(a)",
    };
    for (const char* sql : cases) {
        SCOPED_TRACE(sql);
        sqlite3_exec(file, "PRAGMA writable_schema = ON", nullptr, nullptr, nullptr);
        sqlite3_close(file);
        fs::remove(path);
        sqlite3_open(path.c_str(), &file);
        ASSERT_EQ(sqlite3_exec(file, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        EXPECT_THROW(update::openSourceTable(path), engine::Error);
    }
    sqlite3_close(file);
    // Not a database at all.
    std::ofstream(path, std::ios::trunc) << "PK garbage";
    EXPECT_THROW(update::openSourceTable(path)->fields(), engine::Error);
}

TEST_P(InstallEachFormat, FailedUnpackingShowsItsMessageAndMergesNothing) {
    archive("001.zip", {table(database::kZakoni, {regulation(3, "Uredba", "Tekst.")})});
    std::string bytes;
    {
        std::ifstream in(program() / "updates" / "001.zip", std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    bytes[bytes.find("TB_Zakoni.DB") + 20] ^= 0x55;  // inside the compressed data
    std::ofstream(program() / "updates" / "001.zip", std::ios::binary | std::ios::trunc) << bytes;
    install("001.zip");
    EXPECT_EQ(listener_.messages, std::vector<std::string>{"Greska u otpakivanju!"});
    EXPECT_EQ(rows(database::kZakoni, "ID_ZAKONA").size(), 2U);
}

TEST_F(InstallTest, RepairRebuildsTheThirteenTablesMovingTheBar) {
    EXPECT_EQ(update::repairSteps().size(), 13U);
    db().exec("DROP INDEX IF EXISTS \"TB_Zakoni$zakoniNaziv\"");
    EXPECT_TRUE(update::repairDatabase(util_, program() / "Podatci", listener_));
    EXPECT_EQ(listener_.bar,
              (std::vector<long long>{0, 10, 20, 30, 40, 50, 60, 70, 75, 80, 90, 100, 0}));
    EXPECT_EQ(listener_.messages,
              std::vector<std::string>{"Popravka uspesno izvrsena. Baza je u ispravnom stanju."});
    for (const auto& step : update::repairSteps()) {
        int level = -1;
        const std::string file = (program() / "Podatci" / step.table).string();
        ASSERT_EQ(
            update::TUVerifyTable(util_.handle(), file, "PARADOX", "v.db", nullptr, 0, &level),
            update::DBIERR_NONE);
        EXPECT_EQ(level, 0) << step.table << ": " << update::TUReport(util_.handle());
    }
    EXPECT_EQ(indexed("poslodavac"), (std::vector<long long>{1}));
}

TEST_F(InstallTest, RepairOfAMissingTableReportsTheFailure) {
    db().dropTable(database::kLink);
    EXPECT_FALSE(update::repairDatabase(util_, program() / "Podatci", listener_));
    EXPECT_EQ(listener_.messages, std::vector<std::string>{"Greska prilikom popravke baze!"});
    // Stopped after TB_Ministarstva (bar 70), then back to 0.
    EXPECT_EQ(listener_.bar, (std::vector<long long>{0, 10, 20, 30, 40, 50, 60, 70, 0}));
}

TEST_F(InstallTest, UtilityCallsCheckTheirSessionAndDescriptor) {
    const std::string file = (program() / "Podatci" / database::kZakoni).string();
    update::CRTblDescCounts counts;
    ASSERT_EQ(update::TUGetCRTblDescCount(util_.handle(), file, &counts), update::DBIERR_NONE);
    EXPECT_EQ(counts.fields, 11);
    EXPECT_EQ(counts.indexes, 4);
    update::CRTblDesc desc;
    EXPECT_EQ(update::TUFillCRTblDesc(util_.handle(), &desc, file, nullptr),
              update::DBIERR_INVALIDPARAM);  // not sized
    desc.fields.resize(counts.fields);
    desc.indexes.resize(counts.indexes);
    ASSERT_EQ(update::TUFillCRTblDesc(util_.handle(), &desc, file, nullptr), update::DBIERR_NONE);
    EXPECT_EQ(desc.fields[5].name, "Naziv_zakona");
    desc.fields[5].units = 10;  // another structure
    EXPECT_EQ(update::TURebuildTable(util_.handle(), file, "PARADOX", "b", "k", "p", &desc),
              update::DBIERR_INVALIDPARAM);
    EXPECT_EQ(update::TUGetCRTblDescCount(999, file, &counts), update::DBIERR_INVALIDHNDL);
    EXPECT_EQ(update::TUGetCRTblDescCount(util_.handle(), "/nowhere/TB_Zakoni", &counts),
              update::DBIERR_NOSUCHTABLE);
}

}  // namespace
}  // namespace updatetest
