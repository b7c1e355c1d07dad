#include "frame/MainFrame.h"

#include "base/QtText.h"

#include "base/StartupConfig.h"
#include "document/ProgramView.h"
#include "document/TransferCommands.h"
#include "frame/ChildFrame.h"
#include "frame/LockKeyPanes.h"
#include "frame/MdiClientWnd.h"
#include "frame/Pictures.h"
#include "frame/TreeBar.h"
#include "link/PortChoice.h"
#include "link/PtyRadio.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>

namespace velmora {

CMainFrame::CMainFrame(const AppContext& app, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_chooser(std::make_unique<DialogFileChooser>()),
      m_help(std::make_unique<HtmlHelpLauncher>(this)),
      m_launcher(std::make_unique<DetachedProcessLauncher>()),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    if (m_app.ports == nullptr) {
        m_ownPorts = std::make_unique<PortChoice>(
            m_app.store != nullptr ? m_app.store->ReadInt("com") : std::nullopt);
        m_app.ports = m_ownPorts.get();
    }
    SetFrameTitle(ToQString(txt::MainFrameTitle));
    resize(1000, 600);
    m_pMdiClient = new CMDIClientWnd(this);
    setCentralWidget(m_pMdiClient);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreateTreeBar();
    UpdateMenus();
    // F1 anywhere in the window asks for the topic of the focused control (a grid editor
    // knows its own), else the main window's.
    auto* help = new QAction(this);
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::WindowShortcut);
    connect(help, &QAction::triggered, this,
            [this] { m_help->ShowHelp(HelpIdFor(QApplication::focusWidget(), 128)); });
    addAction(help);
    connect(m_pMdiClient, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        if (auto* frame = qobject_cast<CChildFrame*>(window)) {
            m_pLastShown = frame;
        }
        UpdateCommandStates();
    });
}

CMainFrame::~CMainFrame() {
    // The document windows go with the frame; they must not call back into it on the way.
    // Windows already closed by Exit but not yet deleted are no longer in the area's list, so
    // every one of them is looked for among the children.
    m_pMdiClient->disconnect(this);
    for (CChildFrame* frame : findChildren<CChildFrame*>()) {
        frame->disconnect(this);
    }
}

QAction* CMainFrame::MakeAction(CommandId id, const TextPair& text, const QKeySequence& shortcut) {
    auto* action = new QAction(ToQString(text.In(m_app.lang)), this);
    action->setData(static_cast<int>(id));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
    }
    m_actions[id] = action;
    return action;
}

