#include "frame/MainFrame.h"

#include "app/AboutDlg.h"
#include "app/StartupConfig.h"
#include "channels/ProgramView.h"
#include "frame/BackupListDlg.h"
#include "frame/ChildFrame.h"
#include "frame/ExchangeCommands.h"
#include "frame/MdiClientWnd.h"
#include "frame/Pictures.h"
#include "frame/TreeBar.h"
#include "image/BackupFolder.h"
#include "image/BackupStore.h"
#include "image/DataFile.h"
#include "image/ProgramDoc.h"
#include "link/PtyRadio.h"
#include "link/TransferCommands.h"
#include "print/PrintJob.h"
#include "settings/OptionalFeaturesDlg.h"
#include "settings/ProductInfoDlg.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>
#include <QUndoStack>

namespace velmora {

namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CMainFrame::CMainFrame(const AppContext& app, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_chooser(std::make_unique<DialogFileChooser>()),
      m_help(std::make_unique<HtmlHelpLauncher>(this)),
      m_launcher(std::make_unique<DetachedProcessLauncher>()),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setWindowTitle(Q(txt::MainFrameTitle));
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
        UpdateUndoCommands();
    });
}

CMainFrame::~CMainFrame() {
    // The document windows go with the frame; they must not call back into it on the way.
    m_pMdiClient->disconnect(this);
    for (CChildFrame* frame : ChildFrames()) {
        frame->disconnect(this);
    }
}

QAction* CMainFrame::MakeAction(CommandId id, const TextPair& text, const QKeySequence& shortcut) {
    auto* action = new QAction(Q(text.In(m_app.lang)), this);
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
            &CMainFrame::OnImportChannels);
    connect(MakeAction(ID_FILE_EXPORT_CHANNELS, txt::CmdExportChannels), &QAction::triggered, this,
            &CMainFrame::OnExportChannels);
    // A line editor of the grid keeps these keys for its own text: they reach the window only
    // from the grid itself and its lists.
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
    MakeAction(ID_SETUP_TRACE, txt::CmdTraceTransfers)->setCheckable(true);
    connect(MakeAction(ID_FILE_SAVE, txt::CmdSave, QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, &CMainFrame::OnFileSave);
    connect(MakeAction(ID_FILE_SAVE_AS, txt::CmdSaveAs), &QAction::triggered, this,
            &CMainFrame::OnFileSaveAs);
    connect(MakeAction(ID_FILE_PRINT, txt::CmdPrint, QKeySequence(Qt::CTRL | Qt::Key_P)),
            &QAction::triggered, this, &CMainFrame::OnFilePrint);
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
        auto* m = new QMenu(Q(title.In(lang)), this);
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
              ID_FILE_SAVE_AS, 0, ID_FILE_IMPORT_CHANNELS, ID_FILE_EXPORT_CHANNELS, 0,
              ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PRINT_SETUP, 0, ID_APP_EXIT}),
        menu(txt::MenuEdit,
             {ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_EDIT_COPY, ID_EDIT_PASTE, 0,
              ID_EDIT_PRODUCT_INFORMATION, ID_EDIT_CHANNEL_INFORMATION, ID_EDIT_OPTIONAL_FEATURES}),
        view129,
        menu(txt::MenuProgram, {ID_PROGRAM_READ, ID_PROGRAM_WRITE}),
        m_pSetupMenu,
        menu(txt::MenuHelp, {ID_APP_ABOUT}),
    };
    m_pToolBar = new QToolBar(this);
    m_pToolBar->setObjectName(QStringLiteral("toolbar"));
    auto* toolbarToggle = m_pToolBar->toggleViewAction();
    toolbarToggle->setText(Q(txt::CmdToolbar.In(lang)));
    toolbarToggle->setData(static_cast<int>(ID_VIEW_TOOLBAR));
    m_actions[ID_VIEW_TOOLBAR] = toolbarToggle;
    auto* statusToggle = new QAction(Q(txt::CmdStatusBar.In(lang)), this);
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
        action->setToolTip(Q(button.tip->In(lang)));
        m_pToolBar->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, m_pToolBar);
}

void CMainFrame::CreateStatusBar() {
    statusBar()->showMessage(Q(txt::StatusReady.In(m_app.lang)));
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(QString::fromLatin1(indicator), this);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
        statusBar()->addPermanentWidget(pane);
    }
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

void CMainFrame::OnControlBar() {
    m_pTreeBar->setVisible(m_pTreeBar->isHidden());
    Action(ID_VIEW_CONTROL_BAR)->setChecked(!m_pTreeBar->isHidden());
}

void CMainFrame::OnOptionalFeatures() {
    if (CProgramView* view = ActiveView()) {
        COptionalFeaturesDlg dialog(view->GetDocument()->m_image, m_app.lang, m_help.get(), this);
        dialog.exec();
    }
}

