#include "demo/db_writer.h"

#include "database/build.h"
#include "database/schema.h"
#include "demo/sources.h"
#include "engine/session.h"
#include "engine/table.h"
#include "search/textdata.h"
#include "search/textrebuild.h"

namespace demo {

namespace fs = std::filesystem;

struct DatabaseWriter::Impl {
    explicit Impl(const fs::path& dataDir) : build(dataDir, search::startTextCopies) {}
    database::DatabaseBuild build;

    engine::Table& table(const char* name) { return build.table(name); }
};

DatabaseWriter::DatabaseWriter(const fs::path& dataDir) : impl_(std::make_unique<Impl>(dataDir)) {}

DatabaseWriter::~DatabaseWriter() = default;

namespace {

void setNumber(engine::Table& t, const char* field, long long value) {
    t.fieldByName(field).setInteger(value);
}

void setText(engine::Table& t, const char* field, const std::string& value) {
    if (!value.empty()) {
        t.fieldByName(field).setString(value);
    }
}

void setBytes(engine::Table& t, const std::string& field, const std::string& value) {
    if (!value.empty()) {
        t.fieldByName(field).setBytes(value);
    }
}

// The date fields DAN, MESEC and GODINA.
void setDate(engine::Table& t, const Date& date) {
    setNumber(t, "DAN", date.day);
    setNumber(t, "MESEC", date.month);
    setNumber(t, "GODINA", date.year);
}

void namedRow(engine::Table& t, const NamedRow& row) {
    t.append();
    t.field(0).setInteger(row.id);
    t.field(1).setString(row.name);
    t.post();
}

}  // namespace

void DatabaseWriter::gazette(const NamedRow& row) {
    namedRow(impl_->table(database::kGlasnici), row);
}
void DatabaseWriter::area(const NamedRow& row) {
    namedRow(impl_->table(database::kKategorije), row);
}
void DatabaseWriter::type(const NamedRow& row) {
    namedRow(impl_->table(database::kTipovi), row);
}
void DatabaseWriter::ministry(const NamedRow& row) {
    namedRow(impl_->table(database::kMinistarstva), row);
}

void DatabaseWriter::archive(const ArchiveRow& row) {
    engine::Table& t = impl_->table(database::kArhiva);
    t.append();
    setNumber(t, "BROJ_ZAKONA", row.number);
    setNumber(t, "PRETHODI_MU", row.previous);
    setNumber(t, "NASLEDJUJE_GA", row.next);
    t.post();
}

void DatabaseWriter::regulation(const Regulation& r) {
    engine::Table& z = impl_->table(database::kZakoni);
    z.append();
    setNumber(z, "ID_ZAKONA", r.id);
    setNumber(z, "ID_BROJA", r.id);
    setNumber(z, "ID_KATEGORIJE_ZAKONA", r.area);
    setNumber(z, "ID_TIPA_ZAKONA", r.type);
    setText(z, "Naziv_zakona", r.title);
    setBytes(z, "Latinica", r.latin);
    setBytes(z, "Cirilica", r.cyrillic);
    setBytes(z, "Napomena", r.note);
    setText(z, "BG", r.bg());
    z.post();

    engine::Table& b = impl_->table(database::kBrojevi);
    b.append();
    setNumber(b, "ID_BROJA", r.id);
    setNumber(b, "ID_GLASNIKA", r.gazette);
    setText(b, "GODINA_stampanja", r.year);
    setText(b, "BROJ", r.issue);
    b.post();

    if (!r.dates.empty()) {
        engine::Table& d = impl_->table(database::kDatumi);
        int rbr = 0;
        for (const Date& date : r.dates) {
            d.append();
            setNumber(d, "ID_ZAKONA", r.id);
            setNumber(d, "RBR", ++rbr);
            setDate(d, date);
            d.post();
        }
    }
    if (!r.pictures.empty()) {
        engine::Table& g = impl_->table(database::kGrafika);
        g.append();
        setNumber(g, "ID_ZAKONA", r.id);
        for (const Picture& p : r.pictures) {
            setBytes(g, database::pictureField(p.slot), p.bytes);
        }
        g.post();
    }
}

void DatabaseWriter::opinion(const Opinion& o) {
    engine::Table& t = impl_->table(database::kMisljenja);
    t.append();
    setNumber(t, "BROJ_MISLJENJA", o.number);
    setNumber(t, "MINISTARSTVO", o.ministry);
    setText(t, "NAZIV_MISLJENJA", o.title);
    setBytes(t, "Latinica", o.latin);
    setBytes(t, "Cirilica", o.cyrillic);
    setDate(t, o.date);
    t.post();
}

void DatabaseWriter::link(int position, long long idZakona, long long brojMisljenja) {
    engine::Table& t = impl_->table(database::kLink);
    t.append();
    t.field(database::pos::kLinkMisljenje).setInteger(position);
    setNumber(t, "MIS", idZakona);
    setNumber(t, "PROP", brojMisljenja);
    t.post();
}

void DatabaseWriter::contract(const Contract& c) {
    engine::Table& t = impl_->table(database::kUgovori);
    t.append();
    setText(t, "NAZIV_UGOVORA", c.name);
    setBytes(t, "TEXT_UGOVORA", c.text);
    setBytes(t, "Napomena", c.note);
    t.field(database::pos::kUgovoriStrane).setInteger(c.parties);
    t.post();
}

void DatabaseWriter::commit() {
    // The full-text index of the keyword searches belongs to a finished
    // database: built from the plain texts of the rows just written.
    impl_->build.commit(search::finishTextIndex);
}

void writeDatabase(const DemoData& data, const fs::path& dataDir) {
    DatabaseWriter w(dataDir);
    for (const auto& row : data.gazettes) {
        w.gazette(row);
    }
    for (const auto& row : data.areas) {
        w.area(row);
    }
    for (const auto& row : data.types) {
        w.type(row);
    }
    for (const auto& row : data.ministries) {
        w.ministry(row);
    }
    for (const auto& r : data.regulations) {
        w.regulation(r);
    }
    for (const auto& row : data.archive) {
        w.archive(row);
    }
    const auto positions = opinionPositions(data.opinions);
    for (const auto& o : data.opinions) {
        w.opinion(o);
        for (long long id : o.regulations) {
            w.link(positions.at(o.number), id, o.number);
        }
    }
    for (const auto& c : data.contracts) {
        w.contract(c);
    }
    w.commit();
}

}  // namespace demo
