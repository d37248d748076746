#include "database/schema.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/session.h"
#include "support/temp_program_dir.h"

namespace {

using engine::FieldType;

struct Position {
    const char* table;
    int position;
    const char* field;
    FieldType type;
};

// The positions the program reads by position, and the named fields.
const Position kPositions[] = {
    {"TB_Zakoni", 0, "ID_ZAKONA", FieldType::Number},
    {"TB_Zakoni", 5, "Naziv_zakona", FieldType::String},
    {"TB_Zakoni", 8, "Napomena", FieldType::Memo},
    {"TB_Zakoni", 10, "BG", FieldType::String},
    {"TB_Brojevi", 0, "ID_BROJA", FieldType::Number},
    {"TB_Glasnici", 1, "Naziv_glasnika", FieldType::String},
    {"TB_Arhiva", 0, "BROJ_ZAKONA", FieldType::Number},
    {"TB_Arhiva", 1, "PRETHODI_MU", FieldType::Number},
    {"TB_Arhiva", 2, "NASLEDJUJE_GA", FieldType::Number},
    {"TB_Misljenja", 0, "BROJ_MISLJENJA", FieldType::Number},
    {"TB_Misljenja", 1, "MINISTARSTVO", FieldType::Number},
    {"TB_Misljenja", 2, "NAZIV_MISLJENJA", FieldType::String},
    {"TB_Misljenja", 3, "Latinica", FieldType::Memo},
    {"TB_Misljenja", 4, "Cirilica", FieldType::Memo},
    {"TB_Misljenja", 5, "DAN", FieldType::Number},
    {"TB_Misljenja", 6, "MESEC", FieldType::Number},
    {"TB_Misljenja", 7, "GODINA", FieldType::Number},
    {"TB_Ministarstva", 0, "MINISTARSTVO", FieldType::Number},
    {"TB_Ministarstva", 1, "IME_MINISTARSTVA", FieldType::String},
    {"TB_link", 1, "MIS", FieldType::Number},
    {"TB_Ugovori", 0, "NAZIV_UGOVORA", FieldType::String},
    {"TB_Ugovori", 3, "BROJ_STRANA", FieldType::Number},
    {"TB_Korisnicki", 0, "NAZIV_UG", FieldType::String},
    {"TB_Korisnicki", 1, "TEKST_UG", FieldType::Memo},
    {"TB_grafika", 0, "ID_ZAKONA", FieldType::Number},
    {"TB_grafika", 1, "S1", FieldType::Graphic},
    {"TB_grafika", 33, "S33", FieldType::Graphic},
    {"TB_Datumi", 0, "ID_ZAKONA", FieldType::Number},
};

int positionOf(const engine::TableDef& def, const std::string& field) {
    for (size_t i = 0; i < def.fields.size(); ++i) {
        if (def.fields[i].name == field) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

TEST(Schema, FieldsStandAtTheirPositions) {
    for (const Position& p : kPositions) {
        SCOPED_TRACE(std::string(p.table) + "." + p.field);
        const engine::TableDef& def = database::tableDef(p.table);
        ASSERT_LT(p.position, static_cast<int>(def.fields.size()));
        EXPECT_EQ(def.fields[static_cast<size_t>(p.position)].name, p.field);
        EXPECT_EQ(def.fields[static_cast<size_t>(p.position)].type, p.type);
    }
}

TEST(Schema, NamedFieldsExist) {
    const std::pair<const char*, const char*> named[] = {
        {"TB_Zakoni", "ID_BROJA"},          {"TB_Zakoni", "ID_KATEGORIJE_ZAKONA"},
        {"TB_Zakoni", "ID_TIPA_ZAKONA"},    {"TB_Zakoni", "Latinica"},
        {"TB_Zakoni", "Cirilica"},          {"TB_Brojevi", "ID_GLASNIKA"},
        {"TB_Brojevi", "GODINA_stampanja"}, {"TB_Brojevi", "BROJ"},
        {"TB_Glasnici", "ID_GLASNIKA"},     {"TB_link", "PROP"},
        {"TB_Ugovori", "TEXT_UGOVORA"},     {"TB_Ugovori", "Napomena"},
    };
    for (const auto& [table, field] : named) {
        EXPECT_GE(positionOf(database::tableDef(table), field), 0) << table << "." << field;
    }
    const engine::TableDef& grafika = database::tableDef("TB_grafika");
    EXPECT_EQ(grafika.fields.size(), 34u);
    for (int slot = 1; slot <= database::kPictureSlots; ++slot) {
        EXPECT_EQ(positionOf(grafika, database::pictureField(slot)), slot);
    }
}

TEST(Schema, NamedIndexesOfOpinionsAndMinistries) {
    auto index = [](const char* table, const char* name) {
        const auto& def = database::tableDef(table);
        auto it = std::find_if(def.indexes.begin(), def.indexes.end(),
                               [&](const engine::IndexDef& i) { return i.name == name; });
        EXPECT_NE(it, def.indexes.end()) << table << " " << name;
        return it == def.indexes.end() ? engine::IndexDef{} : *it;
    };
    const auto drugi = index("TB_Misljenja", "drugi");
    EXPECT_EQ(drugi.fields, std::vector<std::string>{"MINISTARSTVO"});
    EXPECT_TRUE(drugi.caseInsensitive);
    const auto primary = index("TB_Misljenja", "misljenjaIndex1");
    EXPECT_EQ(primary.fields, std::vector<std::string>{"BROJ_MISLJENJA"});
    EXPECT_TRUE(primary.unique);
    const auto ministries = index("TB_Ministarstva", "ministarstvaIndex1");
    EXPECT_EQ(ministries.fields, std::vector<std::string>{"MINISTARSTVO"});
    EXPECT_TRUE(ministries.unique);
    EXPECT_EQ(database::tableDef("tb_misljenja").primaryKey,
              std::vector<std::string>{"BROJ_MISLJENJA"});
    // User contracts may share a name: no unique key on them.
    EXPECT_TRUE(database::tableDef("TB_Korisnicki").primaryKey.empty());
}

TEST(Schema, CreateSchemaMakesThirteenTablesWithTheirDefinitions) {
    testsupport::TempProgramDir dir(false);
    const std::string path = (dir / "zakoni.sqlite").string();
    {
        auto db = engine::Database::create(path, {database::kMasterPassword});
        database::createSchema(*db);
    }
    engine::Session session;
    session.addPassword(database::kMasterPassword);
    auto db = engine::Database::openFile(path, &session);
    ASSERT_EQ(db->tableNames().size(), 13u);
    for (const engine::TableDef& def : database::tableDefs()) {
        SCOPED_TRACE(def.name);
        ASSERT_TRUE(db->hasTable(def.name));
        const engine::TableDef& stored = db->tableDef(def.name);
        ASSERT_EQ(stored.fields.size(), def.fields.size());
        for (size_t i = 0; i < def.fields.size(); ++i) {
            EXPECT_EQ(stored.fields[i].name, def.fields[i].name);
            EXPECT_EQ(stored.fields[i].type, def.fields[i].type);
        }
        EXPECT_EQ(stored.primaryKey, def.primaryKey);
    }
    EXPECT_STREQ(database::kMasterPassword, "propis");
}

}  // namespace
