#include "compare/versions.h"

#include <algorithm>
#include <map>

#include "database/filters.h"
#include "database/schema.h"
#include "engine/table.h"
#include "richtext/plaintext.h"

namespace compare {

namespace filters = database::filters;
namespace pos = database::pos;

namespace {

void openTable(engine::Table& table, const char* name) {
    table.setDatabaseName(database::kAlias);
    table.setTableName(name);
    table.open();
}

struct Links {
    long long previous = 0;
    long long next = 0;
};

std::map<long long, Links> archiveLinks(engine::Session& session) {
    engine::Table arhiva(session, "compare.arhiva");
    openTable(arhiva, database::kArhiva);
    std::map<long long, Links> links;
    for (arhiva.first(); !arhiva.eof(); arhiva.next()) {
        links[arhiva.field(pos::kArhivaBroj).asInteger()] = {
            arhiva.field(pos::kArhivaPrethodi).asInteger(),
            arhiva.field(pos::kArhivaNasledjuje).asInteger()};
    }
    return links;
}

std::optional<Version> regulation(engine::Table& zakoni, long long id) {
    zakoni.setFilter(filters::zakoniById(id));
    zakoni.setFiltered(true);
    zakoni.first();
    if (zakoni.isEmpty()) {
        return std::nullopt;
    }
    return Version{id, zakoni.field(pos::kZakoniNaziv).asString(),
                   zakoni.field(pos::kZakoniBg).asString()};
}

}  // namespace

std::vector<Version> versionChain(engine::Session& session, long long id) {
    engine::Table zakoni(session, "compare.zakoni");
    openTable(zakoni, database::kZakoni);
    std::optional<Version> self = regulation(zakoni, id);
    if (!self) {
        return {};
    }
    const std::map<long long, Links> links = archiveLinks(session);
    auto linkOf = [&](long long n, bool forward) -> long long {
        auto it = links.find(n);
        if (it == links.end()) {
            return 0;
        }
        return forward ? it->second.next : it->second.previous;
    };
    std::vector<Version> chain{*self};
    auto seen = [&](long long n) {
        return std::any_of(chain.begin(), chain.end(), [n](const Version& v) { return v.id == n; });
    };
    for (long long n = linkOf(id, false); n > 0 && !seen(n); n = linkOf(n, false)) {
        std::optional<Version> v = regulation(zakoni, n);
        if (!v) {
            break;
        }
        chain.insert(chain.begin(), *v);
    }
    for (long long n = linkOf(id, true); n > 0 && !seen(n); n = linkOf(n, true)) {
        std::optional<Version> v = regulation(zakoni, n);
        if (!v) {
            break;
        }
        chain.push_back(*v);
    }
    return chain;
}

std::optional<long long> regulationId(engine::Session& session, const std::string& title,
                                      const std::string& bg) {
    engine::Table zakoni(session, "compare.zakoni");
    openTable(zakoni, database::kZakoni);
    zakoni.setFilter(filters::zakoniByTitleAndBg(title, bg));
    zakoni.setFiltered(true);
    zakoni.first();
    if (zakoni.isEmpty()) {
        return std::nullopt;
    }
    return zakoni.field(pos::kZakoniId).asInteger();
}

std::optional<std::string> versionText(engine::Session& session, long long id, bool cyrillic) {
    engine::Table zakoni(session, "compare.zakoni");
    openTable(zakoni, database::kZakoni);
    zakoni.setFilter(filters::zakoniById(id));
    zakoni.setFiltered(true);
    zakoni.first();
    if (zakoni.isEmpty()) {
        return std::nullopt;
    }
    return rtf::plainText(zakoni.fieldByName(cyrillic ? "Cirilica" : "Latinica").asString());
}

Pair proposedPair(const std::vector<Version>& chain, int chosen) {
    const int n = static_cast<int>(chain.size());
    if (n < 2) {
        return {};
    }
    const int newer = std::clamp(chosen, 1, n - 1);
    return {newer - 1, newer};
}

namespace {

// The gazettes, publication entries and regulations, opened once for a
// run of issue lookups.
class IssueLookup {
  public:
    explicit IssueLookup(engine::Session& session)
        : brojevi_(session, "compare.brojevi"), zakoni_(session, "compare.zakoni") {
        engine::Table glasnici(session, "compare.glasnici");
        openTable(glasnici, database::kGlasnici);
        for (glasnici.first(); !glasnici.eof(); glasnici.next()) {
            gazettes_.emplace_back(glasnici.field(0).asInteger(),
                                   gazetteKey(glasnici.field(pos::kGlasniciNaziv).asString()));
        }
        openTable(brojevi_, database::kBrojevi);
        brojevi_.setFiltered(true);
        openTable(zakoni_, database::kZakoni);
        zakoni_.setFiltered(true);
    }

    std::vector<Version> find(const std::string& gazette, const std::string& issue,
                              const std::string& year) {
        const std::string key = gazetteKey(gazette);
        std::vector<long long> entries;
        for (const auto& [id, name] : gazettes_) {
            if (name != key) {
                continue;
            }
            brojevi_.setFilter(filters::brojeviByGazetteYearIssue(id, year, issue));
            for (brojevi_.first(); !brojevi_.eof(); brojevi_.next()) {
                entries.push_back(brojevi_.field(pos::kBrojeviId).asInteger());
            }
        }
        std::vector<Version> found;
        for (long long entry : entries) {
            zakoni_.setFilter("ID_BROJA= " + filters::quote(entry));
            for (zakoni_.first(); !zakoni_.eof(); zakoni_.next()) {
                found.push_back({zakoni_.field(pos::kZakoniId).asInteger(),
                                 zakoni_.field(pos::kZakoniNaziv).asString(),
                                 zakoni_.field(pos::kZakoniBg).asString()});
            }
        }
        std::sort(found.begin(), found.end(),
                  [](const Version& a, const Version& b) { return a.id < b.id; });
        return found;
    }

  private:
    std::vector<std::pair<long long, std::string>> gazettes_;
    engine::Table brojevi_;
    engine::Table zakoni_;
};

}  // namespace

std::vector<Version> regulationsInIssue(engine::Session& session, const std::string& gazette,
                                        const std::string& issue, const std::string& year) {
    return IssueLookup(session).find(gazette, issue, year);
}

std::vector<IssueLink> issueLinks(engine::Session& session, const std::vector<Reference>& refs) {
    std::vector<IssueLink> links;
    if (std::none_of(refs.begin(), refs.end(),
                     [](const Reference& r) { return r.kind == Reference::Kind::Issue; })) {
        return links;
    }
    IssueLookup lookup(session);
    std::map<std::string, std::vector<Version>> known;
    for (const Reference& r : refs) {
        if (r.kind != Reference::Kind::Issue) {
            continue;
        }
        const std::string key = gazetteKey(r.gazette) + "|" + r.issue + "/" + r.year;
        auto it = known.find(key);
        if (it == known.end()) {
            it = known.emplace(key, lookup.find(r.gazette, r.issue, r.year)).first;
        }
        if (!it->second.empty()) {
            links.push_back({r, it->second});
        }
    }
    return links;
}

std::optional<Comparison> compareVersions(engine::Session& session, long long oldId,
                                          long long newId, bool cyrillic) {
    std::optional<std::string> older = versionText(session, oldId, cyrillic);
    std::optional<std::string> newer = versionText(session, newId, cyrillic);
    if (!older || !newer) {
        return std::nullopt;
    }
    return compareTexts(*older, *newer);
}

}  // namespace compare
