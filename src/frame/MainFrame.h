// The main window: menus, toolbar, status bar and the area that holds the document windows.
// The program keeps one document in use at a time: New replaces it after a warning, Open
// replaces it once the new file has loaded, Close only hides its window. A document with
// changes that were not saved is never dropped without asking.
//
// The commands are spread over three files: the window itself (MainFrame.cpp), the commands
// on the document as a whole (DocumentCommands.cpp) and the rest (FrameCommands.cpp).
#pragma once

#include "base/HelpLauncher.h"
#include "document/ProgramView.h"
#include "frame/CommandIds.h"
#include "frame/FileChooser.h"
#include "settings/AppContext.h"
#include "settings/LanguageDlg.h"

#include <QMainWindow>

#include <map>
#include <memory>

class QLabel;
class QMenu;
class QPrinter;
class QToolBar;

namespace velmora {

class CChildFrame;
class CMDIClientWnd;
class CProgramDoc;
class CTreeBar;
class LockKeyPanes;
class PortChoice;
class PtyRadio;
struct PrintSource;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(const AppContext& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QAction* Action(CommandId id) const;
    // The document window in use: the current one of the area, else the last one shown, also
    // when File > Close has hidden it. Null when there is no document.
    CChildFrame* ActiveChildFrame() const;
    CProgramView* ActiveView() const;
    CMDIClientWnd* MdiClient() const { return m_pMdiClient; }
    QList<CChildFrame*> ChildFrames() const;

    void SetFileChooser(std::unique_ptr<FileChooser> chooser);
    // Menu 129 while a document exists, menu 128 otherwise.
    bool ShowsDocumentMenu() const { return m_bDocumentMenu; }
    void ReplaceAboutText(const QString& text);
    void RemoveLanguageCommand();
    // The main window's title, as the product refresh sets it (the document window keeps its
    // own title to itself, maximised or not).
    void SetFrameTitle(const QString& title);
    // A transfer with the radio is running: every command that changes the document waits.
    bool TransferRunning() const;

    // Commands on the document as a whole.
    void OnFileNew();
    void OnFileOpen();
    bool OpenDocumentFile(const QString& path);
    void OnFileClose();
    bool OnFileSave();
    bool OnFileSaveAs();
    // Lists the kept backups and opens the chosen one as a document without a file of its own,
    // so that Save asks where instead of overwriting the backup.
    void OnFileOpenBackup();
    bool OpenBackupFile(const QString& path);
    // The Save / Discard / Cancel question for a document with unsaved changes. True when the
    // caller may go on (saved, discarded, or nothing to save); false when the user cancelled
    // or the save failed.
    bool MaySetDocumentAside(CChildFrame* frame);

    // The other commands.
    void OnFilePrintSetup();
    void OnFilePrint();
    void OnFilePrintPreview();
    // Prints the document in use on the default printer, without a dialog (the shell's print
    // verb, `velmora --print FILE.dat`). False when there is no printer or it failed; the user
    // has been told.
    bool OnFilePrintDirect();
    void SetPrinter(std::unique_ptr<QPrinter> printer);
    void OnChannelInformation();
    void OnProductInformation();
    void OnOptionalFeatures();
    void OnControlBar();
    void OnLanguage();
    void OnAbout();
    void OnRead();
    void OnWrite();
    void OnComSetup();
    // Channel exchange, the grid's operations and its history (the active window's).
    // A channel list from a file: at its own channel numbers, or one after another from the
    // selected channel.
    void OnImportChannels(bool atSelectedChannel = false);
    void OnExportChannels();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditUndo();
    void OnEditRedo();
    void OnEditFind();
    void OnEditFindNext();
    // Compares the document with a *.dat file or a backup: the cells that differ are marked,
    // the options and bytes that differ are listed.
    void OnFileCompare();
    void GoToDifference(bool forward);
    // Starts the virtual radio and points COM1 at it; false when it could not be started.
    bool StartDemoRadio();

    CTreeBar* TreeBar() const { return m_pTreeBar; }
    LockKeyPanes* LockKeys() const { return m_pLockKeys; }
    void SetProgramLauncher(std::unique_ptr<ProgramLauncher> launcher);
    void SetHelpLauncher(std::unique_ptr<HelpLauncher> help);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* MakeAction(CommandId id, const TextPair& text, const QKeySequence& shortcut = {});
    void CreateActions();
    void CreateGridActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateTreeBar();
    bool MakePrintSource(PrintSource& source) const;
    // Enables the commands for what exists now: documents, a running transfer, undo steps.
    void UpdateMenus();
    void UpdateCommandStates();
    void ShowStatus(const QString& text);
    // A row operation on the document in use, refused while a transfer runs.
    void RunOperation(const CProgramView::Operation& operation);
    // The grid's context menu: the Edit menu's grid commands.
    void ShowGridMenu(const QPoint& globalPos);
    void UpdateUndoTexts(const CProgramView* view);
    // A command that changes the document is refused while a transfer runs; the status bar
    // says why. True when the command may go on.
    bool DocumentFree();
    // The view of the document in use with its window shown again (a command whose result
    // the user must see).
    CProgramView* ShownView();
    void NewDocumentWindow();
    CChildFrame* AddDocumentWindow(CProgramDoc* doc);
    // Destroys every document window but `keep`.
    void ReleaseDocumentsBut(CChildFrame* keep);
    bool SaveTo(CProgramView* view, const QString& path);
    void Warn(const std::string& text);

    AppContext m_app;
    std::unique_ptr<PortChoice> m_ownPorts; // when the application brought none
    CMDIClientWnd* m_pMdiClient = nullptr;
    QToolBar* m_pToolBar = nullptr;
    std::map<int, QAction*> m_actions;
    QList<QMenu*> m_frameMenus;    // menu 128
    QList<QMenu*> m_documentMenus; // menu 129
    QMenu* m_pSetupMenu = nullptr;
    bool m_bDocumentMenu = false;
    CChildFrame* m_pLastShown = nullptr;
    std::unique_ptr<FileChooser> m_chooser;
    std::unique_ptr<HelpLauncher> m_help;
    std::unique_ptr<ProgramLauncher> m_launcher;
    std::unique_ptr<QPrinter> m_printer; // one for the run: set-up choices carry over
    CTreeBar* m_pTreeBar = nullptr;
    LockKeyPanes* m_pLockKeys = nullptr;
    QString m_strFind; // what Find Next looks for
    std::unique_ptr<PtyRadio> m_demoRadio;
};

} // namespace velmora
