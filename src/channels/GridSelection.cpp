#include "channels/GridSelection.h"

#include "channels/ChannelTable.h"

#include <algorithm>

namespace velmora {

GridSelection GridSelection::OfRows(const std::vector<int>& rows) {
    GridSelection selection;
    selection.wholeRows_ = true;
    for (int row : rows) {
        if (!IsChannelIndex(row)) {
            continue;
        }
        selection.rows_.insert(row);
        for (Column column : kColumns) {
            selection.cells_.insert({row, column});
        }
    }
    return selection;
}

GridSelection GridSelection::OfRowRange(int first, int last) {
    std::vector<int> rows;
    for (int row = std::max(std::min(first, last), 0);
         row <= std::min(std::max(first, last), kChannelCount - 1); ++row) {
        rows.push_back(row);
    }
    return OfRows(rows);
}

GridSelection GridSelection::OfCells(const std::vector<GridCell>& cells) {
    GridSelection selection;
    for (const GridCell& cell : cells) {
        if (IsChannelIndex(cell.row)) {
            selection.rows_.insert(cell.row);
            selection.cells_.insert(cell);
        }
    }
    return selection;
}

GridCell GridSelection::TopLeft() const {
    GridCell corner{FirstRow(), Column::Name};
    for (const GridCell& cell : cells_) {
        corner.column = std::min(corner.column, cell.column);
    }
    return corner;
}

} // namespace velmora
