// Importing a channel list into the grid: which rows this radio takes, where they land, what is
// reported, and whether the import is done at all.
//
// Channel lists in the wild mix bands and modes, and a list may be merged into a radio that
// already holds another. So:
//
// - Where rows land. Without a first channel (ImportOptions::at) each row lands at the channel
//   number it carries; a number outside 0..199 refuses the row. With one, the rows the edit
//   rules take land one after another from it, in file order, whatever their numbers, as Paste
//   lands rows (RowPlacement.h): a refused row takes no channel, and rows that would run past
//   channel 199 refuse the import whole, saying how many fit.
// - Whether it is done. All or nothing by default: one refused row and nothing is imported.
//   With skipRefused the rows that pass are imported and the others left out, as long as at
//   least one passes.
// - Repeats. A row whose Rx frequency and both tones equal an earlier row's of the same import
//   is imported all the same, with a warning naming the channel the earlier row landed on:
//   merged lists often overlap, and the user decides what to drop.
#pragma once

#include "channels/CsvImport.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct ImportOptions {
    // Import the rows that pass and leave out the refused ones.
    bool skipRefused = false;
    // Place the rows one after another from this channel (0..199), ignoring their numbers.
    std::optional<int> at;
};

// A row with the same Rx frequency and tones as an earlier row of the same import.
struct ImportWarning {
    int line = 0;
    int earlierLine = 0;
    int earlierChannel = 0; // where the earlier row landed
    std::string text;       // "same Rx frequency and tones as channel M (line L)", in the language
};

struct ImportPlan {
    ImportOptions options;
    // The grid with every row the rules take applied, which is the result when Done(); the grid
    // as it was when the import is refused whole.
    ChannelGridTexts grid;
    std::vector<int> changedChannels;    // channels the rows set or cleared, ascending
    int accepted = 0;                    // rows the edit rules take
    std::vector<CsvRejection> refused;   // rows the rules refuse, in line order
    std::vector<ImportWarning> warnings; // in line order
    // The import refused whole: a file no layout reads, a first channel outside 0..199, rows
    // placed past channel 199.
    std::optional<CsvRejection> wholeRefusal;

    // Whether the import takes effect: nothing refused whole, and no row refused (all or
    // nothing) or at least one row taken (skipRefused).
    bool Done() const;
    // The rows imported: accepted when done, else none.
    int Imported() const { return Done() ? accepted : 0; }
    // The refused rows and the whole refusal, in line order.
    std::vector<CsvRejection> AllRefusals() const;
};

// Reads `csv` (either layout, ReadImportRows) and places its rows on `grid` as `options` say,
// through the edit rules of `band`.
ImportPlan PlanImport(std::string_view csv, const ChannelGridTexts& grid, const BandLimits& band,
                      Language lang, const ImportOptions& options);

// What velmora-cli import-csv prints on stderr, in line order: "line N: <reason>" for each
// refused row and for a whole refusal, "line N: warning: <text>" for each warning; then, with
// skipRefused, "imported K, skipped S", and otherwise, when nothing is imported, "Nothing was
// written: N row(s) were rejected.". The "line N: " in front stays the same in every language,
// for scripts.
std::vector<std::string> ImportReportLines(const ImportPlan& plan, Language lang);

} // namespace velmora
