// Rows that land where the user says instead of at the numbers they carry: one after another
// from a first channel, in their order. Paste lands so, and so does an import "at the selected
// channel" (import-csv --at), so that two lists can be merged into one radio.
//
// Only the rows the edit rules take are placed: a refused row takes no channel, so the rows of
// a list that fit the radio close up. Whether they fit is counted the same way: when the rows
// taken would run past channel 199, none is placed.
#pragma once

#include "channels/CsvImport.h"

#include <optional>
#include <vector>

namespace velmora {

struct IncomingRow {
    int line = 0; // 1-based line of the text
    ImportCells cells;
};

struct PlacedRow {
    int line = 0;
    int channel = 0;
};

struct Placement {
    int taken = 0;                       // rows the edit rules take
    std::vector<PlacedRow> placed;       // where each of them landed; empty when they do not fit
    std::vector<CsvRejection> refused;   // rows the edit rules refuse, in order
    std::optional<CsvRejection> pastEnd; // at the first row taken that does not fit
};

// Sets channels first, first + 1, ... (first 0..199) of `grid` from the rows the edit rules take
// (ApplyImportedCells), in order. When they would run past channel 199 the grid stays as it was
// and pastEnd says so with `pastEndText`: %1 rows taken, %2 fit, %3 the first channel.
Placement PlaceRowsFrom(ChannelGridTexts& grid, int first, const std::vector<IncomingRow>& rows,
                        const TextPair& pastEndText, const BandLimits& band, Language lang);

} // namespace velmora
