// The channel view's selections and the operations on its model: picking rows by their labels,
// running an operation and showing what it did, undo and redo, Find and the comparison marks.
#include "document/ProgramView.h"

#include "channels/CellEditors.h"
#include "channels/ChannelTableModel.h"
#include "channels/GridTable.h"

#include <QApplication>
#include <QHeaderView>

#include <algorithm>

namespace velmora {

GridSelection CProgramView::Selection() const {
    const QModelIndexList picked = m_grid->selectionModel()->selectedIndexes();
    if (m_bRowsPicked) {
        std::vector<int> rows;
        for (const QModelIndex& index : picked) {
            rows.push_back(index.row());
        }
        if (!rows.empty()) {
            return GridSelection::OfRows(rows);
        }
    }
    std::vector<GridCell> cells;
    for (const QModelIndex& index : picked) {
        cells.push_back({index.row(), kColumns[static_cast<std::size_t>(index.column())]});
    }
    if (cells.empty() && m_grid->currentIndex().isValid()) {
        cells.push_back(CurrentCell());
    }
    return GridSelection::OfCells(cells);
}

void CProgramView::SelectRows(int first, int last) {
    first = std::clamp(first, 0, kChannelCount - 1);
    last = std::clamp(last, 0, kChannelCount - 1);
    if (first > last) {
        std::swap(first, last);
    }
    m_bRowsPicked = true;
    const QItemSelection rows(m_model->index(first, 0),
                              m_model->index(last, static_cast<int>(kColumnCount) - 1));
    m_grid->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
}

void CProgramView::Show(const GridOutcome& outcome) {
    if (!outcome.changedRows.empty()) {
        m_model->RowsChanged(outcome.changedRows);
        Recompare();
    }
    if (!outcome.selectRows.empty()) {
        // The rows the operation touched are picked and brought into view, so the user sees
        // what happened (after an undo too).
        HideEditors();
        m_bRowsPicked = true;
        QItemSelection rows;
        for (int row : outcome.selectRows) {
            rows.select(m_model->index(row, 0),
                        m_model->index(row, static_cast<int>(kColumnCount) - 1));
        }
        const int first = outcome.selectRows.front();
        const QModelIndex firstCell =
            m_model->index(first, std::max(m_grid->currentIndex().column(), 0));
        {
            // Moving the current cell here must not open an editor over the picked rows.
            const QSignalBlocker blocker(m_grid->selectionModel());
            m_grid->selectionModel()->setCurrentIndex(firstCell, QItemSelectionModel::NoUpdate);
        }
        m_grid->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
        m_grid->scrollTo(firstCell);
        m_grid->viewport()->update();
        m_grid->setFocus(Qt::OtherFocusReason);
    }
    emit historyChanged();
    if (outcome.refused && !outcome.message.empty() && m_app.prompter != nullptr) {
        m_app.prompter->Warn(m_app.company, outcome.message);
    }
}

GridOutcome CProgramView::Operate(const Operation& operation) {
    if (m_bLocked) {
        GridOutcome locked;
        locked.refused = true;
        return locked;
    }
    const GridSelection selection = Selection();
    if (!CommitOpenEdit()) {
        GridOutcome refused;
        refused.refused = true;
        return refused; // the user is correcting the open cell
    }
    GridOutcome outcome = operation(m_channels, selection);
    Show(outcome);
    return outcome;
}

void CProgramView::Undo() {
    if (!m_bLocked && CommitOpenEdit()) {
        Show(m_channels.Undo());
    }
}

void CProgramView::Redo() {
    if (!m_bLocked && CommitOpenEdit()) {
        Show(m_channels.Redo());
    }
}

bool CProgramView::Find(const std::string& query) {
    CommitOpenEdit();
    const std::optional<GridCell> found = m_channels.Find(query, CurrentCell());
    if (!found) {
        return false;
    }
    m_bRowsPicked = false;
    SetCurrentCell(*found);
    m_grid->scrollTo(m_model->index(found->row, static_cast<int>(Index(found->column))));
    return true;
}

ImageComparison CProgramView::CompareWith(const MemoryImage& other, const QString& name) {
    CommitOpenEdit();
    m_compared = std::make_unique<MemoryImage>(other);
    m_strComparedName = name;
    Recompare();
    return *m_model->Comparison();
}

void CProgramView::EndComparison() {
    m_compared.reset();
    m_model->SetComparison(std::nullopt, {});
}

bool CProgramView::IsComparing() const {
    return m_compared != nullptr;
}

void CProgramView::Recompare() {
    // The marks follow the grid as it is edited: a cell set to the file's value loses its mark.
    if (m_compared) {
        m_model->SetComparison(m_channels.Compare(m_pDocument->m_image, *m_compared),
                               m_strComparedName);
    }
}

bool CProgramView::GoToDifference(bool forward) {
    const std::optional<ImageComparison>& comparison = m_model->Comparison();
    if (!comparison) {
        return false;
    }
    GridCell from = CurrentCell();
    if (!m_grid->currentIndex().isValid()) {
        // Nothing current yet: the first difference is the one after the last cell.
        from = {kChannelCount - 1, Column::Name};
    }
    const std::optional<GridCell> next = NextDifference(*comparison, from, forward);
    if (!next) {
        return false;
    }
    m_bRowsPicked = false;
    SetCurrentCell(*next);
    return true;
}

void CProgramView::OnRowLabelPressed(int row) {
    // The rows are picked with the table in front, so that the keys of the row commands
    // reach it.
    CommitOpenEdit();
    HideEditors();
    m_grid->setFocus(Qt::MouseFocusReason);
    const QItemSelection rowCells(m_model->index(row, 0),
                                  m_model->index(row, static_cast<int>(kColumnCount) - 1));
    if ((m_labelModifiers & Qt::ShiftModifier) && m_nSelectAnchor >= 0 && m_bRowsPicked) {
        SelectRows(m_nSelectAnchor, row);
        return;
    }
    if ((m_labelModifiers & Qt::ControlModifier) && m_bRowsPicked) {
        m_grid->selectionModel()->select(rowCells, QItemSelectionModel::Toggle);
        m_nSelectAnchor = row;
        return;
    }
    m_nSelectAnchor = row;
    SelectRows(row, row);
}

void CProgramView::OnRowLabelEntered(int row) {
    if (m_nSelectAnchor >= 0 && m_bRowsPicked && (QApplication::mouseButtons() & Qt::LeftButton)) {
        SelectRows(m_nSelectAnchor, row);
    }
}

void CProgramView::OnContextMenu(const QPoint& viewportPos) {
    // A right click outside the selection picks the cell under the mouse first, as a left click
    // would; inside it, the menu acts on the whole selection.
    const QModelIndex index = m_grid->indexAt(viewportPos);
    if (index.isValid() && !m_grid->selectionModel()->isSelected(index)) {
        m_bRowsPicked = false;
        SetCurrentCell({index.row(), kColumns[static_cast<std::size_t>(index.column())]});
    }
    emit contextMenuWanted(m_grid->viewport()->mapToGlobal(viewportPos));
}

} // namespace velmora
