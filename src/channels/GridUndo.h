// Undo and redo of the channel grid. Every change of the grid's texts that the user makes (a
// committed cell, an import, a paste) is one step: the rows it changed, as they were and as
// they became. Steps hold texts only; the image takes the grid when it is stored, as always.
#pragma once

#include "channels/ChannelTable.h"

#include <QUndoCommand>

#include <functional>
#include <vector>

namespace velmora {

// One row of a step; row is the channel's index 0..199.
struct GridRowChange {
    int row = 0;
    ChannelTexts before;
    ChannelTexts after;
};

// The rows that differ between two grids.
std::vector<GridRowChange> GridChanges(const ChannelGridTexts& before,
                                       const ChannelGridTexts& after);

class GridEditCommand : public QUndoCommand {
public:
    // Puts one row's texts into the grid.
    using SetRow = std::function<void(int row, const ChannelTexts& texts)>;

    GridEditCommand(std::vector<GridRowChange> changes, SetRow setRow, const QString& text);

    void undo() override;
    void redo() override;

    const std::vector<GridRowChange>& Changes() const { return m_changes; }

private:
    std::vector<GridRowChange> m_changes;
    SetRow m_setRow;
};

} // namespace velmora
