#include "channels/GridUndo.h"

#include <utility>

namespace velmora {

std::vector<GridRowChange> GridChanges(const ChannelGridTexts& before,
                                       const ChannelGridTexts& after) {
    std::vector<GridRowChange> changes;
    for (std::size_t row = 0; row < before.size(); ++row) {
        if (before[row] != after[row]) {
            changes.push_back({static_cast<int>(row), before[row], after[row]});
        }
    }
    return changes;
}

GridEditCommand::GridEditCommand(std::vector<GridRowChange> changes, SetRow setRow,
                                 const QString& text)
    : QUndoCommand(text), m_changes(std::move(changes)), m_setRow(std::move(setRow)) {}

void GridEditCommand::undo() {
    for (const GridRowChange& change : m_changes) {
        m_setRow(change.row, change.before);
    }
}

void GridEditCommand::redo() {
    for (const GridRowChange& change : m_changes) {
        m_setRow(change.row, change.after);
    }
}

} // namespace velmora
