#include "database/schema.h"

#include <strings.h>

#include "engine/session.h"

namespace database {
namespace {

using engine::FieldDef;
using engine::FieldType;
using engine::IndexDef;
using engine::TableDef;

FieldDef text(const char* name, int size) {
    return {name, FieldType::String, size};
}
FieldDef number(const char* name) {
    return {name, FieldType::Number, 0};
}
FieldDef memo(const char* name) {
    return {name, FieldType::Memo, 0};
}
FieldDef graphic(const std::string& name) {
    return {name, FieldType::Graphic, 0};
}

// Every table's full layout. Positions are fixed: the program reads several
// fields by position, and the updater maps fields by position.
std::vector<TableDef> makeDefs() {
    std::vector<TableDef> defs;

    // Regulations with their texts. Free positions hold the publication and
    // entry-into-force dates as "dd/mm/yyyy" text.
    defs.push_back({kZakoni,
                    {
                        number("ID_ZAKONA"),              // 0
                        number("ID_BROJA"),               // 1
                        number("ID_KATEGORIJE_ZAKONA"),   // 2
                        number("ID_TIPA_ZAKONA"),         // 3
                        text("DATUM_OBJAVLJIVANJA", 10),  // 4
                        text("Naziv_zakona", 255),        // 5
                        memo("Latinica"),                 // 6
                        memo("Cirilica"),                 // 7
                        memo("Napomena"),                 // 8
                        text("DATUM_STUPANJA", 10),       // 9
                        text("BG", 20),                   // 10
                    },
                    {"ID_ZAKONA"},
                    {
                        {"zakoniBroj", {"ID_BROJA"}, false, false},
                        {"zakoniNaziv", {"Naziv_zakona"}, false, true},
                        {"zakoniOblast", {"ID_KATEGORIJE_ZAKONA"}, false, false},
                    }});

    // Publication entries: which gazette, year and issue published a regulation.
    defs.push_back({kBrojevi,
                    {
                        number("ID_BROJA"),           // 0
                        number("ID_GLASNIKA"),        // 1
                        text("GODINA_stampanja", 4),  // 2
                        text("BROJ", 10),             // 3
                    },
                    {"ID_BROJA"},
                    {{"brojeviGlasnik", {"ID_GLASNIKA", "GODINA_stampanja"}, false, false}}});

    // Official gazettes, numbered 1, 2, 3 ... in table order.
    defs.push_back({kGlasnici,
                    {
                        number("ID_GLASNIKA"),        // 0
                        text("Naziv_glasnika", 120),  // 1
                    },
                    {"ID_GLASNIKA"},
                    {}});

    // Legal areas; the number is the 1-based position, row 1 the root.
    defs.push_back({kKategorije,
                    {
                        number("ID_KATEGORIJE_ZAKONA"),  // 0
                        text("NAZIV_KATEGORIJE", 120),   // 1
                    },
                    {"ID_KATEGORIJE_ZAKONA"},
                    {}});

    // Regulation types; the number is the 0-based position, row 0 is "Sve".
    defs.push_back({kTipovi,
                    {
                        number("ID_TIPA_ZAKONA"),  // 0
                        text("NAZIV_TIPA", 60),    // 1
                    },
                    {"ID_TIPA_ZAKONA"},
                    {}});

    // The version chain: previous and next version of a regulation, 0 for none.
    defs.push_back({kArhiva,
                    {
                        number("BROJ_ZAKONA"),    // 0
                        number("PRETHODI_MU"),    // 1
                        number("NASLEDJUJE_GA"),  // 2
                    },
                    {"BROJ_ZAKONA"},
                    {}});

    // Ministries' opinions; "drugi" orders them by ministry.
    defs.push_back({kMisljenja,
                    {
                        number("BROJ_MISLJENJA"),      // 0
                        number("MINISTARSTVO"),        // 1
                        text("NAZIV_MISLJENJA", 240),  // 2
                        memo("Latinica"),              // 3
                        memo("Cirilica"),              // 4
                        number("DAN"),                 // 5
                        number("MESEC"),               // 6
                        number("GODINA"),              // 7
                    },
                    {"BROJ_MISLJENJA"},
                    {
                        {kIndexMisljenja, {"BROJ_MISLJENJA"}, true, false},
                        {kIndexDrugi, {"MINISTARSTVO"}, false, true},
                    }});

    // Ministries.
    defs.push_back({kMinistarstva,
                    {
                        number("MINISTARSTVO"),         // 0
                        text("IME_MINISTARSTVA", 240),  // 1
                    },
                    {"MINISTARSTVO"},
                    {{kIndexMinistarstva, {"MINISTARSTVO"}, true, false}}});

    // Regulation-opinion pairs. Position 0 is the opinion's 0-based position
    // in "drugi" order, which the relations window lists by.
    defs.push_back({kLink,
                    {
                        number("RB_MISLJENJA"),  // 0
                        number("MIS"),           // 1: the regulation's ID_ZAKONA
                        number("PROP"),          // 2: the opinion's BROJ_MISLJENJA
                    },
                    {"MIS", "PROP"},
                    {{"linkProp", {"PROP"}, false, false}}});

    // Model contracts; position 3 is the number of contracting parties.
    defs.push_back({kUgovori,
                    {
                        text("NAZIV_UGOVORA", 240),  // 0
                        memo("TEXT_UGOVORA"),        // 1
                        memo("Napomena"),            // 2
                        number("BROJ_STRANA"),       // 3
                    },
                    {"NAZIV_UGOVORA"},
                    {}});

    // The user's contracts, in the order saved. No key: a name may repeat
    // when the user keeps a proposed name that is taken.
    defs.push_back({kKorisnicki,
                    {
                        text("NAZIV_UG", 240),  // 0
                        memo("TEKST_UG"),       // 1
                    },
                    {},
                    {}});

    // Pictures of a regulation: slots S1 .. S33.
    TableDef grafika{kGrafika, {number("ID_ZAKONA")}, {"ID_ZAKONA"}, {}};
    for (int slot = 1; slot <= kPictureSlots; ++slot) {
        grafika.fields.push_back(graphic(pictureField(slot)));
    }
    defs.push_back(grafika);

    // Dates of a regulation, RBR numbering them within the regulation.
    defs.push_back({kDatumi,
                    {
                        number("ID_ZAKONA"),  // 0
                        number("RBR"),        // 1
                        number("DAN"),        // 2
                        number("MESEC"),      // 3
                        number("GODINA"),     // 4
                        text("OPIS", 120),    // 5
                    },
                    {"ID_ZAKONA", "RBR"},
                    {}});
    return defs;
}

}  // namespace

std::string pictureField(int slot) {
    return "S" + std::to_string(slot);
}

const std::vector<engine::TableDef>& tableDefs() {
    static const std::vector<TableDef> defs = makeDefs();
    return defs;
}

const engine::TableDef& tableDef(const std::string& name) {
    for (const TableDef& def : tableDefs()) {
        if (strcasecmp(def.name.c_str(), name.c_str()) == 0) {
            return def;
        }
    }
    throw engine::Error("Unknown table " + name);
}

void createSchema(engine::Database& db) {
    for (const TableDef& def : tableDefs()) {
        db.createTable(def);
    }
}

}  // namespace database
