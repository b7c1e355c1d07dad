// The channel view of a document: a grid of the 200 channels, one row per channel, and the
// in-place editors that are laid over its cells.
//
//   grid row 0        column titles (the table's horizontal header)
//   grid column 0     row labels "Pr", "  1" ... "199" (the table's vertical header)
//   grid row r        1..200: channel r - 1, table row r - 1
//   grid column c     1..8: Rx, Tx, decode tone, encode tone, power, lock, scan add, name;
//                     table column c - 1
//
// The grid's texts are the working copy of the channels. Edits change only the grid; the
// image receives them when StoreChannels runs (before every save and every write). What a
// committed edit does to a row (band and step checks, new-channel defaults) is decided by
// CommitCell in the core; the view only moves texts between the editors, the grid and it.
#pragma once

#include "app/AppContext.h"
#include "channels/ChannelTable.h"
#include "channels/EditRules.h"
#include "image/ProgramDoc.h"
#include "settings/UserStore.h"

#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class QComboBox;
class QKeyEvent;
class QLineEdit;
class QTableWidget;
class QUndoStack;

namespace velmora {

class NameValidator;
class TransferCommands;

class CProgramView : public QWidget {
    Q_OBJECT
public:
    CProgramView(CProgramDoc* doc, const AppContext& app, QWidget* parent = nullptr);
    ~CProgramView() override;

    CProgramDoc* GetDocument() const { return m_pDocument; }

    // Sets the grid up (once per view) and fills it from the image.
    void OnInitialUpdate();
    // Refills all 200 rows from the image, then brings type, band, limits and the main window
    // title up to date. Grid edits not yet stored are dropped, an open editor included.
    void ShowChannels();
    // Commits the open edit, then encodes every row into the image.
    void StoreChannels();
    // The image a save would write now, without touching the document.
    MemoryImage StoredImage() const;
    // Whether the document holds changes (an open edit included) that were not saved since it
    // was opened, saved or read from the radio.
    bool HasUnsavedChanges();
    // While a transfer runs the grid cannot be edited: no editor opens and an open one is
    // committed and closed. Moving around and selecting still work.
    void SetLocked(bool locked);
    bool IsLocked() const { return m_bLocked; }
    // The leave-cell commit of the open editor, if one is shown. False when a check refused
    // the text (the user has been told); true otherwise, also when no editor was open.
    bool CommitOpenEdit();
    // The texts of columns 1 to 8 of rows 1 to 200 (printing, CSV).
    ChannelGridTexts GridTexts() const;
    // Limits the editing checks use; the Product Information dialog sets them on OK.
    void SetBandLimits(const BandLimits& limits);
    BandLimits Band() const { return {m_nBandLow, m_nBandHigh, m_bBandUsable}; }

    // Band limits of the editing checks, in units of 10 Hz, both included.
    std::int32_t m_nBandLow = 0;
    std::int32_t m_nBandHigh = 0;

    // Read, Write and Com Setup of this window, with its port name.
    TransferCommands* Transfer() const { return m_pTransfer; }

    QTableWidget* Grid() const { return m_grid; }
    // The editor of grid column 1..8 (for tests); nullptr for any other column.
    QWidget* Editor(int column) const;
    // Grid coordinates (1..200, 1..8) of the current cell.
    int CurrentRow() const;
    int CurrentColumn() const;
    // Makes a cell current as a click or a key would (the open edit is committed on leaving).
    void SetCurrentCell(int row, int column);

    // Undo and redo of grid edits: every committed cell, import and paste is one step. A refill
    // from the image (a read, an open) starts with an empty history.
    QUndoStack* UndoStack() const { return m_undo; }
    // Puts a whole grid in as one step named stepName (an import, a paste); the open edit is
    // committed first, as a step of its own. Returns the number of rows that changed.
    int ReplaceGridTexts(const ChannelGridTexts& grid, const QString& stepName);
    // Both commit an open edit first, and do nothing more when its check refused the text: the
    // user is correcting that cell.
    void Undo();
    void Redo();

    // Rows picked by their labels (a click, Shift+click or a drag over the labels), shown
    // highlighted. Grid rows 1..200.
    void SelectRows(int first, int last);
    void ClearRowSelection();
    bool HasRowSelection() const { return m_nSelectFirst != 0; }
    // The channels (0..199, first <= last) that Copy takes and where Paste starts: the picked
    // rows, else the current cell's row.
    std::pair<int, int> ChosenChannels() const;

signals:
    // The main window title to set after a product refresh.
    void titleChanged(const QString& title);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TransferCommands* m_pTransfer = nullptr;

    void SetUpGrid();
    void CreateEditors();
    void SetColumnWidths();
    void PaintCorner(QWidget* corner);
    void FillRows(const ChannelGridTexts& rows);

    ChannelTexts RowTexts(int row) const;
    void SetRowTexts(int row, const ChannelTexts& texts);

    // Editing.
    void OpenEditor();
    void PlaceEditor();
    void HideEditors();
    // Commits the open editor into its cell; returns true when a check refused the text.
    bool Commit(CommitKey key);
    std::string EditorText() const;
    QWidget* EditorOfColumn(int column) const;
    const std::vector<std::string>* ListItemsOfColumn(int column) const;
    void OnCellLeaving(int row, int column);
    void OnCellEntered();
    void OnScroll();
    void OnEnter();
    void MoveBy(int step);
    void MoveRows(int step);
    void DropEdit();
    // Enter, Tab and Shift+Tab move on alike from an editor and from the grid.
    bool HandleMoveKey(QKeyEvent* key);
    bool HandleEditorKey(QKeyEvent* key);
    bool HandleGridKey(QKeyEvent* key);
    // A ShortcutOverride of the open editor: true hands Undo/Redo on to the window.
    bool LeaveUndoToDocument(QKeyEvent* key);
    void PushStep(const ChannelGridTexts& before, const ChannelGridTexts& after,
                  const QString& name);
    void OnRowLabelPressed(int row);
    void OnRowLabelEntered(int row);

    CProgramDoc* m_pDocument = nullptr;
    const AppContext& m_app;
    MemoryUserStore m_fallbackStore; // when the program has no per-user store
    bool m_bFirstSetUp = true;
    bool m_bBandUsable = true;
    bool m_bLocked = false;

    QTableWidget* m_grid = nullptr;
    QWidget* m_corner = nullptr; // the header cell of grid row 0, column 0
    QLineEdit* m_editRx = nullptr;
    QLineEdit* m_editTx = nullptr;
    QComboBox* m_listDecode = nullptr;
    QComboBox* m_listEncode = nullptr;
    QComboBox* m_listPower = nullptr;
    QComboBox* m_listLock = nullptr;
    QComboBox* m_listScan = nullptr;
    QLineEdit* m_editName = nullptr;
    NameValidator* m_nameValidator = nullptr;

    std::vector<std::string> m_toneList;
    std::vector<std::string> m_powerItems;
    std::vector<std::string> m_lockItems;
    std::vector<std::string> m_scanItems;

    // The cell the shown editor belongs to; column 0 while no editor is shown.
    int m_nEditRow = 0;
    int m_nEditColumn = 0;

    QUndoStack* m_undo = nullptr;
    // Picked rows (grid rows, 0 when none) and the label a Shift+click extends from.
    int m_nSelectFirst = 0;
    int m_nSelectLast = 0;
    int m_nSelectAnchor = 0;
    bool m_bShiftOnLabel = false; // the press on a row label came with Shift held
};

} // namespace velmora
