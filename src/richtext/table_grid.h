#pragma once
// The cells of an RTF table's rows placed on one grid. Each row defines its
// own cell edges (\cellx); the grid's columns are the edges of all rows
// together, so that a cell wider than those around it spans columns.
// \clmgf/\clmrg join cells of a row, \clvmgf/\clvmrg cells of a column.
#include <utility>
#include <vector>

#include "richtext/rtf_format.h"

namespace rtf {

struct GridRow {
    const RowFormat* format = nullptr;
    int cells = 0;  // cells the row holds; beyond its definition they get one
    // Cells with text: a \clvmrg cell with text of its own stays a cell,
    // so that its text keeps its place.
    std::vector<bool> filled;
};

struct GridCell {
    int row = 0;
    int column = 0;
    int rowSpan = 1;
    int columnSpan = 1;
    int storedCells = 1;                       // cells of its first row it stands for
    CellDef def;                               // its definition (made up for a cell without one)
    std::vector<std::pair<int, int>> sources;  // (row, cell) whose text it shows
};

struct Grid {
    int rows = 0;
    int columns = 0;
    bool percent = false;     // widths in hundredths of a percent, not twips
    std::vector<int> widths;  // one per column
    std::vector<GridCell> cells;
};

// A table wider than this (twips, 6.5 inches) is shown at the page's width
// with its columns in proportion.
inline constexpr int kMaxFixedTableWidth = 9360;
inline constexpr int kMaxGridColumns = 63;

Grid layoutGrid(const std::vector<GridRow>& rows);

}  // namespace rtf