void CMainFrame::OnProductInformation() {
    CProgramView* view = ActiveView();
    if (!view) {
        return;
    }
    if (const auto state = RunProductInfoDialog(view->GetDocument()->m_image, m_app.catalog,
                                                *m_app.store, m_app.lang, this, m_help.get())) {
        setWindowTitle(QString::fromStdString(state->title));
        view->SetBandLimits(state->limits);
    }
}

void CMainFrame::OnLanguage() {
    RunLanguageCommand(this, this, *m_launcher, m_app.prompter, m_app.company, m_help.get());
}

void CMainFrame::OnAbout() {
    CAboutDlg dialog(AboutTexts::FromConfig(), this);
    dialog.ShowBackupLine(Q(txt::AboutBackupFolder.In(m_app.lang))
                              .arg(QString::fromStdString(DefaultBackupFolder())));
    dialog.exec();
}

bool CMainFrame::MakePrintSource(PrintSource& source) const {
    CProgramView* view = ActiveView();
    if (!view) {
        return false;
    }
    // The pages show the grid as it stands, an open edit included.
    view->CommitOpenEdit();
    source = PrintSource{view->GridTexts(), view->GetDocument()->m_image,
                         LanguageText("Copyrights Owner"), m_app.lang};
    return true;
}

void CMainFrame::UpdateTransferCommands() {
    // One transfer at a time: Read and Write wait until the running one has ended.
    bool running = false;
    for (CChildFrame* frame : ChildFrames()) {
        if (frame->View() && frame->View()->Transfer()->IsRunning()) {
            running = true;
        }
    }
    const bool documents = !ChildFrames().isEmpty();
    Action(ID_PROGRAM_READ)->setEnabled(documents && !running);
    Action(ID_PROGRAM_WRITE)->setEnabled(documents && !running);
}

void CMainFrame::OnRead() {
    if (CProgramView* view = ActiveView()) {
        view->Transfer()->SetTracing(Action(ID_SETUP_TRACE)->isChecked());
        view->Transfer()->OnRead();
    }
}

void CMainFrame::OnWrite() {
    if (CProgramView* view = ActiveView()) {
        view->Transfer()->SetTracing(Action(ID_SETUP_TRACE)->isChecked());
        view->Transfer()->OnWrite();
    }
}

void CMainFrame::ShowStatus(const QString& text) {
    if (!text.isEmpty()) {
        statusBar()->showMessage(text);
    }
}

void CMainFrame::OnImportChannels() {
    if (CProgramView* view = ActiveView()) {
        ShowStatus(ImportChannels(*view, m_app, *m_chooser, this));
    }
}

void CMainFrame::OnExportChannels() {
    if (CProgramView* view = ActiveView()) {
        ShowStatus(ExportChannels(*view, m_app, *m_chooser, this));
    }
}

void CMainFrame::OnEditCopy() {
    if (CProgramView* view = ActiveView()) {
        ShowStatus(CopyChannels(*view, m_app));
    }
}

void CMainFrame::OnEditPaste() {
    if (CProgramView* view = ActiveView()) {
        ShowStatus(PasteChannels(*view, m_app));
    }
}

void CMainFrame::OnEditUndo() {
    if (CProgramView* view = ActiveView()) {
        view->Undo();
    }
}

void CMainFrame::OnEditRedo() {
    if (CProgramView* view = ActiveView()) {
        view->Redo();
    }
}

void CMainFrame::UpdateUndoCommands() {
    const CProgramView* view = ActiveView();
    Action(ID_EDIT_UNDO)->setEnabled(view != nullptr && view->UndoStack()->canUndo());
    Action(ID_EDIT_REDO)->setEnabled(view != nullptr && view->UndoStack()->canRedo());
}

void CMainFrame::OnFileOpenBackup() {
    const std::string folder = DefaultBackupFolder();
    std::vector<BackupEntry> entries = BackupStore(folder).List(m_app.catalog);
    if (entries.empty()) {
        Warn(Q(txt::MsgNoBackups.In(m_app.lang)).arg(QString::fromStdString(folder)).toStdString());
        return;
    }
    CBackupListDlg dialog(std::move(entries), m_app.lang, this);
    if (dialog.exec() == QDialog::Accepted && !dialog.ChosenPath().isEmpty()) {
        OpenBackupFile(dialog.ChosenPath());
    }
}

