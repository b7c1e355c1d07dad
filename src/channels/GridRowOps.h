// Operations that move whole channels between rows: Insert Row, Delete Row, Move Up, Move Down
// and Sort. A channel moves with everything the image holds for it (GridRow::bytes): flag bits
// and record bytes the grid does not show, and names of seven or eight characters, would be lost
// or left behind if only its texts moved. So every operation here only reorders rows, and Delete
// Row clears the texts of the rows it takes out.
//
// Each works on a copy of the rows and either changes it and says which rows to select after,
// or refuses, changing nothing, and says why in the grid's language.
#pragma once

#include "channels/GridHistory.h"
#include "channels/GridSelection.h"

#include <string>
#include <vector>

namespace velmora {

struct RowOpResult {
    std::string refusal;     // empty when the operation was done
    std::vector<int> select; // the rows to select afterwards, ascending
};

// An empty channel at each picked row; the rows below shift down by as many rows as are picked.
// Refused, naming the channel, when a channel in use would be pushed past channel 199.
RowOpResult InsertRows(GridRows& rows, const GridSelection& at, Language lang);

// Takes out the picked rows; the rows below shift up and empty rows enter at the end.
RowOpResult DeleteRows(GridRows& rows, const GridSelection& at, Language lang);

// Moves the picked rows one row up (step -1) or down (step 1). Refused when one of them is
// already at that edge.
RowOpResult MoveRows(GridRows& rows, const GridSelection& at, int step, Language lang);

enum class SortKey { RxFrequency, Name };

// Sorts the picked rows among themselves, or all 200 rows when fewer than two are picked:
// channels in use first, by Rx frequency (as a number) or by name (channels without one after
// those with one), equal keys in their old order; empty channels last.
RowOpResult SortRows(GridRows& rows, const GridSelection& at, SortKey key);

} // namespace velmora
