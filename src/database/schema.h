#pragma once
// The thirteen regulation tables: their fields (at the positions the program
// reads), primary keys and indexes, and the names shared by every user.
#include <string>
#include <vector>

#include "engine/types.h"

namespace engine {
class Database;
}

namespace database {

// The alias of the data folder and the master password of its tables.
inline constexpr const char* kAlias = "Zakoni";
inline constexpr const char* kMasterPassword = "propis";

// Table names.
inline constexpr const char* kZakoni = "TB_Zakoni";
inline constexpr const char* kBrojevi = "TB_Brojevi";
inline constexpr const char* kGlasnici = "TB_Glasnici";
inline constexpr const char* kKategorije = "TB_Kategorije_Zakona";
inline constexpr const char* kTipovi = "TB_Tipovi_Zakona";
inline constexpr const char* kArhiva = "TB_Arhiva";
inline constexpr const char* kMisljenja = "TB_Misljenja";
inline constexpr const char* kMinistarstva = "TB_Ministarstva";
inline constexpr const char* kLink = "TB_link";
inline constexpr const char* kUgovori = "TB_Ugovori";
inline constexpr const char* kKorisnicki = "TB_Korisnicki";
inline constexpr const char* kGrafika = "TB_grafika";
inline constexpr const char* kDatumi = "TB_Datumi";

// Named indexes.
inline constexpr const char* kIndexDrugi = "drugi";
inline constexpr const char* kIndexMisljenja = "misljenjaIndex1";
inline constexpr const char* kIndexMinistarstva = "ministarstvaIndex1";

// Positions the program reads by position.
namespace pos {
inline constexpr int kZakoniId = 0;
inline constexpr int kZakoniNaziv = 5;
inline constexpr int kZakoniNapomena = 8;
inline constexpr int kZakoniBg = 10;
inline constexpr int kBrojeviId = 0;
inline constexpr int kGlasniciNaziv = 1;
inline constexpr int kKategorijeNaziv = 1;
inline constexpr int kTipoviNaziv = 1;
inline constexpr int kArhivaBroj = 0;
inline constexpr int kArhivaPrethodi = 1;
inline constexpr int kArhivaNasledjuje = 2;
inline constexpr int kMisljenjaBroj = 0;
inline constexpr int kMisljenjaMinistarstvo = 1;
inline constexpr int kMisljenjaNaziv = 2;
inline constexpr int kMisljenjaLatinica = 3;
inline constexpr int kMisljenjaCirilica = 4;
inline constexpr int kMisljenjaDan = 5;
inline constexpr int kMisljenjaMesec = 6;
inline constexpr int kMisljenjaGodina = 7;
inline constexpr int kMinistarstvaBroj = 0;
inline constexpr int kMinistarstvaIme = 1;
inline constexpr int kLinkMisljenje = 0;  // the opinion's position in "drugi" order
inline constexpr int kLinkZakon = 1;      // the regulation's ID_ZAKONA (MIS)
inline constexpr int kUgovoriNaziv = 0;
inline constexpr int kUgovoriStrane = 3;
inline constexpr int kKorisnickiNaziv = 0;
inline constexpr int kKorisnickiTekst = 1;
}  // namespace pos

// The picture slots of TB_grafika: "S1" .. "S33".
inline constexpr int kPictureSlots = 33;
std::string pictureField(int slot);

// The definitions of all thirteen tables, in creation order.
const std::vector<engine::TableDef>& tableDefs();
// One definition by table name (not case-sensitive); throws engine::Error.
const engine::TableDef& tableDef(const std::string& name);

// Creates every table in an empty database.
void createSchema(engine::Database& db);

}  // namespace database
