// The grid's commands: undo and redo, the clipboard, the row operations, Find and the comparison
// with a file, from the Edit and File menus, their keys and the grid's context menu. Each runs
// on the core's model through the view; what it changed shows in the grid and in the status bar.
#include "frame/MainFrame.h"

#include "base/QtText.h"

#include "channels/ChannelTableModel.h"
#include "document/ProgramView.h"
#include "frame/ChildFrame.h"
#include "frame/ExchangeCommands.h"
#include "image/DataFile.h"

#include <QAction>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>

namespace velmora {

void CMainFrame::CreateGridActions() {
    const auto gridAction = [this](CommandId id, const TextPair& text,
                                   std::initializer_list<QKeySequence> keys,
                                   CProgramView::Operation operation) {
        QAction* action = MakeAction(id, text);
        action->setShortcuts(QList<QKeySequence>(keys));
        connect(action, &QAction::triggered, this, [this, operation] { RunOperation(operation); });
    };
    connect(MakeAction(ID_EDIT_CUT, txt::CmdCut, QKeySequence::Cut), &QAction::triggered, this,
            &CMainFrame::OnEditCut);
    gridAction(ID_EDIT_CLEAR, txt::CmdDelete, {QKeySequence::Delete},
               [](ChannelGrid& grid, const GridSelection& at) { return grid.Delete(at); });
    gridAction(ID_EDIT_INSERT_ROW, txt::CmdInsertRow,
               {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
               [](ChannelGrid& grid, const GridSelection& at) { return grid.InsertRows(at); });
    gridAction(ID_EDIT_DELETE_ROW, txt::CmdDeleteRow, {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
               [](ChannelGrid& grid, const GridSelection& at) { return grid.DeleteRows(at); });
    gridAction(ID_EDIT_MOVE_UP, txt::CmdMoveUp, {QKeySequence(Qt::ALT | Qt::Key_Up)},
               [](ChannelGrid& grid, const GridSelection& at) { return grid.MoveUp(at); });
    gridAction(ID_EDIT_MOVE_DOWN, txt::CmdMoveDown, {QKeySequence(Qt::ALT | Qt::Key_Down)},
               [](ChannelGrid& grid, const GridSelection& at) { return grid.MoveDown(at); });
    gridAction(ID_EDIT_SORT_FREQUENCY, txt::CmdSortByFrequency, {},
               [](ChannelGrid& grid, const GridSelection& at) {
                   return grid.Sort(at, SortKey::RxFrequency);
               });
    gridAction(
        ID_EDIT_SORT_NAME, txt::CmdSortByName, {},
        [](ChannelGrid& grid, const GridSelection& at) { return grid.Sort(at, SortKey::Name); });
    gridAction(ID_EDIT_FILL_DOWN, txt::CmdFillDown, {QKeySequence(Qt::CTRL | Qt::Key_D)},
               [](ChannelGrid& grid, const GridSelection& at) { return grid.FillDown(at); });
    connect(MakeAction(ID_EDIT_FIND, txt::CmdFind, QKeySequence::Find), &QAction::triggered, this,
            &CMainFrame::OnEditFind);
    connect(MakeAction(ID_EDIT_REPEAT, txt::CmdFindNext, QKeySequence(Qt::Key_F3)),
            &QAction::triggered, this, &CMainFrame::OnEditFindNext);
    connect(MakeAction(ID_FILE_COMPARE, txt::CmdCompareWith), &QAction::triggered, this,
            &CMainFrame::OnFileCompare);
    connect(MakeAction(ID_FILE_END_COMPARISON, txt::CmdEndComparison), &QAction::triggered, this,
            [this] {
                if (CProgramView* view = ActiveView()) {
                    view->EndComparison();
                    UpdateCommandStates();
                }
            });
    connect(MakeAction(ID_EDIT_NEXT_DIFFERENCE, txt::CmdNextDifference, QKeySequence(Qt::Key_F8)),
            &QAction::triggered, this, [this] { GoToDifference(true); });
    connect(MakeAction(ID_EDIT_PREVIOUS_DIFFERENCE, txt::CmdPreviousDifference,
                       QKeySequence(Qt::SHIFT | Qt::Key_F8)),
            &QAction::triggered, this, [this] { GoToDifference(false); });
}

void CMainFrame::ShowGridMenu(const QPoint& globalPos) {
    QMenu menu(this);
    for (int id : std::initializer_list<int>{
             ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, 0, ID_EDIT_INSERT_ROW,
             ID_EDIT_DELETE_ROW, ID_EDIT_MOVE_UP, ID_EDIT_MOVE_DOWN, 0, ID_EDIT_SORT_FREQUENCY,
             ID_EDIT_SORT_NAME, ID_EDIT_FILL_DOWN, 0, ID_EDIT_FIND}) {
        if (id == 0) {
            menu.addSeparator();
        } else {
            menu.addAction(Action(static_cast<CommandId>(id)));
        }
    }
    menu.exec(globalPos);
}

void CMainFrame::RunOperation(const CProgramView::Operation& operation) {
    if (CProgramView* view = ShownView(); view && DocumentFree()) {
        view->Operate(operation);
    }
}

void CMainFrame::OnEditCut() {
    if (CProgramView* view = ShownView(); view && DocumentFree()) {
        ShowStatus(CutChannels(*view, m_app));
    }
}

void CMainFrame::OnEditCopy() {
    if (CProgramView* view = ShownView()) {
        ShowStatus(CopyChannels(*view, m_app));
    }
}

void CMainFrame::OnEditPaste() {
    if (CProgramView* view = ShownView(); view && DocumentFree()) {
        ShowStatus(PasteChannels(*view, m_app));
    }
}

void CMainFrame::OnEditUndo() {
    if (CProgramView* view = ShownView(); view && DocumentFree()) {
        view->Undo();
    }
}

void CMainFrame::OnEditRedo() {
    if (CProgramView* view = ShownView(); view && DocumentFree()) {
        view->Redo();
    }
}

void CMainFrame::OnEditFind() {
    CProgramView* view = ShownView();
    if (view == nullptr) {
        return;
    }
    bool ok = false;
    const QString query = QInputDialog::getText(this, ToQString(txt::FindCaption.In(m_app.lang)),
                                                ToQString(txt::FindPrompt.In(m_app.lang)),
                                                QLineEdit::Normal, m_strFind, &ok)
                              .trimmed();
    if (!ok || query.isEmpty()) {
        return;
    }
    m_strFind = query;
    OnEditFindNext();
}

void CMainFrame::OnEditFindNext() {
    if (m_strFind.isEmpty()) {
        OnEditFind();
        return;
    }
    if (CProgramView* view = ShownView(); view && !view->Find(m_strFind.toStdString())) {
        ShowStatus(ToQString(FillText(txt::MsgNotFound, m_app.lang, {m_strFind.toStdString()})));
    }
}

void CMainFrame::OnFileCompare() {
    CProgramView* view = ShownView();
    if (view == nullptr) {
        return;
    }
    const QString path = m_chooser->OpenPath(this, ToQString(txt::DataFileFilter.In(m_app.lang)));
    if (path.isEmpty()) {
        return;
    }
    MemoryImage other{};
    const FileResult loaded = LoadDataFile(path.toStdString(), other);
    if (!loaded) {
        Warn(DescribeLoadFailure(path.toStdString(), loaded, m_app.lang));
        return;
    }
    const QString name = QFileInfo(path).fileName();
    const ImageComparison comparison = view->CompareWith(other, name);
    UpdateCommandStates();
    ShowStatus(ToQString(FillText(txt::StatusCompared, m_app.lang,
                                  {std::to_string(comparison.cells.size()), name.toStdString()})));
    if (comparison.Same()) {
        m_app.prompter->Warn(m_app.company,
                             FillText(txt::MsgCompareSame, m_app.lang, {name.toStdString()}));
        return;
    }
    // The cells show their differences in the grid; what the grid cannot show is listed.
    ImageComparison rest = comparison;
    rest.cells.clear();
    const std::vector<std::string> lines = DiffLines(rest, m_app.lang);
    if (!lines.empty()) {
        m_app.prompter->Warn(m_app.company, ListedLines(FillText(txt::MsgCompareOthers, m_app.lang,
                                                                 {name.toStdString()}),
                                                        lines, m_app.lang));
    }
    view->GoToDifference(true);
}

void CMainFrame::GoToDifference(bool forward) {
    if (CProgramView* view = ShownView(); view && !view->GoToDifference(forward)) {
        ShowStatus(ToQString(txt::StatusNoDifference.In(m_app.lang)));
    }
}

void CMainFrame::UpdateUndoTexts(const CProgramView* view) {
    // "Undo Paste": the menu names the step the command takes back.
    const auto name = [this](const std::optional<TextPair>& step, const TextPair& plain,
                             const TextPair& named) {
        return step ? ToQString(FillText(named, m_app.lang, {std::string(step->In(m_app.lang))}))
                    : ToQString(plain.In(m_app.lang));
    };
    const ChannelGrid* grid = view != nullptr ? &view->Channels() : nullptr;
    Action(ID_EDIT_UNDO)
        ->setText(name(grid ? grid->UndoName() : std::nullopt, txt::CmdUndo, txt::CmdUndoStep));
    Action(ID_EDIT_REDO)
        ->setText(name(grid ? grid->RedoName() : std::nullopt, txt::CmdRedo, txt::CmdRedoStep));
}

} // namespace velmora
