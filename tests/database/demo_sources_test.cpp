#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "database/schema.h"
#include "demo/db_writer.h"
#include "demo/sources.h"
#include "engine/session.h"
#include "engine/table.h"
#include "support/data_session.h"
#include "support/temp_program_dir.h"

namespace {

namespace fs = std::filesystem;

fs::path fixture() {
    return testsupport::sourceDir() / "tests/database/fixtures/demo";
}

void writeText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(DemoSources, FixtureLoadsIntoYusciiRows) {
    const demo::DemoData d = demo::loadSources(fixture());
    ASSERT_EQ(d.gazettes.size(), 2u);
    EXPECT_EQ(d.gazettes[0].name, "Slu`beni glasnik RS");
    EXPECT_EQ(d.types[0].name, "Sve");
    ASSERT_EQ(d.regulations.size(), 2u);
    const demo::Regulation& r = d.regulations[0];
    EXPECT_EQ(r.id, 1);
    EXPECT_EQ(r.title, "Zakon o porezu na dobit \"preduze}a\"");
    EXPECT_EQ(r.bg(), "12a/2005");
    EXPECT_EQ(r.note.size(), 201u);
    ASSERT_EQ(r.dates.size(), 2u);
    EXPECT_EQ(r.dates[1].day, 1);
    EXPECT_EQ(r.dates[1].month, 4);
    ASSERT_EQ(r.pictures.size(), 1u);
    EXPECT_EQ(r.pictures[0].slot, 3);
    EXPECT_TRUE(r.pictures[0].bytes.starts_with("BM"));
    EXPECT_NE(r.latin.find("\\pard\\qc\\b ^lan 1.\\b0\\par"), std::string::npos);
    EXPECT_NE(r.latin.find("ure|uje se \\b porez\\b0  na \\i dobit\\i0  - ne sme."),
              std::string::npos);
    EXPECT_NE(r.latin.find("injekcija, injekcija i nad`iveti, nad`iveti;"), std::string::npos);
    EXPECT_NE(r.cyrillic.find("iwekcija, injekcija i naxiveti, nad`iveti;"), std::string::npos);
    EXPECT_NE(d.regulations[1].cyrillic.find("Xep, WIVA, Qubav."), std::string::npos);
    EXPECT_EQ(d.regulations[1].title, "Uredba o njivama i ljudima");

    ASSERT_EQ(d.opinions.size(), 2u);
    EXPECT_EQ(d.opinions[0].number, 10);
    EXPECT_EQ(d.opinions[0].regulations, (std::vector<long long>{1, 3}));
    const auto positions = demo::opinionPositions(d.opinions);
    EXPECT_EQ(positions.at(11), 0);  // ministry 1 before ministry 2
    EXPECT_EQ(positions.at(10), 1);
    ASSERT_EQ(d.contracts.size(), 1u);
    EXPECT_EQ(d.contracts[0].parties, 3);
    EXPECT_NE(d.contracts[0].text.find("<ugov1>, <nazivugs1>"), std::string::npos);
    ASSERT_EQ(d.archive.size(), 2u);
}

// Each case changes one file of the fixture and expects one problem.
struct BadCase {
    const char* file;
    std::string content;
    const char* problem;  // the start of the reported line
};

TEST(DemoSources, InvariantViolationsNameFileAndLine) {
    const std::string reg3 = readText(fixture() / "propisi/003.txt");
    const std::string reg1 = readText(fixture() / "propisi/001.txt");
    auto replace = [](std::string text, const std::string& from, const std::string& to) {
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    const BadCase cases[] = {
        {"glasnici.tsv", "ID_GLASNIKA\tNaziv_glasnika\n1\tA\n3\tB\n",
         "glasnici.tsv:3: gazettes must be numbered 1, 2, 3"},
        {"glasnici.tsv", "ID\tNaziv\n1\tA\n", "glasnici.tsv:1: the header must be"},
        {"oblasti.tsv", "ID\tNaziv\n1\tSvi\n2\tA\tB\n", "oblasti.tsv:3: expected 2 tab-separated"},
        {"tipovi.tsv", "ID\tNaziv\n0\tZakoni\n1\tSve\n2\tUredbe\n",
         "tipovi.tsv:2: the first type must be \"Sve\""},
        {"propisi/003.txt", replace(reg3, "Glasilo: 2", "Glasilo: 9"),
         "propisi/003.txt:2: no gazette 9"},
        {"propisi/004.txt", reg3, "propisi/004.txt:1: ID 3 is also used by propisi/003.txt"},
        {"propisi/003.txt", replace(reg3, "Oblast: 3", "Oblast: 1"),
         "propisi/003.txt:5: Oblast must be an area"},
        {"propisi/003.txt", replace(reg3, "Tip: 2", "Tip: 0"), "propisi/003.txt:6: Tip must be"},
        {"propisi/003.txt", replace(reg3, "Ljubav.", "Lju[bav."),
         "propisi/003.txt:10: the character '['"},
        {"propisi/003.txt", replace(reg3, "Ljubav.", "**Ljubav."),
         "propisi/003.txt:10: unclosed **"},
        {"propisi/003.txt", replace(reg3, "Naslov:", "Naslv:"),
         "propisi/003.txt:7: unknown header key 'Naslv'"},
        {"propisi/001.txt", replace(reg1, "NapomenaDuzina: 201", "NapomenaDuzina: 50"),
         "propisi/001.txt:8: the note takes"},
        {"propisi/001.txt", replace(reg1, "12.03.2005", "30.02.2005"),
         "propisi/001.txt:10: not a date dd.mm.yyyy: '30.02.2005'"},
        {"propisi/001.txt", replace(reg1, "S3=slike/obrazac.bmp", "S3=../../secret.png"),
         "propisi/001.txt:11: the picture path must lie inside"},
        {"propisi/001.txt", replace(reg1, "S3=slike/obrazac.bmp", "S3=tipovi.tsv"),
         "propisi/001.txt:11: tipovi.tsv is not a PNG, JPEG or BMP picture"},
        {"propisi/001.txt", replace(reg1, "S3=", "S34="), "propisi/001.txt:11: expected S1..S33"},
        {"propisi/003.txt", replace(reg3, "Broj: 7", "Broj: 12a\nBroj: 13"),
         "propisi/003.txt:5: header key 'Broj' given twice"},
        {"arhiva.tsv", "BROJ_ZAKONA\tPRETHODI_MU\tNASLEDJUJE_GA\n1\t0\t3\n3\t0\t0\n",
         "arhiva.tsv:2: NASLEDJUJE_GA 3 does not point back"},
        {"arhiva.tsv", "BROJ_ZAKONA\tPRETHODI_MU\tNASLEDJUJE_GA\n1\t0\t3\n3\t1\t0\n5\t0\t0\n",
         "arhiva.tsv:4: BROJ_ZAKONA 5 is no regulation"},
        {"arhiva.tsv", "BROJ_ZAKONA\tPRETHODI_MU\tNASLEDJUJE_GA\n1\t3\t3\n3\t1\t1\n",
         "arhiva.tsv:2: the version chain of 1 runs in a circle"},
        {"misljenja/010.txt",
         replace(readText(fixture() / "misljenja/010.txt"), "Propisi: 1, 3", "Propisi: 1, 99"),
         "misljenja/010.txt:5: no regulation with ID 99"},
        {"misljenja/010.txt",
         replace(readText(fixture() / "misljenja/010.txt"), "Ministarstvo: 2", "Ministarstvo: 5"),
         "misljenja/010.txt:2: no ministry 5"},
        {"ugovori/02.txt", readText(fixture() / "ugovori/01.txt"),
         "ugovori/02.txt:1: the same Naziv as ugovori/01.txt"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.problem);
        testsupport::TempProgramDir dir(false);
        fs::copy(fixture(), dir / "src", fs::copy_options::recursive);
        writeText(dir / "src" / c.file, c.content);
        try {
            demo::loadSources(dir / "src");
            ADD_FAILURE() << "no problem reported";
        } catch (const demo::SourceErrors& e) {
            bool found = false;
            for (const std::string& p : e.problems()) {
                found = found || p.starts_with(c.problem);
            }
            EXPECT_TRUE(found) << "reported: " << e.problems().front();
        }
    }
}

int rows(engine::Session& session, const char* table) {
    engine::Table t(session, table);
    t.setDatabaseName(database::kAlias);
    t.setTableName(table);
    t.open();
    return t.recordCount();
}

TEST(DemoWriter, BuildsTheDatabaseAndReplacesAnOldOne) {
    testsupport::TempProgramDir dir(false);
    writeText(dir / "Podatci" / engine::kDatabaseFileName, "not a database");
    demo::writeDatabase(demo::loadSources(fixture()), dir / "Podatci");
    // The database and the index files of its texts; nothing of the build.
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir / "Podatci")) {
        names.insert(entry.path().filename().string());
    }
    EXPECT_EQ(names, (std::set<std::string>{engine::kDatabaseFileName, "zakoni.misljenja.index",
                                            "zakoni.zakoni.index"}));

