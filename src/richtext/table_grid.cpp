#include "richtext/table_grid.h"

#include <algorithm>
#include <numeric>

namespace rtf {
namespace {

constexpr int kMinCellWidth = 1;         // twips: for a cell that ends before it starts
constexpr int kDefaultCellWidth = 1440;  // a cell without a definition

struct Span {
    int left = 0;
    int right = 0;
    int stored = 1;
    bool joinable = false;  // \clmgf or \clmrg: a \clmrg after it joins it
    CellDef def;
    std::vector<std::pair<int, int>> sources;
};

std::vector<Span> rowSpans(const GridRow& row, int r) {
    std::vector<Span> spans;
    const RowFormat empty;
    const RowFormat& f = row.format != nullptr ? *row.format : empty;
    int left = f.left;
    int lastWidth = kDefaultCellWidth;
    for (int i = 0; i < row.cells; ++i) {
        CellDef def;
        if (i < static_cast<int>(f.cells.size())) {
            def = f.cells[static_cast<std::size_t>(i)];
        } else {
            def.right = left + lastWidth;
        }
        const int right = std::max(def.right, left + kMinCellWidth);
        lastWidth = right - left;
        if (def.merged && !spans.empty() && spans.back().joinable) {
            Span& s = spans.back();
            s.right = right;
            s.stored += 1;
            s.def.right_ = def.right_;
            s.sources.emplace_back(r, i);
        } else {
            Span s;
            s.left = left;
            s.right = right;
            s.joinable = def.mergeFirst || def.merged;
            s.def = def;
            s.sources.emplace_back(r, i);
            spans.push_back(std::move(s));
        }
        left = right;
    }
    return spans;
}

}  // namespace

Grid layoutGrid(const std::vector<GridRow>& rows) {
    std::vector<std::vector<Span>> spans;
    std::vector<int> edges;
    std::size_t widest = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        spans.push_back(rowSpans(rows[r], static_cast<int>(r)));
        for (const Span& s : spans.back()) {
            edges.push_back(s.left);
            edges.push_back(s.right);
        }
        widest = std::max(widest, spans.back().size());
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    Grid grid;
    grid.rows = static_cast<int>(rows.size());
    // Too many distinct edges: one column per cell, widths in proportion to
    // nothing but their count.
    const bool byEdges = edges.size() >= 2 && edges.size() - 1 <= kMaxGridColumns;
    if (byEdges) {
        grid.columns = static_cast<int>(edges.size()) - 1;
        const int total = edges.back() - edges.front();
        grid.percent = total > kMaxFixedTableWidth;
        int sum = 0;
        for (int c = 0; c < grid.columns; ++c) {
            const int w =
                edges[static_cast<std::size_t>(c) + 1] - edges[static_cast<std::size_t>(c)];
            grid.widths.push_back(grid.percent ? std::max(1, static_cast<int>(10000LL * w / total))
                                               : w);
            sum += grid.widths.back();
        }
        // Percentages add up to the whole: the last column takes what
        // rounding left over (and the writer's table reads back the same).
        if (grid.percent) {
            grid.widths.back() = std::max(1, grid.widths.back() + 10000 - sum);
            // Columns too narrow for a hundredth got one: the widest gives
            // it back.
            const int over = std::accumulate(grid.widths.begin(), grid.widths.end(), 0) - 10000;
            if (over > 0)
                *std::max_element(grid.widths.begin(), grid.widths.end()) -= over;
        }
    } else {
        grid.columns = static_cast<int>(std::min<std::size_t>(widest, kMaxGridColumns));
        grid.percent = true;
        grid.widths.assign(static_cast<std::size_t>(grid.columns),
                           grid.columns > 0 ? 10000 / grid.columns : 0);
    }
    if (grid.columns == 0) {
        grid.rows = 0;
        return grid;
    }

    auto column = [&](int edge) {
        return static_cast<int>(std::lower_bound(edges.begin(), edges.end(), edge) - edges.begin());
    };
    struct Placed {
        int column;
        int span;
        std::size_t cell;  // index into grid.cells
    };
    std::vector<Placed> above;
    for (int r = 0; r < grid.rows; ++r) {
        std::vector<Placed> here;
        int next = 0;  // the fallback's next free column
        for (Span& s : spans[static_cast<std::size_t>(r)]) {
            int c = 0;
            int span = 1;
            if (byEdges) {
                c = column(s.left);
                span = column(s.right) - c;
            } else {
                if (next >= grid.columns) {
                    // No column left: its text joins the row's last cell.
                    if (!here.empty()) {
                        auto& last = grid.cells[here.back().cell].sources;
                        last.insert(last.end(), s.sources.begin(), s.sources.end());
                    }
                    continue;
                }
                c = next++;
            }
            const auto& filled = rows[static_cast<std::size_t>(r)].filled;
            const auto first = static_cast<std::size_t>(s.sources.front().second);
            const bool hasText = first < filled.size() && filled[first];
            if (s.def.vmerged && !hasText) {
                auto it = std::find_if(above.begin(), above.end(), [&](const Placed& p) {
                    return p.column == c && p.span == span;
                });
                if (it != above.end()) {
                    GridCell& owner = grid.cells[it->cell];
                    owner.rowSpan = r - owner.row + 1;
                    owner.sources.insert(owner.sources.end(), s.sources.begin(), s.sources.end());
                    here.push_back(*it);
                    continue;
                }
            }
            GridCell cell;
            cell.row = r;
            cell.column = c;
            cell.columnSpan = span;
            cell.storedCells = s.stored;
            cell.def = s.def;
            cell.sources = std::move(s.sources);
            here.push_back({c, span, grid.cells.size()});
            grid.cells.push_back(std::move(cell));
        }
        above = std::move(here);
    }
    return grid;
}

}  // namespace rtf
