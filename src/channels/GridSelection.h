// What the user has picked in the channel grid for an operation: whole rows (by their labels;
// Shift and Ctrl extend, so the rows need not be next to each other) or single cells.
#pragma once

#include "channels/ChannelColumn.h"

#include <compare>
#include <set>
#include <vector>

namespace velmora {

// A cell of the grid: channel 0..199 and its column.
struct GridCell {
    int row = 0;
    Column column = Column::Rx;
    auto operator<=>(const GridCell&) const = default;
};

class GridSelection {
public:
    // Nothing picked.
    GridSelection() = default;

    // Rows outside 0..199 are left out.
    static GridSelection OfRows(const std::vector<int>& rows);
    static GridSelection OfRowRange(int first, int last);
    static GridSelection OfCells(const std::vector<GridCell>& cells);

    bool IsEmpty() const { return rows_.empty(); }
    // Picked by the row labels.
    bool IsRows() const { return wholeRows_; }
    // The picked rows, or the rows the picked cells are on; ascending.
    const std::set<int>& Rows() const { return rows_; }
    // The picked cells; every cell of the picked rows when rows were picked. Row by row.
    const std::set<GridCell>& Cells() const { return cells_; }
    int FirstRow() const { return rows_.empty() ? 0 : *rows_.begin(); }
    // The top-left corner of the picked cells: the first row and, of all picked cells, the
    // leftmost column (Rx for whole rows).
    GridCell TopLeft() const;

private:
    bool wholeRows_ = false;
    std::set<int> rows_;
    std::set<GridCell> cells_;
};

} // namespace velmora
