// The commands on the document as a whole: New, Open, Close, Save, Save As, Open Backup, and
// the question that keeps unsaved changes from being dropped by any of them or by Exit.
#include "frame/MainFrame.h"

#include "base/QtText.h"

#include "document/ProgramDoc.h"
#include "document/ProgramView.h"
#include "document/TransferCommands.h"
#include "frame/BackupListDlg.h"
#include "frame/ChildFrame.h"
#include "frame/MdiClientWnd.h"
#include "frame/Pictures.h"
#include "image/DataFile.h"
#include "link/BackupFolder.h"
#include "link/BackupStore.h"

#include <QFileInfo>

namespace velmora {

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
    if (m_pLastShown && ChildFrames().contains(m_pLastShown)) {
        return m_pLastShown;
    }
    return nullptr;
}

CProgramView* CMainFrame::ActiveView() const {
    CChildFrame* frame = ActiveChildFrame();
    return frame ? frame->View() : nullptr;
}

CProgramView* CMainFrame::ShownView() {
    CChildFrame* frame = ActiveChildFrame();
    if (frame == nullptr) {
        return nullptr;
    }
    if (frame->isHidden()) {
        OnChannelInformation();
    }
    return frame->View();
}

CChildFrame* CMainFrame::AddDocumentWindow(CProgramDoc* doc) {
    auto* frame = new CChildFrame;
    auto* view = new CProgramView(doc, m_app, frame);
    doc->setParent(view);
    frame->setWidget(view);
    frame->setWindowTitle(doc->Title());
    frame->setWindowIcon(WindowIcon());
    connect(view, &CProgramView::titleChanged, this, &CMainFrame::SetFrameTitle);
    frame->SetTransfer(std::make_unique<TransferCommands>(view, m_app));
    connect(frame->Transfer(), &TransferCommands::runningChanged, this,
            &CMainFrame::UpdateCommandStates);
    connect(frame->Transfer(), &TransferCommands::statusMessage, this, &CMainFrame::ShowStatus);
    connect(view, &CProgramView::historyChanged, this, &CMainFrame::UpdateCommandStates);
    connect(view, &CProgramView::contextMenuWanted, this, &CMainFrame::ShowGridMenu);
    connect(frame, &QObject::destroyed, this, [this, frame] {
        if (m_pLastShown == frame) {
            m_pLastShown = nullptr;
        }
        UpdateMenus();
    });
    m_pMdiClient->addSubWindow(frame);
    view->OnInitialUpdate();
    // Maximised inside the area: the grid gets all the room there is, and its own scroll bars
    // reach every row and column at any window size.
    frame->showMaximized();
    m_pMdiClient->setActiveSubWindow(frame);
    m_pLastShown = frame;
    UpdateMenus();
    return frame;
}

void CMainFrame::ReleaseDocumentsBut(CChildFrame* keep) {
    for (CChildFrame* frame : ChildFrames()) {
        if (frame != keep) {
            frame->Destroy();
        }
    }
}

void CMainFrame::NewDocumentWindow() {
    auto* doc = new CProgramDoc;
    doc->OnNewDocument(ToQString(m_app.appName), ToQString(txt::ChannelInformation.In(m_app.lang)));
    AddDocumentWindow(doc);
}

bool CMainFrame::MaySetDocumentAside(CChildFrame* frame) {
    CProgramView* view = frame ? frame->View() : nullptr;
    if (view == nullptr || !view->HasUnsavedChanges()) {
        return true;
    }
    const std::string title = frame->windowTitle().toStdString();
    switch (m_app.prompter->AskSaveChanges(m_app.company,
                                           FillText(txt::MsgSaveChanges, m_app.lang, {title}))) {
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        return false;
    case SaveAnswer::Save:
        break;
    }
    // The save goes to this document, whichever window is current.
    CChildFrame* previous = m_pLastShown;
    m_pLastShown = frame;
    const bool saved = OnFileSave();
    if (ChildFrames().contains(previous)) {
        m_pLastShown = previous;
    }
    return saved;
}

void CMainFrame::OnFileNew() {
    if (!DocumentFree()) {
        return;
    }
    if (CChildFrame* active = ActiveChildFrame()) {
        if (!MaySetDocumentAside(active)) {
            return;
        }
        if (!m_app.prompter->AskOkCancel(m_app.company,
                                         std::string(txt::MsgAllDataCleared.In(m_app.lang)))) {
            return;
        }
    }
    // A hidden window and its document go too: nothing could reach them any more.
    ReleaseDocumentsBut(nullptr);
    NewDocumentWindow();
}

void CMainFrame::OnFileOpen() {
    if (!DocumentFree() || !MaySetDocumentAside(ActiveChildFrame())) {
        return;
    }
    const QString path = m_chooser->OpenPath(this, ToQString(txt::DataFileFilter.In(m_app.lang)));
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
    // Only once the file has loaded does the document shown before go.
    ReleaseDocumentsBut(AddDocumentWindow(doc.release()));
    return true;
}

void CMainFrame::OnFileOpenBackup() {
    if (!DocumentFree()) {
        return;
    }
    const std::string folder = DefaultBackupFolder();
    std::vector<BackupEntry> entries = BackupStore(folder).List(m_app.catalog);
    if (entries.empty()) {
        Warn(FillText(txt::MsgNoBackups, m_app.lang, {folder}));
        return;
    }
    if (!MaySetDocumentAside(ActiveChildFrame())) {
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
    doc->OnNewDocument(ToQString(m_app.appName), QFileInfo(path).fileName());
    doc->m_image = image;
    doc->m_bNewDocument = false; // type and band come from the image, as after a read
    ReleaseDocumentsBut(AddDocumentWindow(doc.release()));
    return true;
}

void CMainFrame::OnFileClose() {
    if (CChildFrame* active = ActiveChildFrame(); active && DocumentFree()) {
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
    doc->MarkUnchanged(doc->m_image);
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
    const QString path =
        m_chooser->SavePath(this, proposed, ToQString(txt::DataFileFilter.In(m_app.lang)));
    if (path.isEmpty()) {
        return false;
    }
    return SaveTo(view, path);
}

void CMainFrame::OnChannelInformation() {
    if (CChildFrame* frame = ActiveChildFrame()) {
        // Back in sight, maximised in the area as it opened.
        frame->showMaximized();
        m_pMdiClient->setActiveSubWindow(frame);
        m_pLastShown = frame;
        if (frame->View() != nullptr) {
            frame->View()->setFocus(Qt::OtherFocusReason);
        }
    } else {
        showNormal();
    }
}

} // namespace velmora
