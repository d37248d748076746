#pragma once
// What the reader marks in a QTextDocument beyond Qt's own formats, so that
// the writer can store it again and other code can find it.
#include <QTextFormat>

namespace richtext {

enum Property : int {
    // Char format: a footnote's reference mark (\chftn) in the text; the
    // value is its number.
    kNoteReference = QTextFormat::UserProperty + 0x5210,
    // Char format: a note's own number at its start.
    kNoteNumber,
    // Block format: the block belongs to the notes at the end of the
    // document; its value is the note's number (0 for the rule above them).
    kNoteBlock,
    // Table cell format: how many cells of the stored row the cell stands
    // for (more than one where \clmgf/\clmrg merged them).
    kStoredCells,
    // Char format: the notes (their numbers, "3" or "3,4") whose text
    // stands right after this run in the stored RTF.
    kNotesAfter,
    // Block format: the notes that stand at the start of the paragraph,
    // before any of its text.
    kNotesAtStart,
};

}  // namespace richtext
