#pragma once
// The versions of a regulation as the archive table links them, and their
// plain texts, read through tables of their own on the session (the
// windows' datasets are not moved).
#include <optional>
#include <string>
#include <vector>

#include "compare/diff.h"
#include "compare/references.h"

namespace engine {
class Session;
}

namespace compare {

struct Version {
    long long id = 0;
    std::string title;  // Naziv_zakona
    std::string bg;     // Broj/Godina
};

// The whole chain of the regulation: its previous versions back to the
// first and its next versions up to the current one, oldest first, the
// regulation itself included. Only the regulation when the archive links it
// to nothing; empty when there is no regulation with this identifier. A
// link to a missing regulation or back into the chain ends the walk.
std::vector<Version> versionChain(engine::Session& session, long long id);

// The identifier of the regulation with this title and Broj/Godina.
std::optional<long long> regulationId(engine::Session& session, const std::string& title,
                                      const std::string& bg);

// The plain text of a regulation (Latinica, or Cirilica), nullopt when there
// is no such regulation.
std::optional<std::string> versionText(engine::Session& session, long long id, bool cyrillic);

// The versions proposed for a comparison within a chain: the newer is the
// version at index chosen, the older the one before it; for the first
// version, that one and the one after it. {-1, -1} for a chain shorter than
// two.
struct Pair {
    int older = -1;
    int newer = -1;
};
Pair proposedPair(const std::vector<Version>& chain, int chosen);

// The regulations published in an issue of a gazette named as a reference
// names it (any of the forms gazetteKey takes as one), in ID_ZAKONA order.
std::vector<Version> regulationsInIssue(engine::Session& session, const std::string& gazette,
                                        const std::string& issue, const std::string& year);

// The issue references of a text that the database has regulations for,
// each with those regulations (the tables are read once for all).
struct IssueLink {
    Reference reference;
    std::vector<Version> regulations;
};
std::vector<IssueLink> issueLinks(engine::Session& session, const std::vector<Reference>& refs);

// Both texts read and compared; nullopt when either regulation is missing.
std::optional<Comparison> compareVersions(engine::Session& session, long long oldId,
                                          long long newId, bool cyrillic);

}  // namespace compare
