// The main window: menus, toolbar, status bar and the area that holds the document windows.
// The program keeps one document window in use at a time: New replaces the active one after a
// warning, Open closes the one shown before once the file has loaded, Close only hides.
#pragma once

#include "app/AppContext.h"
#include "app/HelpLauncher.h"
#include "frame/CommandIds.h"
#include "frame/FileChooser.h"
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
class CProgramView;
class CTreeBar;
class PtyRadio;
struct PrintSource;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(const AppContext& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QAction* Action(CommandId id) const;
    // The document window in use: the current one of the area, else the last one shown.
    CChildFrame* ActiveChildFrame() const;
    CProgramView* ActiveView() const;
    CMDIClientWnd* MdiClient() const { return m_pMdiClient; }
    QList<CChildFrame*> ChildFrames() const;

    void SetFileChooser(std::unique_ptr<FileChooser> chooser);
    // Menu 129 while a document exists, menu 128 otherwise.
    bool ShowsDocumentMenu() const { return m_bDocumentMenu; }
    void ReplaceAboutText(const QString& text);
    void RemoveLanguageCommand();

    // Commands.
    void OnFileNew();
    void OnFileOpen();
    bool OpenDocumentFile(const QString& path);
    void OnFileClose();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnFilePrintSetup();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnChannelInformation();
    void OnProductInformation();
    void OnOptionalFeatures();
    void OnControlBar();
    void OnLanguage();
    void OnAbout();
    void OnRead();
    void OnWrite();
    void OnComSetup();
    // Channel exchange and the grid's history (the active window's).
    void OnImportChannels();
    void OnExportChannels();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditUndo();
    void OnEditRedo();
    // Lists the kept backups and opens the chosen one as a document without a file of its own,
    // so that Save asks where instead of overwriting the backup.
    void OnFileOpenBackup();
    bool OpenBackupFile(const QString& path);
    // Starts the virtual radio and points COM1 at it; false when it could not be started.
    bool StartDemoRadio();

    CTreeBar* TreeBar() const { return m_pTreeBar; }
    void SetProgramLauncher(std::unique_ptr<ProgramLauncher> launcher);
    void SetHelpLauncher(std::unique_ptr<HelpLauncher> help);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* MakeAction(CommandId id, const TextPair& text, const QKeySequence& shortcut = {});
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateTreeBar();
    bool MakePrintSource(PrintSource& source) const;
    void UpdateMenus();
    void UpdateTransferCommands();
    void UpdateUndoCommands();
    void ShowStatus(const QString& text);
    void NewDocumentWindow();
    CChildFrame* AddDocumentWindow(CProgramDoc* doc);
    bool SaveTo(CProgramView* view, const QString& path);
    QString Caption() const;
    void Warn(const std::string& text);

    AppContext m_app;
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
    std::unique_ptr<PtyRadio> m_demoRadio;
};

} // namespace velmora
