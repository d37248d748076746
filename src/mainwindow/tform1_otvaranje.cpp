// Opening a regulation from a list row in the document window, and the
// lookups by title.
#include "database/lookups.h"
#include "database/opening.h"
#include "mainwindow/tform1.h"

void TForm1::open(const std::string& title, const std::optional<std::string>& bg) {
    if (!links.showRegulation) {
        return;
    }
    database::openRegulation(*this, title, bg, false, [&] { links.showRegulation(title); });
}

bool TForm1::openQuick(const std::string& title) {
    if (!links.showRegulation) {
        return false;
    }
    return database::openRegulation(*this, title, std::nullopt, true, [&] {
               links.showRegulation(title);
           }) == database::Opening::Shown;
}

std::string TForm1::nadjibroj(const std::string& title) {
    return database::nadjibroj(*this, title);
}

std::string TForm1::nadjiglasnik(const std::string& title) {
    return database::nadjiglasnik(*this, title);
}
