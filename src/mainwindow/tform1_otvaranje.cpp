// Opening a regulation from a list row in the document window, and the
// lookups by title.
#include "database/lookups.h"
#include "database/opening.h"
#include "mainwindow/tform1.h"
#include "platform/textconv.h"
#include "platform/ui.h"
#include "viewer/tform3.h"

namespace {

void showDocument(const std::string& title) {
    Form3->setWindowTitle(platform::qs(title));
    platform::ui().showModal(*Form3);
}

}  // namespace

void TForm1::open(const std::string& title, const std::optional<std::string>& bg) {
    if (Form3 == nullptr) {
        return;
    }
    database::openRegulation(*this, title, bg, false, [&] { showDocument(title); });
}

bool TForm1::openQuick(const std::string& title) {
    if (Form3 == nullptr) {
        return false;
    }
    return database::openRegulation(*this, title, std::nullopt, true,
                                    [&] { showDocument(title); }) == database::Opening::Shown;
}

std::string TForm1::nadjibroj(const std::string& title) {
    return database::nadjibroj(*this, title);
}

std::string TForm1::nadjiglasnik(const std::string& title) {
    return database::nadjiglasnik(*this, title);
}
