#pragma once
// A small database for the data-aware view tests, behind the alias "Views":
//   Ugovori (NAZIV_UG text 40, unique; TEKST_UG memo), in storage order:
//     "Prvi" {\rtf1 Tekst prvog}, "Drugi" {\rtf1 Tekst drugog}, "Tre}i" (no text)
//   Slike (ID number; S1, S2, S3 graphic): rows 1 and 2, no pictures
//   Glavna (ID number): 1, 2;  Stavke (ID_G number, NAZIV text 20, index
//     on ID_G): 1 "a", 1 "b", 2 "c"
//   Mnogo (BROJ number, NAZIV text 20): empty, or with manyRows 3000 rows,
//     BROJ 1..3000, NAZIV "red N"
#include <QKeySequence>
#include <QString>
#include <memory>
#include <string>

#include "engine/session.h"
#include "engine/table.h"
#include "support/temp_program_dir.h"

class QWidget;

namespace viewstest {

inline constexpr int kManyRows = 3000;

struct ViewsDb {
    explicit ViewsDb(bool manyRows = false);
    ~ViewsDb();

    // An open table object on the alias.
    std::unique_ptr<engine::Table> open(const std::string& table, bool readOnly = false);
    // The stored value of a field in the row whose key field has a value,
    // read through a table object of its own.
    std::string stored(const std::string& table, const std::string& keyField,
                       const std::string& key, const std::string& field);

    testsupport::TempProgramDir dir{false};
    engine::Session session;
};

// Sends the text as typed characters (key presses) to the widget.
void type(QWidget* widget, const QString& text);
// Sends one key press of a standard key sequence (copy, paste, ...).
void press(QWidget* widget, QKeySequence::StandardKey key);

}  // namespace viewstest
