#include "database/datasets.h"

#include <string>

#include "database/schema.h"
#include "engine/session.h"

namespace database {
namespace {

struct Setup {
    const char* table;
    bool readOnly;
    const char* indexFields = "";  // empty: the primary index
    const char* indexName = "";
    bool caseInsensitive = true;
    const char* alias = kAlias;
};

void configure(engine::Table& t, const Setup& s) {
    t.setDatabaseName(s.alias);
    t.setTableName(s.table);
    t.setReadOnly(s.readOnly);
    if (*s.indexName != '\0') {
        t.setIndexName(s.indexName);
    } else if (*s.indexFields != '\0') {
        t.setIndexFieldNames(s.indexFields);
    }
    t.setFilterCaseInsensitive(s.caseInsensitive);
}

void follow(engine::Table& detail, engine::Table& master, const char* masterFields) {
    detail.setMasterSource(&master);
    detail.setMasterFields(masterFields);
}

}  // namespace

MainData::MainData(engine::Session& session)
    : Glavna(session, "Glavna"),
      Zakoni(session, "Zakoni"),
      Glasnici(session, "Glasnici"),
      arhiva(session, "arhiva"),
      Table1(session, "Table1"),
      lookzakoni(session, "lookzakoni"),
      lookbrojevi(session, "lookbrojevi"),
      lookglasnici(session, "lookglasnici"),
      misljenja(session, "misljenja"),
      ministarstva(session, "ministarstva"),
      oblasti(session, "oblasti"),
      vrstezakona(session, "vrstezakona"),
      ugovori(session, "ugovori"),
      KorisnickiUgovori(session, "KorisnickiUgovori"),
      link(session, "link"),
      DataSource1(&Glasnici, "DataSource1"),
      DataSource2(&Zakoni, "DataSource2"),
      DataSource3(&Glavna, "DataSource3"),
      DataSource4(&misljenja, "DataSource4"),
      DataSource5(&ministarstva, "DataSource5"),
      DataSource6(&oblasti, "DataSource6"),
      DataSource7(&vrstezakona, "DataSource7"),
      DataSource8(&ugovori, "DataSource8"),
      DataSource9(&arhiva, "DataSource9"),
      DataSource10(&Table1, "DataSource10"),
      KorisnickiDataSet(&KorisnickiUgovori, "KorisnickiDataSet"),
      linksource(&link, "linksource"),
      lookzakonisource(&lookzakoni, "lookzakonisource"),
      lookbrojevidata(&lookbrojevi, "lookbrojevidata"),
      lookglasnicisource(&lookglasnici, "lookglasnicisource") {
    configure(Glavna, {kBrojevi, true});
    configure(Zakoni, {kZakoni, true, "ID_ZAKONA"});
    follow(Zakoni, Glavna, "ID_BROJA");
    configure(Glasnici, {kGlasnici, true, "ID_GLASNIKA"});
    follow(Glasnici, Glavna, "");  // the first fill sets ID_GLASNIKA
    configure(arhiva, {kArhiva, false, "BROJ_ZAKONA"});
    follow(arhiva, Zakoni, "ID_BROJA");
    configure(Table1, {kDatumi, false, "ID_ZAKONA", "", false});
    follow(Table1, Zakoni, "ID_ZAKONA");
    configure(lookzakoni, {kZakoni, false});
    configure(lookbrojevi, {kBrojevi, false, "ID_BROJA"});
    follow(lookbrojevi, lookzakoni, "ID_BROJA");
    configure(lookglasnici, {kGlasnici, false, "ID_GLASNIKA"});
    follow(lookglasnici, lookbrojevi, "ID_GLASNIKA");
    configure(misljenja, {kMisljenja, true, "", kIndexDrugi});
    follow(misljenja, ministarstva, "MINISTARSTVO");
    configure(ministarstva, {kMinistarstva, true});
    configure(oblasti, {kKategorije, true});
    configure(vrstezakona, {kTipovi, true});
    configure(ugovori, {kUgovori, true});
    configure(KorisnickiUgovori, {kKorisnicki, false});
    configure(link, {kLink, false, "", "", false});
}

void MainData::openAll() {
    for (engine::Table* t : {&Glavna, &Glasnici, &Zakoni, &lookbrojevi, &lookglasnici, &lookzakoni,
                             &vrstezakona, &oblasti, &arhiva, &ugovori, &KorisnickiUgovori,
                             &misljenja, &ministarstva, &link, &Table1}) {
        t->open();
    }
    for (engine::DataSource* s :
         {&DataSource1, &DataSource2, &DataSource3, &DataSource4, &DataSource5, &DataSource6,
          &DataSource7, &DataSource8, &DataSource9, &DataSource10, &KorisnickiDataSet, &linksource,
          &lookzakonisource, &lookbrojevidata, &lookglasnicisource}) {
        s->setEnabled(true);
    }
}

void MainData::closeAll() {
    // Details first, so no detail follows a master that is going away.
    for (engine::Table* t : {&Table1, &arhiva, &Zakoni, &Glasnici, &lookglasnici, &lookbrojevi,
                             &lookzakoni, &misljenja, &ministarstva, &Glavna, &oblasti,
                             &vrstezakona, &ugovori, &KorisnickiUgovori, &link}) {
        t->close();
    }
}

SelectionData::SelectionData(engine::Session& session)
    : selzakoni(session, "selzakoni"),
      selbrojevi(session, "selbrojevi"),
      selglasnici(session, "selglasnici") {
    configure(selzakoni, {kZakoni, true, "ID_ZAKONA", "", false, "ZAKONI"});
    configure(selbrojevi, {kBrojevi, true, "ID_BROJA", "", false, "ZAKONI"});
    follow(selbrojevi, selzakoni, "ID_ZAKONA");
    configure(selglasnici, {kGlasnici, true, "ID_GLASNIKA", "", false, "ZAKONI"});
    follow(selglasnici, selbrojevi, "ID_GLASNIKA");
}

void SelectionData::openAll() {
    selzakoni.open();
    selbrojevi.open();
    selglasnici.open();
}

void SelectionData::closeAll() {
    selglasnici.close();
    selbrojevi.close();
    selzakoni.close();
}

AttachmentData::AttachmentData(engine::Session& session, engine::Table& mainZakoni)
    : Table1(session, "Table1"), DataSource1(&Table1, "DataSource1") {
    configure(Table1, {kGrafika, false, "ID_ZAKONA", "", false});
    follow(Table1, mainZakoni, "ID_ZAKONA");
}

void AttachmentData::open() {
    Table1.open();
}

void AttachmentData::close() {
    Table1.close();
}

}  // namespace database
