#include "database/lookups.h"

#include <climits>
#include <cstring>
#include <string>

#include "database/datasets.h"
#include "database/filters.h"
#include "database/schema.h"
#include "engine/types.h"
#include "yuscii/strings.h"

namespace database {

std::string nadjibroj(MainData& data, std::string_view title) {
    engine::Table& look = data.lookzakoni;
    look.setFilter(filters::zakoniByTitle(title));
    look.setFiltered(true);
    look.first();
    if (look.isEmpty()) {
        return {};
    }
    return look.field(pos::kZakoniBg).asString();
}

std::string nadjiglasnik(MainData& data, std::string_view title) {
    data.lookzakoni.setFilter(filters::zakoniByTitle(title));
    data.lookzakoni.setFiltered(true);
    data.lookzakoni.first();
    engine::Table& gazettes = data.lookglasnici;
    gazettes.setFiltered(true);
    gazettes.first();
    if (data.lookzakoni.isEmpty() || gazettes.isEmpty()) {
        return {};
    }
    return gazettes.field(pos::kGlasniciNaziv).asString();
}

namespace {

// A dataset's filter, link and position as a lookup found them.
struct Kept {
    explicit Kept(engine::Table& t)
        : table(t),
          filter(t.filter()),
          filtered(t.filtered()),
          masterFields(t.masterFields()),
          recNo(t.recNo()) {}

    void restore() {
        table.setFilter(filter);
        table.setFiltered(filtered);
        table.setMasterFields(masterFields);
        table.first();
        if (recNo > 1) {
            table.moveBy(recNo - 1);
        }
    }

    engine::Table& table;
    std::string filter;
    bool filtered;
    std::string masterFields;
    int recNo;
};

bool hasNeighbour(MainData& data, std::string_view title) {
    engine::Table& look = data.lookzakoni;
    look.setFilter(filters::zakoniByTitle(title));
    look.setFiltered(true);
    look.first();
    if (look.isEmpty()) {
        return false;
    }
    engine::Table& archive = data.arhiva;
    archive.setMasterFields("");
    archive.setFilter(filters::arhivaByNumber(look.field(pos::kZakoniId).asInteger()));
    archive.setFiltered(true);
    archive.first();
    if (archive.isEmpty()) {
        return false;
    }
    return archive.field(pos::kArhivaPrethodi).asInteger() != 0 ||
           archive.field(pos::kArhivaNasledjuje).asInteger() != 0;
}

}  // namespace

bool jelimastariji(MainData& data, std::string_view title) {
    if (!data.lookzakoni.active() || !data.arhiva.active()) {
        return false;
    }
    Kept look(data.lookzakoni);
    Kept archive(data.arhiva);
    bool result = false;
    try {
        result = hasNeighbour(data, title);
    } catch (const engine::Error&) {
        look.restore();
        archive.restore();
        throw;
    }
    look.restore();
    archive.restore();
    return result;
}

bool imaslike(const engine::Table& grafika) {
    if (!grafika.active() || grafika.isEmpty()) {
        return false;
    }
    for (int slot = 1; slot <= kPictureSlots; ++slot) {
        const auto field = grafika.findField(pictureField(slot));
        if (field && !field->isNull() && field->dataSize() > 0) {
            return true;
        }
    }
    return false;
}

bool nadji(std::string_view needle, std::string_view haystack) {
    if (needle.empty()) {
        return true;
    }
    if (needle.size() > haystack.size()) {
        return false;
    }
    return haystack.find(needle) != std::string_view::npos;
}

IssueNumber issueNumber(std::string_view text) {
    return yuscii::readInteger(text, yuscii::IntegerForm::DecimalOrHex);
}

int compare(std::string_view a, std::string_view b) {
    const IssueNumber na = issueNumber(a);
    const IssueNumber nb = issueNumber(b);
    if (na.ok || nb.ok) {
        return na.value < nb.value ? -1 : (na.value > nb.value ? 1 : 0);
    }
    const int c = std::strcoll(std::string(a).c_str(), std::string(b).c_str());
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

}  // namespace database
