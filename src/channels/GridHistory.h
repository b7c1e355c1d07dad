// Undo and redo of the channel grid, and whether it has changed since it was last saved.
//
// Every operation on the grid is one step: the rows it changed, as they were and as they became,
// with the step's name for the Edit menu ("Undo Paste"). A row is its eight texts and every byte
// the image holds for its channel, so that undoing a move puts each channel's unseen bytes back
// where they were.
#pragma once

#include "channels/ChannelTable.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace velmora {

// One channel row of the grid: what it shows and the channel's bytes behind it. The bytes are
// those the row was filled with; they travel with the row when it moves, and storing writes them
// before the texts are encoded over them.
struct GridRow {
    ChannelTexts texts;
    ChannelBytes bytes{};
    bool operator==(const GridRow&) const = default;
};
using GridRows = std::array<GridRow, kChannelCount>;

struct RowChange {
    int row = 0;
    GridRow before;
    GridRow after;
};

struct GridStep {
    TextPair name;
    std::vector<RowChange> changes; // ascending rows
};

class GridHistory {
public:
    // Forgets every step; the grid as it is counts as unchanged.
    void Clear();

    // Records `step` as done (the steps that were undone are dropped).
    void Push(GridStep step);

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The step Undo or Redo would take; nullptr when there is none.
    const GridStep* NextUndo() const { return CanUndo() ? &steps_[done_ - 1] : nullptr; }
    const GridStep* NextRedo() const { return CanRedo() ? &steps_[done_] : nullptr; }
    // Moves back or forward over one step and returns it (nullptr when there is none); the
    // caller puts its rows in.
    const GridStep* Undo();
    const GridStep* Redo();

    // The grid as it is now is what was saved. Undoing or redoing back to this point makes it
    // unchanged again; a new step after undoing past it makes that point unreachable.
    void MarkClean() { clean_ = done_; }
    bool IsClean() const { return clean_ == done_; }

private:
    std::vector<GridStep> steps_;
    std::size_t done_ = 0;                 // steps_[0..done_) are applied
    std::optional<std::size_t> clean_ = 0; // done_ at the last MarkClean, if still reachable
};

} // namespace velmora