QAction* CMainFrame::Action(CommandId id) const {
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions() {
    connect(MakeAction(ID_FILE_NEW, txt::CmdNew, QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, &CMainFrame::OnFileNew);
    connect(MakeAction(ID_FILE_OPEN, txt::CmdOpen, QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, &CMainFrame::OnFileOpen);
    connect(MakeAction(ID_FILE_CLOSE, txt::CmdClose), &QAction::triggered, this,
            &CMainFrame::OnFileClose);
    connect(MakeAction(ID_FILE_OPEN_BACKUP, txt::CmdOpenBackup), &QAction::triggered, this,
            &CMainFrame::OnFileOpenBackup);
    connect(MakeAction(ID_FILE_IMPORT_CHANNELS, txt::CmdImportChannels), &QAction::triggered, this,
            [this] { OnImportChannels(false); });
    connect(MakeAction(ID_FILE_IMPORT_CHANNELS_AT, txt::CmdImportChannelsAt), &QAction::triggered,
            this, [this] { OnImportChannels(true); });
    connect(MakeAction(ID_FILE_EXPORT_CHANNELS, txt::CmdExportChannels), &QAction::triggered, this,
            &CMainFrame::OnExportChannels);
    // An editor of the grid whose text the user changed keeps these keys for that text; the
    // view hands them on here otherwise.
    connect(MakeAction(ID_EDIT_UNDO, txt::CmdUndo, QKeySequence(Qt::CTRL | Qt::Key_Z)),
            &QAction::triggered, this, &CMainFrame::OnEditUndo);
    QAction* redo = MakeAction(ID_EDIT_REDO, txt::CmdRedo);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(redo, &QAction::triggered, this, &CMainFrame::OnEditRedo);
    connect(MakeAction(ID_EDIT_COPY, txt::CmdCopy, QKeySequence(Qt::CTRL | Qt::Key_C)),
            &QAction::triggered, this, &CMainFrame::OnEditCopy);
    connect(MakeAction(ID_EDIT_PASTE, txt::CmdPaste, QKeySequence(Qt::CTRL | Qt::Key_V)),
            &QAction::triggered, this, &CMainFrame::OnEditPaste);
    CreateGridActions();
    MakeAction(ID_SETUP_TRACE, txt::CmdTraceTransfers)->setCheckable(true);
    connect(MakeAction(ID_FILE_SAVE, txt::CmdSave, QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, &CMainFrame::OnFileSave);
    connect(MakeAction(ID_FILE_SAVE_AS, txt::CmdSaveAs), &QAction::triggered, this,
            &CMainFrame::OnFileSaveAs);
    connect(MakeAction(ID_FILE_PRINT, txt::CmdPrint, QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, &CMainFrame::OnFilePrint);
    // Direct print has no menu item: the desktop's print verb reaches it (velmora --print).
    connect(MakeAction(ID_FILE_PRINT_DIRECT, txt::CmdPrint), &QAction::triggered, this,
            &CMainFrame::OnFilePrintDirect);
    connect(MakeAction(ID_FILE_PRINT_PREVIEW, txt::CmdPrintPreview), &QAction::triggered, this,
            &CMainFrame::OnFilePrintPreview);
    connect(MakeAction(ID_FILE_PRINT_SETUP, txt::CmdPrintSetup), &QAction::triggered, this,
            &CMainFrame::OnFilePrintSetup);
    connect(MakeAction(ID_APP_EXIT, txt::CmdExit), &QAction::triggered, this, &QWidget::close);
    connect(MakeAction(ID_EDIT_PRODUCT_INFORMATION, txt::CmdProductInformation),
            &QAction::triggered, this, &CMainFrame::OnProductInformation);
    connect(MakeAction(ID_EDIT_CHANNEL_INFORMATION, txt::CmdChannelInformation),
            &QAction::triggered, this, &CMainFrame::OnChannelInformation);
    connect(MakeAction(ID_EDIT_OPTIONAL_FEATURES, txt::CmdOptionalFeatures), &QAction::triggered,
            this, &CMainFrame::OnOptionalFeatures);
    connect(MakeAction(ID_PROGRAM_READ, txt::CmdRead, QKeySequence(Qt::CTRL | Qt::Key_R)),
            &QAction::triggered, this, &CMainFrame::OnRead);
    connect(MakeAction(ID_PROGRAM_WRITE, txt::CmdWrite, QKeySequence(Qt::CTRL | Qt::Key_W)),
            &QAction::triggered, this, &CMainFrame::OnWrite);
    connect(MakeAction(ID_SETUP_COM, txt::CmdComSetup), &QAction::triggered, this,
            &CMainFrame::OnComSetup);
    connect(MakeAction(ID_SETUP_DEMO, txt::CmdDemo), &QAction::triggered, this,
            [this] { StartDemoRadio(); });
    connect(MakeAction(ID_SETUP_LANGUAGE, txt::CmdLanguage), &QAction::triggered, this,
            &CMainFrame::OnLanguage);
    QAction* controlBar = MakeAction(ID_VIEW_CONTROL_BAR, txt::CmdControlBar);
    controlBar->setCheckable(true);
    connect(controlBar, &QAction::triggered, this, &CMainFrame::OnControlBar);
    connect(MakeAction(ID_APP_ABOUT, txt::CmdAbout), &QAction::triggered, this,
            &CMainFrame::OnAbout);
}

void CMainFrame::CreateMenus() {
    const Language lang = m_app.lang;
    auto menu = [this, lang](const TextPair& title, std::initializer_list<int> ids) {
        auto* m = new QMenu(ToQString(title.In(lang)), this);
        for (int id : ids) {
            if (id == 0) {
                m->addSeparator();
            } else {
                m->addAction(Action(static_cast<CommandId>(id)));
            }
        }
        return m;
    };
    // Toolbar and status bar toggles are made by Qt and carry their command ids.
    QMenu* view128 = menu(txt::MenuView, {});
    QMenu* view129 = menu(txt::MenuView, {});
    m_frameMenus = {
        menu(txt::MenuFile, {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_OPEN_BACKUP, 0, ID_FILE_PRINT_SETUP,
                             0, ID_APP_EXIT}),
        view128,
        menu(txt::MenuHelp, {ID_APP_ABOUT}),
    };
    m_pSetupMenu =
        menu(txt::MenuSetup, {ID_SETUP_COM, ID_SETUP_LANGUAGE, 0, ID_SETUP_DEMO, ID_SETUP_TRACE});
    m_documentMenus = {
        menu(txt::MenuFile,
             {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_OPEN_BACKUP, ID_FILE_CLOSE, ID_FILE_SAVE,
              ID_FILE_SAVE_AS, 0, ID_FILE_IMPORT_CHANNELS, ID_FILE_IMPORT_CHANNELS_AT,
              ID_FILE_EXPORT_CHANNELS, 0, ID_FILE_COMPARE, ID_FILE_END_COMPARISON, 0, ID_FILE_PRINT,
              ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, 0, ID_APP_EXIT}),
        menu(txt::MenuEdit, {ID_EDIT_UNDO,
                             ID_EDIT_REDO,
                             0,
                             ID_EDIT_CUT,
                             ID_EDIT_COPY,
                             ID_EDIT_PASTE,
                             ID_EDIT_CLEAR,
                             0,
                             ID_EDIT_INSERT_ROW,
                             ID_EDIT_DELETE_ROW,
                             ID_EDIT_MOVE_UP,
                             ID_EDIT_MOVE_DOWN,
                             ID_EDIT_SORT_FREQUENCY,
                             ID_EDIT_SORT_NAME,
                             ID_EDIT_FILL_DOWN,
                             0,
                             ID_EDIT_FIND,
                             ID_EDIT_REPEAT,
                             ID_EDIT_NEXT_DIFFERENCE,
                             ID_EDIT_PREVIOUS_DIFFERENCE,
                             0,
                             ID_EDIT_PRODUCT_INFORMATION,
                             ID_EDIT_CHANNEL_INFORMATION,
                             ID_EDIT_OPTIONAL_FEATURES}),
        view129,
        menu(txt::MenuProgram, {ID_PROGRAM_READ, ID_PROGRAM_WRITE}),
        m_pSetupMenu,
        menu(txt::MenuHelp, {ID_APP_ABOUT}),
    };
    // Direct print belongs to no menu but still answers as a window command.
    addAction(Action(ID_FILE_PRINT_DIRECT));
    m_pToolBar = new QToolBar(this);
    m_pToolBar->setObjectName(QStringLiteral("toolbar"));
    auto* toolbarToggle = m_pToolBar->toggleViewAction();
    toolbarToggle->setText(ToQString(txt::CmdToolbar.In(lang)));
    toolbarToggle->setData(static_cast<int>(ID_VIEW_TOOLBAR));
    m_actions[ID_VIEW_TOOLBAR] = toolbarToggle;
    auto* statusToggle = new QAction(ToQString(txt::CmdStatusBar.In(lang)), this);
    statusToggle->setCheckable(true);
    statusToggle->setChecked(true);
    statusToggle->setData(static_cast<int>(ID_VIEW_STATUS_BAR));
    connect(statusToggle, &QAction::toggled, this,
            [this](bool on) { statusBar()->setVisible(on); });
    m_actions[ID_VIEW_STATUS_BAR] = statusToggle;
    for (QMenu* view : {view128, view129}) {
        view->addAction(toolbarToggle);
        view->addAction(statusToggle);
    }
    view129->addAction(Action(ID_VIEW_CONTROL_BAR));
}

void CMainFrame::CreateToolBar() {
    const Language lang = m_app.lang;
    m_pToolBar->setIconSize(QSize(18, 19));
    m_pToolBar->setMovable(true);
    const struct {
        CommandId id;
        const TextPair* tip;
    } buttons[] = {
        {ID_FILE_NEW, &txt::TipNew},      {ID_FILE_OPEN, &txt::TipOpen},
        {ID_FILE_SAVE, &txt::TipSave},    {CommandId(0), nullptr},
        {ID_PROGRAM_READ, &txt::TipRead}, {ID_PROGRAM_WRITE, &txt::TipWrite},
        {CommandId(0), nullptr},          {ID_FILE_PRINT, &txt::TipPrint},
        {CommandId(0), nullptr},          {ID_APP_ABOUT, &txt::TipAbout},
    };
    for (const auto& button : buttons) {
        if (button.tip == nullptr) {
            m_pToolBar->addSeparator();
            continue;
        }
        QAction* action = Action(button.id);
        action->setIcon(ToolbarIcon(button.id));
        action->setToolTip(ToQString(button.tip->In(lang)));
        m_pToolBar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
}

void CMainFrame::CreateStatusBar() {
    // "Ready" is the pane's resting text: a menu prompt or a transfer's report covers it for a
    // while, and it shows again as soon as they are cleared.
    auto* ready = new QLabel(ToQString(txt::StatusReady.In(m_app.lang)), this);
    statusBar()->addWidget(ready, 1);
    m_pLockKeys = new LockKeyPanes(statusBar());
}

void CMainFrame::CreateTreeBar() {
    m_pTreeBar = new CTreeBar(QString::fromStdString(LanguageText("company")), m_app.lang, this);
    addDockWidget(Qt::LeftDockWidgetArea, m_pTreeBar);
    connect(m_pTreeBar, &CTreeBar::navigate, this, [this](NavigationTarget target) {
        switch (target) {
        case NavigationTarget::ChannelInformation:
            OnChannelInformation();
            break;
        case NavigationTarget::OptionalFeatures:
            OnOptionalFeatures();
            break;
        case NavigationTarget::ProductInformation:
            OnProductInformation();
            break;
        default:
            break;
        }
    });
    // The check mark follows the bar, also when its own close button hides it.
    QAction* controlBar = Action(ID_VIEW_CONTROL_BAR);
    controlBar->setChecked(true);
    connect(m_pTreeBar, &CTreeBar::shownChanged, controlBar, &QAction::setChecked);
}

void CMainFrame::SetFrameTitle(const QString& title) {
    setWindowTitle(title);
}

bool CMainFrame::TransferRunning() const {
    for (CChildFrame* frame : ChildFrames()) {
        if (frame->Transfer() != nullptr && frame->Transfer()->IsRunning()) {
            return true;
        }
    }
    return false;
}

bool CMainFrame::DocumentFree() {
    if (!TransferRunning()) {
        return true;
    }
    ShowStatus(ToQString(txt::StatusTransferBusy.In(m_app.lang)));
    return false;
}

void CMainFrame::UpdateMenus() {
    const bool documents = !ChildFrames().isEmpty();
    if (documents != m_bDocumentMenu || menuBar()->actions().isEmpty()) {
        m_bDocumentMenu = documents;
        menuBar()->clear();
        for (QMenu* m : documents ? m_documentMenus : m_frameMenus) {
            menuBar()->addMenu(m);
        }
    }
    UpdateCommandStates();
}

void CMainFrame::UpdateCommandStates() {
    const bool documents = !ChildFrames().isEmpty();
    const bool running = TransferRunning();
    // Reading the document (saving, printing, exporting, copying, finding, comparing) is fine
    // during a transfer: the transfer works on copies. Changing it is not: a read would land
    // behind the change, or the change behind the read.
    for (CommandId id : {ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_PRINT, ID_FILE_PRINT_DIRECT,
                         ID_FILE_PRINT_PREVIEW, ID_FILE_EXPORT_CHANNELS, ID_FILE_COMPARE,
                         ID_EDIT_COPY, ID_EDIT_FIND, ID_EDIT_REPEAT, ID_SETUP_COM}) {
        Action(id)->setEnabled(documents);
    }
    for (CommandId id :
         {ID_FILE_CLOSE, ID_FILE_IMPORT_CHANNELS, ID_FILE_IMPORT_CHANNELS_AT, ID_EDIT_CUT,
          ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_INSERT_ROW, ID_EDIT_DELETE_ROW, ID_EDIT_MOVE_UP,
          ID_EDIT_MOVE_DOWN, ID_EDIT_SORT_FREQUENCY, ID_EDIT_SORT_NAME, ID_EDIT_FILL_DOWN,
          ID_EDIT_PRODUCT_INFORMATION, ID_EDIT_OPTIONAL_FEATURES, ID_PROGRAM_READ,
          ID_PROGRAM_WRITE}) {
        Action(id)->setEnabled(documents && !running);
    }
    for (CommandId id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_OPEN_BACKUP, ID_SETUP_LANGUAGE}) {
        Action(id)->setEnabled(!running);
    }
    const CProgramView* view = ActiveView();
    const bool comparing = view != nullptr && view->IsComparing();
    for (CommandId id :
         {ID_FILE_END_COMPARISON, ID_EDIT_NEXT_DIFFERENCE, ID_EDIT_PREVIOUS_DIFFERENCE}) {
        Action(id)->setEnabled(comparing);
    }
    Action(ID_EDIT_UNDO)->setEnabled(view != nullptr && !running && view->Channels().CanUndo());
    Action(ID_EDIT_REDO)->setEnabled(view != nullptr && !running && view->Channels().CanRedo());
    UpdateUndoTexts(view);
    for (CChildFrame* frame : ChildFrames()) {
        if (CProgramView* each = frame->View()) {
            each->SetLocked(running);
        }
    }
}

void CMainFrame::ShowStatus(const QString& text) {
    if (!text.isEmpty()) {
        statusBar()->showMessage(text);
    }
}

void CMainFrame::ReplaceAboutText(const QString& text) {
    Action(ID_APP_ABOUT)->setText(text);
}

void CMainFrame::RemoveLanguageCommand() {
    m_pSetupMenu->removeAction(Action(ID_SETUP_LANGUAGE));
}

void CMainFrame::SetFileChooser(std::unique_ptr<FileChooser> chooser) {
    m_chooser = std::move(chooser);
}

void CMainFrame::SetProgramLauncher(std::unique_ptr<ProgramLauncher> launcher) {
    m_launcher = std::move(launcher);
}

void CMainFrame::SetHelpLauncher(std::unique_ptr<HelpLauncher> help) {
    m_help = std::move(help);
}

void CMainFrame::Warn(const std::string& text) {
    m_app.prompter->Warn(m_app.company, text);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Every document with unsaved changes is asked about; Cancel keeps the program running.
    for (CChildFrame* frame : ChildFrames()) {
        if (!MaySetDocumentAside(frame)) {
            event->ignore();
            return;
        }
    }
    for (CChildFrame* frame : ChildFrames()) {
        frame->Destroy();
    }
    QMainWindow::closeEvent(event);
}

} // namespace velmora
