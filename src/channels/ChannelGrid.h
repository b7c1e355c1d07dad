// The channel grid's model: the 200 channel rows of a document, what may be done to them, and
// their history.
//
//   row r (0..199)     channel r, shown as grid row r + 1 ("Pr" for channel 0)
//   column (Column)    Rx, Tx, DecodeTone, EncodeTone, Power, Lock, ScanAdd, Name
//
// The rows are the working copy of the channels: they are filled from the image (ShowChannels)
// and encoded back into it before every save and every write to the radio (StoreChannels). Every
// change goes through here and through the rules of typing (CommitCell), and each operation is
// all or nothing: one that is refused changes nothing and says why, one that is done is one step
// of the history, which undo and redo take back and forth whole.
//
// Each row carries the bytes the image held for its channel (GridRow::bytes); rows that move
// take them along, and storing writes them before encoding the texts over them, so the bytes the
// grid does not show never stay behind at the old row.
#pragma once

#include "channels/CsvImport.h"
#include "channels/EditRules.h"
#include "channels/GridHistory.h"
#include "channels/GridRowOps.h"
#include "channels/GridSelection.h"
#include "channels/ImageDiff.h"
#include "channels/ImportPlan.h"
#include "settings/BandLimits.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// What an operation, an undo or a redo did.
struct GridOutcome {
    bool refused = false;
    // Why it was refused (or, for an edit, the message typing would show), in the grid's
    // language; lines of a refused paste or import follow the heading, one "line N: reason" each.
    std::string message;
    std::vector<CsvRejection> rejected; // the refused lines of a paste or an import
    std::vector<int> changedRows;       // rows whose texts or bytes changed, ascending
    std::vector<int> selectRows;        // rows to select and scroll to, ascending

    // An import (Import): the rows the edit rules take, which are the rows imported, or, for a
    // refused import, the rows that skipping the refused ones would import.
    int accepted = 0;
    // Rows of the import that repeat an earlier row's Rx frequency and tones; imported all the
    // same.
    std::vector<ImportWarning> warnings;
    // A refused import that skipping its refused rows would do: `message` lists up to 20 of
    // them and asks "Import the K other channels?"; Yes is Import again with skipRefused.
    bool canSkipRefused = false;
};

class ChannelGrid {
public:
    explicit ChannelGrid(Language lang = Language::English);

    // Fills every row from the image (texts and bytes) and forgets the history; the grid then
    // counts as unchanged.
    void ShowChannels(const MemoryImage& image);
    // Writes every row into the image: its bytes, then its texts encoded over them.
    void StoreChannels(MemoryImage& image) const;

    const ChannelTexts& Row(int row) const;
    const std::string& Text(int row, Column column) const;
    const GridRow& RowWithBytes(int row) const;
    // All 200 rows' texts (printing, CSV export).
    ChannelGridTexts Texts() const;
    Language Lang() const { return lang_; }

    // Limits of the frequency checks; the product refresh and Product Information set them.
    void SetBand(const BandLimits& band) { band_ = band; }
    const BandLimits& Band() const { return band_; }

    // Typing `text` into a cell (CommitCell). A refused text leaves the row as it was and the
    // outcome carries the message typing shows.
    GridOutcome Edit(int row, Column column, std::string_view text);
    // A CSV file in either layout, as velmora-cli import-csv reads it, placed and decided as
    // `options` say (ImportPlan.h); done, it is one step. `rejected` lists the refused rows (and
    // a refusal of the whole import), those left out when skipRefused imported the others.
    GridOutcome Import(std::string_view csv, const ImportOptions& options);

    std::string Copy(const GridSelection& at) const;
    GridOutcome Paste(std::string_view text, const GridSelection& at);
    // Copy into `copied`, then Delete.
    GridOutcome Cut(const GridSelection& at, std::string& copied);
    GridOutcome Delete(const GridSelection& at);
    GridOutcome InsertRows(const GridSelection& at);
    GridOutcome DeleteRows(const GridSelection& at);
    GridOutcome MoveUp(const GridSelection& at);
    GridOutcome MoveDown(const GridSelection& at);
    GridOutcome Sort(const GridSelection& at, SortKey key);
    GridOutcome FillDown(const GridSelection& at);
    // The next cell holding `query` after `from` (see FindCell).
    std::optional<GridCell> Find(std::string_view query, GridCell from) const;
    // The rows as they would be stored into `documentImage`, compared with `other` (a *.dat
    // file): a = this grid, b = the file.
    ImageComparison Compare(const MemoryImage& documentImage, const MemoryImage& other) const;

    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    // The name of the step Undo or Redo would take ("Paste"), for "Undo Paste".
    std::optional<TextPair> UndoName() const;
    std::optional<TextPair> RedoName() const;
    GridOutcome Undo();
    GridOutcome Redo();

    // Whether the rows changed since MarkClean (or the last fill); undoing back to that point
    // counts as unchanged.
    void MarkClean() { history_.MarkClean(); }
    bool IsClean() const { return history_.IsClean(); }

private:
    // Makes `next` the rows as one step named `name`; no step when nothing changed.
    GridOutcome Apply(const TextPair& name, GridRows next, std::vector<int> selectRows);
    // The same for new texts over the same bytes.
    GridOutcome ApplyTexts(const TextPair& name, const ChannelGridTexts& texts,
                           std::vector<int> selectRows);
    GridOutcome Refused(std::string message) const;
    GridOutcome RowOperation(const TextPair& name, const RowOpResult& result, GridRows next);
    GridOutcome Walk(const GridStep* step, bool undo);

    Language lang_;
    BandLimits band_;
    GridRows rows_;
    GridHistory history_;
};

} // namespace velmora