    engine::Session session;
    testsupport::openDataSession(session, dir.path());
    EXPECT_EQ(rows(session, "TB_Zakoni"), 2);
    EXPECT_EQ(rows(session, "TB_Brojevi"), 2);
    EXPECT_EQ(rows(session, "TB_Datumi"), 2);
    EXPECT_EQ(rows(session, "TB_grafika"), 1);
    EXPECT_EQ(rows(session, "TB_Korisnicki"), 0);

    engine::Table link(session, "link");
    link.setDatabaseName(database::kAlias);
    link.setTableName("TB_link");
    link.open();
    std::vector<std::string> pairs;
    for (link.first(); !link.eof(); link.next()) {
        pairs.push_back(link.field(0).asString() + " " + link.field(1).asString() + " " +
                        link.field(2).asString());
    }
    EXPECT_EQ(pairs, (std::vector<std::string>{"1 1 10", "1 3 10"}));

    engine::Table z(session, "z");
    z.setDatabaseName(database::kAlias);
    z.setTableName("TB_Zakoni");
    z.open();
    EXPECT_EQ(z.field(database::pos::kZakoniBg).asString(), "12a/2005");
    EXPECT_EQ(z.fieldByName("ID_BROJA").asInteger(), 1);
    EXPECT_EQ(z.field(database::pos::kZakoniNapomena).dataSize(), 201u);
}

TEST(DemoWriter, AnUnfinishedBuildLeavesTheOldFile) {
    testsupport::TempProgramDir dir(false);
    writeText(dir / "Podatci" / engine::kDatabaseFileName, "old");
    {
        demo::DatabaseWriter w(dir / "Podatci");
        w.gazette({1, "A"});
    }
    EXPECT_EQ(readText(dir / "Podatci" / engine::kDatabaseFileName), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "Podatci"), fs::directory_iterator()), 1);
}

TEST(DemoWriter, EmptySourcesGiveAnEmptyValidDatabase) {
    testsupport::TempProgramDir dir(false);
    fs::create_directories(dir / "src");
    demo::writeDatabase(demo::loadSources(dir / "src"), dir / "Podatci");
    engine::Session session;
    testsupport::openDataSession(session, dir.path());
    EXPECT_EQ(session.database(database::kAlias).tableNames().size(), 13u);
    EXPECT_EQ(rows(session, "TB_Zakoni"), 0);
}

}  // namespace
