#pragma once
// The datasets of the windows: table objects on the regulation tables with
// their read-only flags, orders and master/detail links as the windows first
// set them up, and the data sources the views bind to.
#include "engine/datasource.h"
#include "engine/table.h"

namespace engine {
class Session;
}

namespace database {

// The main window's datasets. Filters ignore letter case on all of them
// except Table1 (TB_Datumi) and link (TB_link).
struct MainData {
    explicit MainData(engine::Session& session);
    MainData(const MainData&) = delete;
    MainData& operator=(const MainData&) = delete;

    engine::Table Glavna;        // TB_Brojevi, table order
    engine::Table Zakoni;        // TB_Zakoni, detail of Glavna (ID_ZAKONA = ID_BROJA)
    engine::Table Glasnici;      // TB_Glasnici, master Glavna; link field set by the first fill
    engine::Table arhiva;        // TB_Arhiva, detail of Zakoni (BROJ_ZAKONA = ID_BROJA)
    engine::Table Table1;        // TB_Datumi, detail of Zakoni
    engine::Table lookzakoni;    // TB_Zakoni, positioned by title filters
    engine::Table lookbrojevi;   // TB_Brojevi, detail of lookzakoni
    engine::Table lookglasnici;  // TB_Glasnici, detail of lookbrojevi
    engine::Table misljenja;     // TB_Misljenja, "drugi", detail of ministarstva
    engine::Table ministarstva;  // TB_Ministarstva
    engine::Table oblasti;       // TB_Kategorije_Zakona
    engine::Table vrstezakona;   // TB_Tipovi_Zakona
    engine::Table ugovori;       // TB_Ugovori
    engine::Table KorisnickiUgovori;  // TB_Korisnicki, writable
    engine::Table link;               // TB_link

    engine::DataSource DataSource1;         // Glasnici
    engine::DataSource DataSource2;         // Zakoni
    engine::DataSource DataSource3;         // Glavna
    engine::DataSource DataSource4;         // misljenja
    engine::DataSource DataSource5;         // ministarstva
    engine::DataSource DataSource6;         // oblasti
    engine::DataSource DataSource7;         // vrstezakona
    engine::DataSource DataSource8;         // ugovori
    engine::DataSource DataSource9;         // arhiva
    engine::DataSource DataSource10;        // Table1
    engine::DataSource KorisnickiDataSet;   // KorisnickiUgovori
    engine::DataSource linksource;          // link
    engine::DataSource lookzakonisource;    // lookzakoni
    engine::DataSource lookbrojevidata;     // lookbrojevi
    engine::DataSource lookglasnicisource;  // lookglasnici

    // Opens every dataset in the order of the first activation and enables
    // the data sources. Engine errors propagate.
    void openAll();
    void closeAll();
};

// The selection window's datasets; filters compare case-sensitively.
struct SelectionData {
    explicit SelectionData(engine::Session& session);
    SelectionData(const SelectionData&) = delete;
    SelectionData& operator=(const SelectionData&) = delete;

    engine::Table selzakoni;    // TB_Zakoni by ID_ZAKONA
    engine::Table selbrojevi;   // TB_Brojevi, detail of selzakoni (ID_BROJA = ID_ZAKONA)
    engine::Table selglasnici;  // TB_Glasnici, detail of selbrojevi

    void openAll();
    void closeAll();
};

// The attachments window's dataset: the pictures of the main window's
// current regulation; filters compare case-sensitively.
struct AttachmentData {
    AttachmentData(engine::Session& session, engine::Table& mainZakoni);
    AttachmentData(const AttachmentData&) = delete;
    AttachmentData& operator=(const AttachmentData&) = delete;

    engine::Table Table1;  // TB_grafika, detail of the main Zakoni
    engine::DataSource DataSource1;

    void open();
    void close();
};

}  // namespace database
