#include "search_db.h"

#include <filesystem>

#include "database/schema.h"

namespace searchtest {

std::string rtfOf(const std::string& text) {
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 YHelvetica;}}\\f0 ";
    for (char c : text) {
        if (c == '\n') {
            rtf += "\\par ";
            continue;
        }
        if (c == '\\' || c == '{' || c == '}') {
            rtf += '\\';
        }
        rtf += c;
    }
    return rtf + "\\par}";
}

SearchDb::SearchDb() {
    const auto data = dir_.path() / "Podatci";
    std::filesystem::create_directories(data);
    {
        auto db = engine::Database::create((data / engine::kDatabaseFileName).string(),
                                           {database::kMasterPassword});
        db->exec("PRAGMA synchronous = OFF");  // a throwaway database: no need to wait for the disk
        database::createSchema(*db);
    }
    session_.addStandardAlias(database::kAlias, data.string(), "Paradox");
    session_.addPassword(database::kMasterPassword);
    session_.open();
    session_.database(database::kAlias).exec("PRAGMA synchronous = OFF");
}

SearchDb::~SearchDb() {
    if (data_) {
        data_->closeAll();
    }
    for (auto& [name, t] : tables_) {
        t->close();
    }
}

engine::Table& SearchDb::table(const char* name) {
    auto& t = tables_[name];
    if (!t) {
        t = std::make_unique<engine::Table>(session_, name);
        t->setDatabaseName(database::kAlias);
        t->setTableName(name);
        t->open();
    }
    return *t;
}

void SearchDb::named(const char* name, long long id, const std::string& text) {
    engine::Table& t = table(name);
    t.append();
    t.field(0).setInteger(id);
    t.field(1).setString(text);
    t.post();
}

void SearchDb::gazette(long long id, const std::string& name) {
    named(database::kGlasnici, id, name);
}
void SearchDb::area(long long id, const std::string& name) {
    named(database::kKategorije, id, name);
}
void SearchDb::type(long long id, const std::string& name) {
    named(database::kTipovi, id, name);
}
void SearchDb::ministry(long long id, const std::string& name) {
    named(database::kMinistarstva, id, name);
}

void SearchDb::publication(long long id, long long gazette, const std::string& year,
                           const std::string& issue) {
    engine::Table& b = table(database::kBrojevi);
    b.append();
    b.fieldByName("ID_BROJA").setInteger(id);
    b.fieldByName("ID_GLASNIKA").setInteger(gazette);
    b.fieldByName("GODINA_stampanja").setString(year);
    b.fieldByName("BROJ").setString(issue);
    b.post();
}

void SearchDb::regulation(const Reg& r) {
    engine::Table& z = table(database::kZakoni);
    z.append();
    z.fieldByName("ID_ZAKONA").setInteger(r.id);
    z.fieldByName("ID_BROJA").setInteger(r.id);
    z.fieldByName("ID_KATEGORIJE_ZAKONA").setInteger(r.area);
    z.fieldByName("ID_TIPA_ZAKONA").setInteger(r.type);
    z.fieldByName("Naziv_zakona").setString(r.title);
    z.fieldByName("BG").setString(r.bg.empty() ? r.issue + "/" + r.year : r.bg);
    z.fieldByName("Latinica").setBytes(rtfOf(r.text));
    if (!r.cyrillic.empty()) {
        z.fieldByName("Cirilica").setBytes(rtfOf(r.cyrillic));
    }
    if (r.notesLength > 0) {
        z.fieldByName("Napomena").setBytes(std::string(r.notesLength, 'n'));
    }
    z.post();
    publication(r.id, r.gazette, r.year, r.issue);
}

void SearchDb::archive(long long number, long long previous, long long next) {
    engine::Table& a = table(database::kArhiva);
    a.append();
    a.fieldByName("BROJ_ZAKONA").setInteger(number);
    a.fieldByName("PRETHODI_MU").setInteger(previous);
    a.fieldByName("NASLEDJUJE_GA").setInteger(next);
    a.post();
}

void SearchDb::opinion(const Opinion& o) {
    engine::Table& m = table(database::kMisljenja);
    m.append();
    m.fieldByName("BROJ_MISLJENJA").setInteger(o.number);
    m.fieldByName("MINISTARSTVO").setInteger(o.ministry);
    m.fieldByName("NAZIV_MISLJENJA").setString(o.title);
    m.fieldByName("Latinica").setBytes(rtfOf(o.text));
    m.fieldByName("DAN").setInteger(o.day);
    m.fieldByName("MESEC").setInteger(o.month);
    m.fieldByName("GODINA").setInteger(o.year);
    m.post();
}

database::MainData& SearchDb::data() {
    if (!data_) {
        data_ = std::make_unique<database::MainData>(session_);
        data_->openAll();
    }
    return *data_;
}

}  // namespace searchtest
