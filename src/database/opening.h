#pragma once
// Opening a regulation from a list row: for the time the document window is
// shown, Zakoni leaves its master Glavna and stands on the row's regulation;
// when the window has closed, Zakoni follows Glavna again by ID_BROJA, in
// ID_ZAKONA order, and Glavna has its filter back.
#include <functional>
#include <optional>
#include <string>

namespace database {

struct MainData;

enum class Opening {
    Shown,         // the document window was shown and has closed
    NoRegulation,  // a quick-open title no regulation has: nothing shown
};

// bg given (variant A): the regulation with this title and issue label;
// none (variant B): the first regulation with this title. show() sets the
// document window's caption and shows it modally; it runs while Zakoni
// stands on the regulation (on an empty row when none matches).
//
// quickOpen (the quick-open list and menu): when no regulation has the title
// nothing is shown; in both cases Zakoni's filter is cleared at the end.
Opening openRegulation(MainData& data, const std::string& title,
                       const std::optional<std::string>& bg, bool quickOpen,
                       const std::function<void()>& show);

}  // namespace database
