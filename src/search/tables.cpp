#include "search/tables.h"

#include "database/datasets.h"
#include "database/schema.h"
#include "engine/table.h"
#include "search/keep.h"

namespace search {

namespace pos = database::pos;

ArchiveLinks ArchiveLinks::read(database::MainData& data) {
    ArchiveLinks result;
    engine::Table& arhiva = data.arhiva;
    KeepDataset keep(arhiva);
    standalone(arhiva);
    for (arhiva.first(); !arhiva.eof(); arhiva.next()) {
        result.links_.try_emplace(arhiva.field(pos::kArhivaBroj).asInteger(),
                                  VersionLinks{arhiva.field(pos::kArhivaPrethodi).asInteger(),
                                               arhiva.field(pos::kArhivaNasledjuje).asInteger()});
    }
    keep.restore();
    return result;
}

const VersionLinks* ArchiveLinks::find(long long id) const {
    auto it = links_.find(id);
    return it == links_.end() ? nullptr : &it->second;
}

long long ArchiveLinks::successor(long long id) const {
    const VersionLinks* links = find(id);
    return links == nullptr ? 0 : links->next;
}

std::vector<Gazette> readGazettes(database::MainData& data) {
    std::vector<Gazette> result;
    engine::Table& glasnici = data.Glasnici;
    KeepDataset keep(glasnici);
    standalone(glasnici);
    glasnici.setIndexFieldNames("ID_GLASNIKA");
    const int idField = glasnici.fieldByName("ID_GLASNIKA").index();
    for (glasnici.first(); !glasnici.eof(); glasnici.next()) {
        result.push_back(
            {glasnici.field(idField).asInteger(), glasnici.field(pos::kGlasniciNaziv).asString()});
    }
    keep.restore();
    return result;
}

GazetteNames::GazetteNames(const std::vector<Gazette>& gazettes) {
    for (const Gazette& g : gazettes) {
        names_.try_emplace(g.id, g.name);
    }
}

const std::string& GazetteNames::name(long long id) const {
    static const std::string none;
    auto it = names_.find(id);
    return it == names_.end() ? none : it->second;
}

Regulation currentRegulation(engine::Table& zakoni) {
    Regulation r;
    if (zakoni.isEmpty()) {
        return r;
    }
    r.present = true;
    r.id = zakoni.field(pos::kZakoniId).asInteger();
    r.title = zakoni.field(pos::kZakoniNaziv).asString();
    r.bg = zakoni.field(pos::kZakoniBg).asString();
    r.notesLength = zakoni.field(pos::kZakoniNapomena).dataSize();
    return r;
}

Row regulationRow(const Regulation& r, const ArchiveLinks& archive, std::vector<std::string> sub) {
    const long long successor = r.present ? archive.successor(r.id) : 0;
    return Row{r.title, std::move(sub), lists::rowIcon(r.notesLength, successor)};
}

void followGlavna(database::MainData& data) {
    engine::Table& zakoni = data.Zakoni;
    zakoni.setMasterFields("");
    zakoni.setMasterSource(&data.Glavna);
    zakoni.setIndexFieldNames("ID_ZAKONA");
    zakoni.setFiltered(false);
    zakoni.setMasterFields("ID_BROJA");
}

}  // namespace search
