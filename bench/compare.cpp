// The rows of the comparison of versions and of the references in a text:
// the two largest neighbouring versions of a chain compared as the
// comparison window compares them, and the references of the largest
// regulation found as the document window finds them.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "compare/references.h"
#include "compare/versions.h"
#include "database/schema.h"
#include "engine/table.h"
#include "operations.h"
#include "richtext/plaintext.h"

namespace bench {

namespace {

// The neighbouring versions with the longest stored Latin texts together.
std::pair<long long, long long> largestPair(engine::Session& session) {
    std::map<long long, size_t> sizes;
    engine::Table zakoni(session, "bench.zakoni");
    zakoni.setDatabaseName(database::kAlias);
    zakoni.setTableName(database::kZakoni);
    zakoni.open();
    engine::Table arhiva(session, "bench.arhiva");
    arhiva.setDatabaseName(database::kAlias);
    arhiva.setTableName(database::kArhiva);
    arhiva.open();
    std::vector<std::pair<long long, long long>> pairs;
    for (arhiva.first(); !arhiva.eof(); arhiva.next()) {
        const long long previous = arhiva.field(database::pos::kArhivaPrethodi).asInteger();
        if (previous > 0) {
            pairs.emplace_back(previous, arhiva.field(database::pos::kArhivaBroj).asInteger());
            sizes[previous] = 0;
            sizes[pairs.back().second] = 0;
        }
    }
    for (zakoni.first(); !zakoni.eof(); zakoni.next()) {
        auto it = sizes.find(zakoni.field(database::pos::kZakoniId).asInteger());
        if (it != sizes.end()) {
            it->second = zakoni.fieldByName("Latinica").asString().size();
        }
    }
    std::pair<long long, long long> best{0, 0};
    size_t bestSize = 0;
    for (const auto& p : pairs) {
        const size_t size = sizes[p.first] + sizes[p.second];
        if (size > bestSize) {
            bestSize = size;
            best = p;
        }
    }
    return best;
}

}  // namespace

std::vector<Operation> compareOperations(OpenDatabase& db) {
    std::vector<Operation> ops;
    const auto [older, newer] = largestPair(db.session());
    if (older > 0) {
        ops.push_back(
            {"compare the two largest versions (articles)", [&db, older, newer] {
                 auto c = compare::compareVersions(db.session(), older, newer, false);
                 return Sample{c ? static_cast<long long>(c->changes().size()) : 0, std::nullopt};
             }});
    }
    const Largest largest = largestRegulation(db.data());
    const std::string text =
        compare::versionText(db.session(), largest.id, false).value_or(std::string());
    ops.push_back(
        {"references of the largest (links)", [&db, text] {
             const auto refs = compare::findReferences(text);
             const auto articles = compare::articleLinks(text, refs);
             const auto issues = compare::issueLinks(db.session(), refs);
             return Sample{static_cast<long long>(articles.size() + issues.size()), std::nullopt};
         }});
    return ops;
}

}  // namespace bench
