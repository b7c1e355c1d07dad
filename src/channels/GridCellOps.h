// Operations on the texts of picked cells, each through the commit rule of typing (CommitCell):
// Delete and the clearing half of Cut, Fill Down, and Find.
#pragma once

#include "channels/ChannelTable.h"
#include "channels/GridSelection.h"
#include "settings/BandLimits.h"

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Picked rows lose their channels. Of picked cells, an Rx cell removes its channel, a Tx cell
// the transmit frequency and a name cell the name, as emptying them by typing would; list cells
// (tones, power, lock, scan) have no empty entry and keep their values.
void ClearCells(ChannelGridTexts& grid, const GridSelection& at, const BandLimits& band,
                Language lang);

// In each column, the first picked cell's text goes into the other picked cells of that column
// (Rx first, so that a channel filled into an empty row exists before its settings arrive; an
// empty row keeps no settings). Returns why nothing was filled when the commit rule refuses a
// cell (the band may have changed since the text was typed); the grid is then unchanged.
std::optional<std::string> FillDown(ChannelGridTexts& grid, const GridSelection& at,
                                    const BandLimits& band, Language lang);

// The next cell after `from`, row by row and wrapping round to `from` itself, whose Rx, Tx or
// name text holds `query`, ignoring case and the blanks around it. A frequency may be asked for
// as it may be typed ("146,52 MHz" finds 146.52000). Nothing when no cell holds it.
std::optional<GridCell> FindCell(const ChannelGridTexts& grid, std::string_view query,
                                 GridCell from);

} // namespace velmora
