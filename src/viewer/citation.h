#pragma once
// "Kopiraj sa citatom": the line that follows the copied text and names its
// source as Serbian lawyers cite it: for a regulation its title, the article
// the selection starts in and the gazette issues it was published in
// (Zakon o radu, ~lan 12. ("Slu`beni glasnik RS", br. 5/1999 i 12/2005));
// for an opinion its title, ministry, number and date. Texts are YUSCII.
#include <string>
#include <string_view>
#include <vector>

namespace engine {
class Session;
}

namespace viewer {

struct Issue {
    std::string gazette;  // Naziv_glasnika
    std::string bg;       // issue/year
};

// "~lan 12." for the article heading the position lies under (the last
// heading line starting at or before it); empty before the first heading.
std::string articleAt(std::string_view text, size_t position);

// ("Slu`beni glasnik RS", br. 12/2005 i 15/2006): the issues in order, a
// gazette named once for a run of its issues; empty without issues.
std::string gazetteReference(const std::vector<Issue>& issues);

// title, article (when there is one) and the gazette reference.
std::string regulationCitation(std::string_view title, std::string_view article,
                               const std::vector<Issue>& issues);

// title (ministry, br. number od dd/mm/yyyy).
std::string opinionCitation(std::string_view title, std::string_view ministry,
                            std::string_view number, std::string_view date);

// The issues of regulation id: those of its earlier versions with the same
// title (the archive's predecessors), then its own, oldest first. Reads the
// tables through its own datasets on the session, so the windows' datasets
// stay where they are. Empty when the regulation is not found.
std::vector<Issue> publicationIssues(engine::Session& session, long long id);

// The name of ministry number; empty when none has it.
std::string ministryName(engine::Session& session, long long number);

}  // namespace viewer