bool CMainFrame::OpenBackupFile(const QString& path) {
    MemoryImage image{};
    const FileResult result = LoadDataFile(path.toStdString(), image);
    if (!result) {
        Warn(DescribeLoadFailure(path.toStdString(), result, m_app.lang));
        return false;
    }
    auto doc = std::make_unique<CProgramDoc>();
    doc->OnNewDocument(Q(m_app.appName), QFileInfo(path).fileName());
    doc->m_image = image;
    doc->m_bNewDocument = false; // type and band come from the image, as after a read
    CChildFrame* previous = ActiveChildFrame();
    AddDocumentWindow(doc.release());
    if (previous) {
        previous->Destroy();
    }
    return true;
}

void CMainFrame::OnComSetup() {
    if (CProgramView* view = ActiveView()) {
        view->Transfer()->OnComSetup(m_help.get());
    }
}

bool CMainFrame::StartDemoRadio() {
    if (!m_demoRadio) {
        std::string device;
        m_demoRadio = velmora::StartDemoRadio(device);
        if (!m_demoRadio) {
            Warn(std::string(txt::MsgDemoFailed.In(m_app.lang)));
            return false;
        }
        m_app.demoPort = device;
    }
    // Windows opened from now on start on it; so does the one in use.
    if (CProgramView* view = ActiveView()) {
        view->Transfer()->SetPortName(m_app.demoPort);
    }
    Action(ID_SETUP_DEMO)->setEnabled(false);
    return true;
}

void CMainFrame::OnFilePrint() {
    PrintSource source;
    if (MakePrintSource(source)) {
        PrintWithDialog(this, *m_printer, source);
    }
}

void CMainFrame::OnFilePrintPreview() {
    PrintSource source;
    if (MakePrintSource(source)) {
        PrintPreview(this, *m_printer, source);
    }
}

void CMainFrame::SetProgramLauncher(std::unique_ptr<ProgramLauncher> launcher) {
    m_launcher = std::move(launcher);
}

void CMainFrame::SetHelpLauncher(std::unique_ptr<HelpLauncher> help) {
    m_help = std::move(help);
}

void CMainFrame::UpdateMenus() {
    UpdateUndoCommands();
    const bool documents = !ChildFrames().isEmpty();
    if (documents == m_bDocumentMenu && !menuBar()->actions().isEmpty()) {
        return;
    }
    m_bDocumentMenu = documents;
    menuBar()->clear();
    for (QMenu* m : documents ? m_documentMenus : m_frameMenus) {
        menuBar()->addMenu(m);
    }
    for (CommandId id :
         {ID_FILE_CLOSE, ID_FILE_SAVE, ID_FILE_SAVE_AS, ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW,
          ID_FILE_IMPORT_CHANNELS, ID_FILE_EXPORT_CHANNELS, ID_EDIT_COPY, ID_EDIT_PASTE,
          ID_EDIT_PRODUCT_INFORMATION, ID_EDIT_OPTIONAL_FEATURES, ID_SETUP_COM}) {
        Action(id)->setEnabled(documents);
    }
    UpdateTransferCommands();
}

void CMainFrame::ReplaceAboutText(const QString& text) {
    Action(ID_APP_ABOUT)->setText(text);
}

void CMainFrame::RemoveLanguageCommand() {
    m_pSetupMenu->removeAction(Action(ID_SETUP_LANGUAGE));
}

QList<CChildFrame*> CMainFrame::ChildFrames() const {
    QList<CChildFrame*> frames;
    for (QMdiSubWindow* window : m_pMdiClient->subWindowList()) {
        if (auto* frame = qobject_cast<CChildFrame*>(window)) {
            frames.append(frame);
        }
    }
    return frames;
}

CChildFrame* CMainFrame::ActiveChildFrame() const {
    if (auto* current = qobject_cast<CChildFrame*>(m_pMdiClient->currentSubWindow());
        current && current->isVisible()) {
        return current;
    }
    if (m_pLastShown && m_pLastShown->isVisible() && ChildFrames().contains(m_pLastShown)) {
        return m_pLastShown;
    }
    return nullptr;
}

CProgramView* CMainFrame::ActiveView() const {
    CChildFrame* frame = ActiveChildFrame();
    return frame ? frame->View() : nullptr;
}

void CMainFrame::SetFileChooser(std::unique_ptr<FileChooser> chooser) {
    m_chooser = std::move(chooser);
}

QString CMainFrame::Caption() const {
    return Q(m_app.company);
}

void CMainFrame::Warn(const std::string& text) {
    m_app.prompter->Warn(m_app.company, text);
}

