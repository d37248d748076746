#include "viewer/citation.h"

#include <map>
#include <unordered_map>
#include <unordered_set>

#include "database/schema.h"
#include "engine/session.h"
#include "engine/table.h"
#include "search/owntable.h"
#include "viewer/doctext.h"

namespace viewer {

namespace pos = database::pos;

namespace {

using search::OwnTable;

struct Version {
    std::string title;
    std::string bg;
    long long gazette = 0;
};

}  // namespace

std::string articleAt(std::string_view text, size_t position) {
    std::string article;
    size_t start = 0;
    while (start <= text.size() && start <= position) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        const std::string_view line = text.substr(start, end - start);
        if (isArticleHeading(line)) {
            // "~lan " and the number with its dot, if it has one.
            size_t k = 5;
            while (k < line.size() && line[k] >= '0' && line[k] <= '9') {
                ++k;
            }
            article = "~lan " + std::string(line.substr(5, k - 5)) + ".";
        }
        start = end + 1;
    }
    return article;
}

std::string gazetteReference(const std::vector<Issue>& issues) {
    if (issues.empty()) {
        return {};
    }
    std::string out = "(";
    for (size_t i = 0; i < issues.size(); ++i) {
        const bool newGazette = i == 0 || issues[i].gazette != issues[i - 1].gazette;
        if (i > 0) {
            const bool last = i + 1 == issues.size();
            out += last || newGazette ? " i " : ", ";
        }
        if (newGazette) {
            out += "\"" + issues[i].gazette + "\", br. ";
        }
        out += issues[i].bg;
    }
    return out + ")";
}

std::string regulationCitation(std::string_view title, std::string_view article,
                               const std::vector<Issue>& issues) {
    std::string out(title);
    if (!article.empty()) {
        out += ", ";
        out += article;
    }
    const std::string reference = gazetteReference(issues);
    if (!reference.empty()) {
        out += " " + reference;
    }
    return out;
}

std::string opinionCitation(std::string_view title, std::string_view ministry,
                            std::string_view number, std::string_view date) {
    std::string out(title);
    out += " (";
    if (!ministry.empty()) {
        out += std::string(ministry) + ", ";
    }
    out += "br. " + std::string(number);
    if (!date.empty()) {
        out += " od " + std::string(date);
    }
    return out + ")";
}

std::vector<Issue> publicationIssues(engine::Session& session, long long id) {
    std::unordered_map<long long, Version> versions;
    {
        OwnTable zakoni(session, database::kZakoni);
        for (zakoni->first(); !zakoni->eof(); zakoni->next()) {
            versions.try_emplace(zakoni->field(pos::kZakoniId).asInteger(),
                                 Version{zakoni->field(pos::kZakoniNaziv).asString(),
                                         zakoni->field(pos::kZakoniBg).asString(), 0});
        }
    }
    if (!versions.contains(id)) {
        return {};
    }
    {
        OwnTable brojevi(session, database::kBrojevi);
        const int gazetteField = brojevi->fieldByName("ID_GLASNIKA").index();
        for (brojevi->first(); !brojevi->eof(); brojevi->next()) {
            const auto it = versions.find(brojevi->field(pos::kBrojeviId).asInteger());
            if (it != versions.end() && it->second.gazette == 0) {
                it->second.gazette = brojevi->field(gazetteField).asInteger();
            }
        }
    }
    std::map<long long, std::string> gazettes;
    {
        OwnTable glasnici(session, database::kGlasnici);
        const int idField = glasnici->fieldByName("ID_GLASNIKA").index();
        for (glasnici->first(); !glasnici->eof(); glasnici->next()) {
            gazettes.try_emplace(glasnici->field(idField).asInteger(),
                                 glasnici->field(pos::kGlasniciNaziv).asString());
        }
    }
    std::unordered_map<long long, long long> previous;
    {
        OwnTable arhiva(session, database::kArhiva);
        for (arhiva->first(); !arhiva->eof(); arhiva->next()) {
            previous.try_emplace(arhiva->field(pos::kArhivaBroj).asInteger(),
                                 arhiva->field(pos::kArhivaPrethodi).asInteger());
        }
    }
    // Back along the predecessors of the same title; a loop in the archive
    // ends the walk.
    const std::string& title = versions.at(id).title;
    std::vector<long long> chain{id};
    std::unordered_set<long long> seen{id};
    for (long long at = id;;) {
        const auto p = previous.find(at);
        if (p == previous.end() || p->second == 0 || !seen.insert(p->second).second) {
            break;
        }
        const auto v = versions.find(p->second);
        if (v == versions.end() || v->second.title != title) {
            break;
        }
        chain.push_back(p->second);
        at = p->second;
    }
    std::vector<Issue> issues;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        const Version& v = versions.at(*it);
        const auto g = gazettes.find(v.gazette);
        issues.push_back({g == gazettes.end() ? std::string() : g->second, v.bg});
    }
    return issues;
}

std::string ministryName(engine::Session& session, long long number) {
    OwnTable ministarstva(session, database::kMinistarstva);
    for (ministarstva->first(); !ministarstva->eof(); ministarstva->next()) {
        if (ministarstva->field(pos::kMinistarstvaBroj).asInteger() == number) {
            return ministarstva->field(pos::kMinistarstvaIme).asString();
        }
    }
    return {};
}

}  // namespace viewer
