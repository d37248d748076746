#pragma once
// What the reader marks in a QTextDocument beyond Qt's own formats, so that
// the writer can store it again and other code can find it.
#include <QTextFormat>

namespace richtext {

enum Property : int {
    // Char format: the number of the footnote a reference mark stands for.
    kNoteReference = QTextFormat::UserProperty + 0x5210,
    // Char format: a note's own number at its start.
    kNoteNumber,
    // Block format: the block belongs to the notes at the end of the
    // document; its value is the note's number (0 for the rule above them).
    kNoteBlock,
    // Table cell format: how many cells of the stored row the cell stands
    // for (more than one where \clmgf/\clmrg merged them).
    kStoredCells,
};

}  // namespace richtext
