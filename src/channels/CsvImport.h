// Channel rows coming in from outside: a CSV file in the layout export-csv writes (or the
// CHIRP-style layout other radio programs exchange), and rows pasted from a spreadsheet
// (ChannelClipboard.h).
//
// Every row goes through the same edit rules as typing into the grid (CommitCell): the band
// limits, the 2.5/6.25 kHz raster and the defaults of a new channel. A row the rules refuse
// leaves its channel as it was and is reported with its line; the caller decides whether the
// rows that were taken are kept (ImportPlan.h: all or nothing, or what fits).
//
// A file is read in two steps: its rows are read into cells (ReadImportRows), then placed on
// channels, at the numbers they carry or one after another from a chosen channel (ImportPlan.h).
#pragma once

#include "channels/ChannelTable.h"
#include "settings/BandLimits.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct CsvRejection {
    int line; // 1-based line of the file
    std::string reason;
};

struct CsvImportResult {
    ChannelGridTexts grid;              // the grid after applying every row that was taken
    std::vector<int> changedChannels;   // channels the rows set or cleared, ascending
    std::vector<CsvRejection> rejected; // empty when every row was taken
};

enum class CsvFormat { Velmora, Chirp, Unknown };

// The layout, by the header (the first row that is not blank).
CsvFormat DetectCsvFormat(std::string_view text);

// Applies the rows to `grid` as in-place editing would (CommitCell per cell, new-channel
// defaults, band and raster), each at the channel number it carries; a row with an empty Rx
// cell clears that channel. Columns are found by their header titles in either language, in
// any order; unknown columns are ignored. A file without a recognisable header is rejected as
// a whole at its first line. `grid` in the result holds every row that was taken.
CsvImportResult ImportChannelsCsv(std::string_view text, const ChannelGridTexts& grid,
                                  const BandLimits& band, Language lang);

// The cells a row brings, in Column order; nullopt where the file has no such column.
using ImportCells = std::array<std::optional<std::string>, kColumnCount>;

// A row of a channel list as read, before it lands on a channel.
struct ImportRow {
    int line = 0;
    // The channel number as the file writes it; nullopt when the row is too short to have one.
    std::optional<std::string> number;
    ImportCells cells;
    // Why the row can be no channel of this radio wherever it lands (a short row, a mode the
    // radio has not, a field the layout does not know); the number is checked before it.
    std::optional<std::string> refusal;
};

struct ImportRows {
    std::vector<ImportRow> rows;
    // The file refused as a whole: no header either layout knows, a quoted field never closed.
    std::optional<CsvRejection> fileRefusal;
};

// The rows of a CSV file in either layout, in file order. The CHIRP layout's unused memories
// (an empty or zero frequency) are left out.
ImportRows ReadImportRows(std::string_view text, Language lang);

// Sets one channel from a row as in-place editing would, the Rx cell first. Words are taken in
// either language and stored in `lang`; names in upper case. An empty Rx cell clears the
// channel. An empty tone, power, lock or scan cell says no more than a missing column: a new
// channel gets its default, an existing one keeps its value (an empty Tx cell still means no
// transmit frequency, an empty name no name). Returns the reason when the row is refused; the
// grid is then unchanged.
std::optional<std::string> ApplyImportedRow(ChannelGridTexts& grid, int channel,
                                            const ImportCells& cells, const BandLimits& band,
                                            Language lang);

// ApplyImportedRow on one row's texts. Whether the rules take the cells does not depend on what
// the row held, so an empty row tells whether they would be taken anywhere.
std::optional<std::string> ApplyImportedCells(ChannelTexts& row, const ImportCells& cells,
                                              const BandLimits& band, Language lang);

// "0".."199" as a channel index, or nullopt.
std::optional<int> ParseChannelNumber(std::string_view text);

// Leading and trailing blanks (spaces and tabs) removed.
std::string_view TrimBlanks(std::string_view text);

} // namespace velmora
