// Channels and cells as tab-separated text, the way spreadsheets copy them to the clipboard and
// take them back.
//
// Copying whole rows writes each row's channel number first, then its eight cells; copying cells
// writes, row by row, the picked cells of each row. Pasting lands at the selection, never at the
// numbers in the text: rows fill down from the first picked row, in order (RowPlacement.h, as an
// import placed at a channel does), so a channel can be duplicated into any row; 8-cell rows
// without numbers paste alike. A block of fewer cells lands
// with its top-left corner on the top-left picked cell, and one value pasted over several picked
// cells goes into each of them. Every cell goes through the rules of typing (ApplyImportedRow):
// new-channel defaults, band, raster, names. A paste is taken whole or not at all.
#pragma once

#include "channels/CsvImport.h"
#include "channels/GridSelection.h"

#include <string>
#include <string_view>

namespace velmora {

// Rows first..last (clamped to 0..199) with their channel numbers and CR LF line ends, empty
// channels included so that pasting them clears channels as well.
std::string CopyChannelRows(const ChannelGridTexts& grid, int first, int last);

// The picked rows as CopyChannelRows writes them, or the picked cells row by row.
std::string CopySelection(const ChannelGridTexts& grid, const GridSelection& selection);

// The grid after pasting `tsv` at the selection. When anything is refused the grid comes back
// as it was, and `rejected` names each refused line (counted from 1) and why: a row the rules
// refuse, a line of more than nine cells, a paste that would run past channel 199 (saying how
// many rows fit) or past the Name column, an empty text, an empty selection.
CsvImportResult PasteText(std::string_view tsv, const ChannelGridTexts& grid,
                          const GridSelection& at, const BandLimits& band, Language lang);

// PasteText at the rows picked from channel `firstChannel` on.
CsvImportResult PasteChannelRows(std::string_view tsv, const ChannelGridTexts& grid,
                                 int firstChannel, const BandLimits& band, Language lang);

} // namespace velmora
