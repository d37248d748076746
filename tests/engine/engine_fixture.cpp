#include "engine_fixture.h"

#include <filesystem>

namespace enginetest {

using engine::FieldType;
using engine::TableDef;

namespace {

engine::FieldDef s(const std::string& name, int size) {
    return {name, FieldType::String, size};
}
engine::FieldDef n(const std::string& name) {
    return {name, FieldType::Number, 0};
}
engine::FieldDef m(const std::string& name) {
    return {name, FieldType::Memo, 0};
}
engine::FieldDef g(const std::string& name) {
    return {name, FieldType::Graphic, 0};
}

}  // namespace

std::vector<TableDef> smallSchema() {
    return {
        {"TB_Brojevi",
         {n("ID_BROJA"), n("ID_GLASNIKA"), s("GODINA_stampanja", 4), s("BROJ", 10)},
         {"ID_BROJA"},
         {{"poGlasniku", {"ID_GLASNIKA", "GODINA_stampanja"}, false, false}}},
        {"TB_Zakoni",
         {n("ID_ZAKONA"), n("ID_BROJA"), n("ID_KATEGORIJE_ZAKONA"), n("ID_TIPA_ZAKONA"),
          m("Latinica"), s("Naziv_zakona", 240), m("Cirilica"), s("Oznaka", 20), m("Napomena"),
          n("Strana"), s("BG", 20)},
         {"ID_ZAKONA"},
         {{"naziv", {"Naziv_zakona"}, false, true}}},
        {"TB_Glasnici", {n("ID_GLASNIKA"), s("Naziv_glasnika", 100)}, {"ID_GLASNIKA"}, {}},
        {"TB_Arhiva",
         {n("BROJ_ZAKONA"), n("PRETHODI_MU"), n("NASLEDJUJE_GA")},
         {},
         {{"broj", {"BROJ_ZAKONA"}, false, false}}},
        {"TB_Misljenja",
         {n("BROJ_MISLJENJA"), n("MINISTARSTVO"), s("NAZIV_MISLJENJA", 240), m("Latinica"),
          m("Cirilica"), n("DAN"), n("MESEC"), n("GODINA")},
         {"BROJ_MISLJENJA"},
         {{"drugi", {"MINISTARSTVO"}, false, true}}},
        {"TB_Ministarstva", {n("MINISTARSTVO"), s("IME_MINISTARSTVA", 240)}, {"MINISTARSTVO"}, {}},
        {"TB_link", {n("POZ"), n("ZAK"), n("MIS"), n("PROP")}, {"MIS", "PROP"}, {}},
        {"TB_Korisnicki", {s("NAZIV_UG", 100), m("TEKST_UG")}, {"NAZIV_UG"}, {}},
        {"TB_grafika", {n("ID_ZAKONA"), g("S1"), g("S2")}, {}, {{"zakon", {"ID_ZAKONA"}}}},
    };
}

EngineTest::EngineTest() {
    std::filesystem::create_directory(dataDir());
    auto created = engine::Database::create(
        (std::filesystem::path(dataDir()) / engine::kDatabaseFileName).string(), {kPassword});
    {
        engine::Database::Transaction tx(*created);
        for (const auto& def : smallSchema()) {
            created->createTable(def);
        }
        tx.commit();
    }
    created.reset();
    openSession(session_, dataDir());
}

void openSession(engine::Session& session, const std::string& dataDir) {
    session.addStandardAlias("Zakoni", dataDir, "Paradox");
    session.addPassword(kPassword);
    session.open();
}

std::unique_ptr<engine::Table> EngineTest::open(const std::string& table, bool readOnly,
                                                const std::string& name) {
    return openTable(session_, table, readOnly, name);
}

std::unique_ptr<engine::Table> openTable(engine::Session& session, const std::string& table,
                                         bool readOnly, const std::string& name) {
    auto t = std::make_unique<engine::Table>(session, name.empty() ? table : name);
    t->setDatabaseName("ZAKONI");
    t->setTableName(table);
    t->setReadOnly(readOnly);
    t->open();
    return t;
}

std::vector<std::string> column(engine::Table& table, const std::string& field) {
    std::vector<std::string> out;
    for (table.first(); !table.eof(); table.next()) {
        out.push_back(table.fieldByName(field).asString());
    }
    return out;
}

void fillSampleData(engine::Database& db) {
    engine::Database::Transaction tx(db);
    // Publication entries: gazettes 1 and 2, years and issues as text.
    db.exec(
        "INSERT INTO TB_Brojevi VALUES (12, 1, '2005', '12'), (13, 1, '2005', '2'),"
        " (14, 1, '2006', '1a'), (15, 2, '2005', '12'), (16, 2, '2006', '05')");
    // Regulations: the same title in two issues, an apostrophe, YUSCII letters
    // ('{' is a small s with caron, '[' its capital), a blank title.
    db.exec(
        "INSERT INTO TB_Zakoni (ID_ZAKONA, ID_BROJA, ID_KATEGORIJE_ZAKONA, ID_TIPA_ZAKONA,"
        " Naziv_zakona, BG, Latinica) VALUES"
        " (12, 12, 3, 1, 'Zakon o porezu', '12/2005', CAST('{\\rtf1 dvanaest}' AS BLOB)),"
        " (13, 13, 3, 2, 'Zakon o ''X''', '2/2005', NULL),"
        " (14, 14, 4, 1, 'Zakon o porezu', '1a/2006', NULL),"
        " (15, 15, 4, 2, 'Uredba o {umama', '12/2005', NULL),"
        " (16, 16, 5, 1, NULL, '05/2006', NULL)");
    db.exec("INSERT INTO TB_Glasnici VALUES (1, 'Slu`beni glasnik RS'), (2, 'Slu`beni list')");
    db.exec("INSERT INTO TB_Arhiva VALUES (14, 12, 0), (12, 0, 14), (15, 0, 0)");
    db.exec(
        "INSERT INTO TB_Ministarstva VALUES (1, 'Ministarstvo finansija'),"
        " (2, 'Ministarstvo rada')");
    db.exec(
        "INSERT INTO TB_Misljenja (BROJ_MISLJENJA, MINISTARSTVO, NAZIV_MISLJENJA, DAN, MESEC,"
        " GODINA) VALUES (1, 2, 'O porezu', 5, 3, 2006), (2, 1, 'O doprinosima', 20, 11, 2005),"
        " (3, 1, 'O porezu', 1, 3, 2006), (4, 2, 'O zaradama', 15, 6, 2007)");
    db.exec("INSERT INTO TB_link VALUES (0, 12, 12, 1), (2, 12, 12, 3), (0, 14, 14, 1)");
    db.exec("INSERT INTO TB_Korisnicki VALUES ('Korisnicki ugovor', CAST('{\\rtf1 x}' AS BLOB))");
    tx.commit();
}

}  // namespace enginetest