CChildFrame* CMainFrame::AddDocumentWindow(CProgramDoc* doc) {
    auto* frame = new CChildFrame;
    auto* view = new CProgramView(doc, m_app, frame);
    doc->setParent(view);
    frame->setWidget(view);
    frame->setWindowTitle(doc->Title());
    frame->setWindowIcon(WindowIcon());
    connect(view, &CProgramView::titleChanged, this, &QWidget::setWindowTitle);
    connect(view->Transfer(), &TransferCommands::runningChanged, this,
            &CMainFrame::UpdateTransferCommands);
    connect(view->Transfer(), &TransferCommands::statusMessage, this, &CMainFrame::ShowStatus);
    connect(view->UndoStack(), &QUndoStack::indexChanged, this, &CMainFrame::UpdateUndoCommands);
    connect(view->UndoStack(), &QUndoStack::canUndoChanged, this, &CMainFrame::UpdateUndoCommands);
    connect(view->UndoStack(), &QUndoStack::canRedoChanged, this, &CMainFrame::UpdateUndoCommands);
    connect(frame, &QObject::destroyed, this, [this, frame] {
        if (m_pLastShown == frame) {
            m_pLastShown = nullptr;
        }
        UpdateMenus();
    });
    m_pMdiClient->addSubWindow(frame);
    frame->resize(1600, 1200);
    frame->move(0, 0);
    view->OnInitialUpdate();
    frame->show();
    m_pMdiClient->setActiveSubWindow(frame);
    m_pLastShown = frame;
    UpdateMenus();
    return frame;
}

void CMainFrame::NewDocumentWindow() {
    auto* doc = new CProgramDoc;
    doc->OnNewDocument(Q(m_app.appName), Q(txt::ChannelInformation.In(m_app.lang)));
    AddDocumentWindow(doc);
}

void CMainFrame::OnFileNew() {
    if (CChildFrame* active = ActiveChildFrame()) {
        if (!m_app.prompter->AskOkCancel(m_app.company,
                                         std::string(txt::MsgAllDataCleared.In(m_app.lang)))) {
            return;
        }
        active->Destroy();
    }
    NewDocumentWindow();
}

void CMainFrame::OnFileOpen() {
    const QString path = m_chooser->OpenPath(this, Q(txt::DataFileFilter.In(m_app.lang)));
    if (!path.isEmpty()) {
        OpenDocumentFile(path);
    }
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
    auto doc = std::make_unique<CProgramDoc>();
    const FileResult result = doc->OnOpenDocument(path);
    if (!result) {
        Warn(DescribeLoadFailure(path.toStdString(), result, m_app.lang));
        return false;
    }
    // Only once the file has loaded does the window shown before go.
    CChildFrame* previous = ActiveChildFrame();
    AddDocumentWindow(doc.release());
    if (previous) {
        previous->Destroy();
    }
    return true;
}

void CMainFrame::OnFileClose() {
    if (CChildFrame* active = ActiveChildFrame()) {
        active->hide();
    }
}

bool CMainFrame::SaveTo(CProgramView* view, const QString& path) {
    CProgramDoc* doc = view->GetDocument();
    const FileResult result = doc->OnSaveDocument(path);
    if (!result) {
        Warn(DescribeSaveFailure(path.toStdString(), result, m_app.lang));
        return false;
    }
    if (auto* frame = qobject_cast<CChildFrame*>(view->parentWidget())) {
        frame->setWindowTitle(QFileInfo(path).fileName());
    }
    return true;
}

bool CMainFrame::OnFileSave() {
    CProgramView* view = ActiveView();
    if (!view) {
        return false;
    }
    view->StoreChannels();
    CProgramDoc* doc = view->GetDocument();
    if (!doc->HasFileOfItsOwn()) {
        // A new document's path is only the product name: ask where it goes.
        return OnFileSaveAs();
    }
    return SaveTo(view, doc->PathName());
}

bool CMainFrame::OnFileSaveAs() {
    CProgramView* view = ActiveView();
    if (!view) {
        return false;
    }
    view->StoreChannels();
    CProgramDoc* doc = view->GetDocument();
    const QString proposed =
        doc->HasFileOfItsOwn()
            ? doc->PathName()
            : (doc->PathName().isEmpty() ? QStringLiteral("Program") : doc->PathName()) +
                  QStringLiteral(".dat");
    const QString path = m_chooser->SavePath(this, proposed, Q(txt::DataFileFilter.In(m_app.lang)));
    if (path.isEmpty()) {
        return false;
    }
    return SaveTo(view, path);
}

void CMainFrame::OnFilePrintSetup() {
    PrintSetup(this, *m_printer);
}

void CMainFrame::OnChannelInformation() {
    CChildFrame* frame = ActiveChildFrame();
    if (!frame && m_pLastShown && ChildFrames().contains(m_pLastShown)) {
        frame = m_pLastShown;
    }
    if (frame) {
        frame->showNormal();
        m_pMdiClient->setActiveSubWindow(frame);
        m_pLastShown = frame;
    } else {
        showNormal();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // Nothing asks to save: the documents go with their windows.
    for (CChildFrame* frame : ChildFrames()) {
        frame->Destroy();
    }
    QMainWindow::closeEvent(event);
}

} // namespace velmora
