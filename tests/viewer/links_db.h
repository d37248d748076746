#pragma once
// A regulation database for the relations, attachments and notes windows,
// built in a temporary program directory, with a session on it.
//
// Regulations (ID: title, BG; pictures):
//   1: "Zakon o radu", 12/2005; a wide picture in S2, a tall one in S5; long
//      notes
//   2: "Zakon o porezu", 3/2006
//   3: "Zakon o prilozima", 7/2007; pictures in all 33 slots
// Opinions in "drugi" order (by ministry): 11 "Zarade zaposlenih" 7.11.2007,
// 10 "Porez na dobit" 5.3.2006, 12 "Porez na imovinu" 1.2.2008.
// Links: regulation 1 to the opinions at positions 1, 0 and 99 (past the
// end); opinion 10 to regulations 1, 2 and 77 (missing). Regulation 3 has
// none.
#include <QSize>

#include "engine/session.h"
#include "support/temp_program_dir.h"

namespace testsupport {

inline const QSize kWidePicture{40, 20};
inline const QSize kTallPicture{10, 60};

struct LinksDatabase {
    LinksDatabase();
    ~LinksDatabase();

    TempProgramDir dir{false};
    engine::Session session;
};

}  // namespace testsupport
