// The channel view of a document: a table of the 200 channels over the core's grid model, one
// row per channel, and the editors laid over its cells.
//
// The rows live in the ChannelGrid (the working copy of the channels): the table only shows
// them, and every change (a committed cell, a paste, a row operation, undo) goes through the
// model and its rules. The image receives the rows when StoreChannels runs, before every save
// and every write to the radio. Printing, CSV, the clipboard and comparisons read the model.
#pragma once

#include "channels/ChannelGrid.h"
#include "document/ProgramDoc.h"
#include "settings/AppContext.h"
#include "settings/UserStore.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

class QKeyEvent;

namespace velmora {

class CellEditors;
class ChannelTableModel;
class GridTable;

class CProgramView : public QWidget {
    Q_OBJECT
public:
    CProgramView(CProgramDoc* doc, const AppContext& app, QWidget* parent = nullptr);
    ~CProgramView() override;

    CProgramDoc* GetDocument() const { return m_pDocument; }
    // The rows as the grid holds them (read them here, never from the table).
    const ChannelGrid& Channels() const { return m_channels; }

    // Sets the table up (once per view) and fills it from the image.
    void OnInitialUpdate();
    // Refills all 200 rows from the image, then brings type, band, limits and the main window
    // title up to date. Edits not yet stored are dropped, an open editor included, and the
    // history starts afresh.
    void ShowChannels();
    // Commits the open edit, then stores every row into the image.
    void StoreChannels();
    // The image a save would write now, without touching the document.
    MemoryImage StoredImage() const;
    // Whether the document holds changes (an open edit included) not saved since it was
    // opened, saved or read from the radio.
    bool HasUnsavedChanges();
    // While a transfer runs the grid cannot be changed: no editor opens and an open one is
    // committed and closed. Moving around and selecting still work.
    void SetLocked(bool locked);
    bool IsLocked() const { return m_bLocked; }

    // The commit of the open editor, if one is shown. False when a check refused the text (the
    // user has been told); true otherwise, also when no editor was open.
    bool CommitOpenEdit();
    // Limits of the editing checks; the Product Information dialog sets them on OK.
    void SetBandLimits(const BandLimits& limits);
    const BandLimits& Band() const { return m_channels.Band(); }

    GridTable* Grid() const { return m_grid; }
    ChannelTableModel* Model() const { return m_model; }
    QWidget* Editor(Column column) const;
    // The open editor's cell: true and the cell while one is shown.
    bool EditingCell(GridCell& cell) const;
    // The current cell.
    GridCell CurrentCell() const;
    // Makes a cell current as a click or a key would (the open edit is committed on leaving).
    void SetCurrentCell(GridCell cell);

    // What the operations work on: the rows picked by their labels, else the selected cells,
    // else the current cell.
    GridSelection Selection() const;
    // Picks rows first..last (0..199) as their labels would.
    void SelectRows(int first, int last);

    // An operation on the model: the open edit is committed first (a refused commit ends it
    // there), then `operation` runs on the selection; what it changed is shown, its rows are
    // selected and scrolled into view, and a refusal is told in a message box. The outcome goes
    // back to the caller (status bar).
    using Operation = std::function<GridOutcome(ChannelGrid&, const GridSelection&)>;
    GridOutcome Operate(const Operation& operation);
    // Undo and redo of the grid's history, one step each; the rows they change are selected
    // and scrolled into view.
    void Undo();
    void Redo();

    // Finds `query` (a name or frequency text) after the current cell, makes the match current
    // and brings it into view. False when nothing matches.
    bool Find(const std::string& query);
    // Marks the cells that differ from `other` (a *.dat file or a backup named `name`); the
    // marks follow later edits until EndComparison.
    ImageComparison CompareWith(const MemoryImage& other, const QString& name);
    void EndComparison();
    bool IsComparing() const;
    // Moves to the next or previous differing cell; false when none differs.
    bool GoToDifference(bool forward);

signals:
    // The main window title to set after a product refresh.
    void titleChanged(const QString& title);
    // Undo or redo became possible or not, or the step names changed.
    void historyChanged();
    // A right click on a cell or a row label (screen position): the window shows the menu.
    void contextMenuWanted(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpGrid();
    void SetColumnWidths();

    // Editing.
    void OpenEditor();
    void PlaceEditor();
    void HideEditors();
    // Commits the open editor into its cell; returns true when a check refused the text.
    bool Commit();
    void Show(const GridOutcome& outcome);
    void OnScroll();
    void OnEnter();
    void MoveBy(int step);
    void MoveRows(int step);
    void DropEdit();
    // Enter, Tab and Shift+Tab move on alike from an editor and from the grid.
    bool HandleMoveKey(QKeyEvent* key);
    bool HandleEditorKey(QKeyEvent* key);
    bool HandleGridKey(QKeyEvent* key);
    // A ShortcutOverride of the open editor: true hands the key on to the window's command.
    bool LeaveKeyToWindow(QKeyEvent* key) const;
    void OnRowLabelPressed(int row);
    void OnRowLabelEntered(int row);
    void OnContextMenu(const QPoint& viewportPos);
    void Recompare();

    CProgramDoc* m_pDocument = nullptr;
    const AppContext& m_app;
    MemoryUserStore m_fallbackStore; // when the program has no per-user store
    ChannelGrid m_channels;
    ChannelTableModel* m_model = nullptr;
    GridTable* m_grid = nullptr;
    CellEditors* m_editors = nullptr;
    bool m_bFirstSetUp = true;
    bool m_bLocked = false;

    // Rows picked by their labels, and the label a Shift+click extends from (-1: none).
    bool m_bRowsPicked = false;
    int m_nSelectAnchor = -1;
    Qt::KeyboardModifiers m_labelModifiers;

    // The comparison the marks come from: the other image and its name.
    std::unique_ptr<MemoryImage> m_compared;
    QString m_strComparedName;
};

} // namespace velmora
