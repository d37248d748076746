#pragma once
// The plain Latin texts of the regulations and opinions, kept beside their
// rich texts in the database file: a text copy of the engine (see
// engine/sidedata.h) of each table's Latinica field, derived by the plain
// text of the RTF, as the text test of the keyword searches reads it. The
// engine's triggers keep the copies current whoever writes the tables, so
// that a search without a current index scans plain text and never parses
// RTF; a database made before the copies existed, or a table made again by
// a repair, has no current copy until refreshTextCopies() (or a rebuild of
// the index) runs.
#include <optional>

#include "engine/sidedata.h"

namespace engine {
class Database;
}

namespace search {

enum class TextTable { Regulations, Opinions };

inline constexpr TextTable kTextTables[] = {TextTable::Regulations, TextTable::Opinions};

// The copy of a table's texts on a database (its name is "zakoni" or
// "misljenja"; its key ID_ZAKONA or BROJ_MISLJENJA).
engine::TextCopy textCopy(engine::Database& db, TextTable table);

// Whether the copy is current and every text in it known: a scan of it
// gives exactly the texts the searches would read from the RTF.
bool textCopyUsable(engine::Database& db, TextTable table);

// For a new, empty database: the copies of both tables start current, so the
// triggers copy every text as its row comes in.
void startTextCopies(engine::Database& db);

}  // namespace search
