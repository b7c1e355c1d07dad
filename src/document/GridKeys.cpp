// The channel view's keys: Enter, Tab and the arrows moving through the cells, Escape dropping
// an edit, typing into the grid starting one, and which editing keys an open editor hands on to
// the window's commands.
#include "document/ProgramView.h"

#include "channels/CellEditors.h"
#include "channels/GridTable.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>

namespace velmora {

void CProgramView::OnScroll() {
    // The editors sit on the viewport and would no longer cover their cells.
    HideEditors();
    m_grid->viewport()->update();
}

void CProgramView::OnEnter() {
    if (Commit()) {
        return; // refused: the user corrects the same cell
    }
    MoveBy(1);
}

void CProgramView::MoveBy(int step) {
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid()) {
        SetCurrentCell({0, Column::Rx});
        return;
    }
    int row = current.row();
    int column = current.column() + step;
    const int lastColumn = static_cast<int>(kColumnCount) - 1;
    if (column > lastColumn) {
        column = 0;
        row = row < kChannelCount - 1 ? row + 1 : 0;
    } else if (column < 0) {
        column = lastColumn;
        row = row > 0 ? row - 1 : kChannelCount - 1;
    }
    SetCurrentCell({row, kColumns[static_cast<std::size_t>(column)]});
}

void CProgramView::MoveRows(int step) {
    const GridCell cell = CurrentCell();
    const int row = std::clamp(cell.row + step, 0, kChannelCount - 1);
    if (row != cell.row) {
        SetCurrentCell({row, cell.column});
    }
}

void CProgramView::DropEdit() {
    HideEditors();
    m_grid->setFocus(Qt::OtherFocusReason);
}

bool CProgramView::HandleMoveKey(QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        OnEnter();
        return true;
    case Qt::Key_Tab:
        MoveBy(1);
        return true;
    case Qt::Key_Backtab:
        MoveBy(-1);
        return true;
    default:
        return false;
    }
}

bool CProgramView::HandleEditorKey(QKeyEvent* key) {
    if (HandleMoveKey(key)) {
        return true;
    }
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    switch (key->key()) {
    case Qt::Key_Escape:
        DropEdit();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        // Alt+Down still opens a list.
        if (modifiers != Qt::NoModifier) {
            return false;
        }
        MoveRows(key->key() == Qt::Key_Up ? -1 : 1);
        return true;
    default:
        return false;
    }
}

bool CProgramView::HandleGridKey(QKeyEvent* key) {
    if (HandleMoveKey(key)) {
        return true;
    }
    if (key->key() == Qt::Key_F2) {
        OpenEditor();
        return true;
    }
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    // Typing into the grid starts editing the current cell with what was typed.
    const QString typed = key->text();
    if (typed.isEmpty() || !typed.at(0).isPrint() ||
        (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return false;
    }
    if (m_bLocked) {
        QApplication::beep(); // the document waits for the radio
        return true;
    }
    if (!m_editors->IsOpen()) {
        OpenEditor();
    }
    QWidget* editor = m_editors->OpenWidget();
    if (editor == nullptr) {
        return false;
    }
    QKeyEvent copy(key->type(), key->key(), key->modifiers(), typed, key->isAutoRepeat(),
                   static_cast<quint16>(key->count()));
    QCoreApplication::sendEvent(editor, &copy);
    return true;
}

bool CProgramView::LeaveKeyToWindow(QKeyEvent* key) const {
    // An edit box keeps the editing keys for the text the user is typing. As in a spreadsheet,
    // Ctrl+Z undoes that typing first; once there is none (the editor only shows the cell),
    // Undo and Redo are the document's, and so are Cut, Copy, Paste and Delete, which then act
    // on the selected cells and rows.
    QLineEdit* edit = m_editors->OpenLineEdit();
    if (edit == nullptr) {
        return true; // a list has no text of its own to edit
    }
    if (key->matches(QKeySequence::Undo)) {
        return !edit->isUndoAvailable();
    }
    if (key->matches(QKeySequence::Redo)) {
        return !edit->isRedoAvailable();
    }
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
        key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Delete)) {
        return !edit->isModified();
    }
    return false;
}

bool CProgramView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        watched == m_grid->verticalHeader()->viewport()) {
        m_labelModifiers = static_cast<QMouseEvent*>(event)->modifiers();
    }
    const bool fromEditor =
        m_editors != nullptr && m_editors->IsOpen() && watched == m_editors->OpenWidget();
    if (fromEditor && event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (m_editors->OpenLineEdit() == nullptr && (key->modifiers() & Qt::AltModifier) &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)) {
            // Alt+Down and Alt+Up open and close a list, as everywhere, rather than move rows.
            key->accept();
            return true;
        }
        // Filtered and not accepted: the key goes to the window's shortcut.
        return LeaveKeyToWindow(key);
    }
    if (fromEditor && event->type() == QEvent::KeyPress) {
        return HandleEditorKey(static_cast<QKeyEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace velmora
