#include "document/TransferCommands.h"

#include "base/QtText.h"

#include "document/ProgramView.h"
#include "image/DataFile.h"
#include "link/BackupFolder.h"
#include "link/BackupStore.h"
#include "link/ComSetupDlg.h"
#include "link/PortProbe.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <chrono>

namespace velmora {

TransferCommands::TransferCommands(CProgramView* view, const AppContext& app)
    : m_pView(view), m_app(app), m_process(view) {
    if (m_app.ports == nullptr) {
        m_ownPorts = std::make_unique<PortChoice>(m_app.store->ReadInt("com"));
    }
    m_pPorts = m_app.ports != nullptr ? m_app.ports : m_ownPorts.get();
    m_transfer.SetLanguage(m_app.lang);
    m_transfer.SetMessageBoxes(view, QString::fromStdString(m_app.company));
    m_process.Attach(&m_transfer);
    connect(&m_process, &CProcessDlg::transferRequested, this, &TransferCommands::StartTransfer);
    connect(&m_transfer, &TransferController::finished, this, &TransferCommands::Finished);
}

TransferCommands::~TransferCommands() {
    m_transfer.CancelAndWait();
}

PortDevices TransferCommands::Devices() const {
    return m_pPorts->Devices(ButtonDevices(m_app.store));
}

std::string TransferCommands::PortName() const {
    return m_pPorts->DeviceToOpen(ButtonDevices(m_app.store));
}

void TransferCommands::OpenProcessDialog(const TextPair& caption) {
    m_process.SetCaption(ToQString(caption, m_app.lang));
    m_process.OpenWindow();
}

void TransferCommands::OnRead() {
    m_bWrite = false;
    OpenProcessDialog(txt::ReadData);
}

void TransferCommands::OnWrite() {
    m_bWrite = true;
    // A pending edit is checked now, before the user confirms the write.
    m_pView->CommitOpenEdit();
    OpenProcessDialog(txt::WriteData);
}

void TransferCommands::OnComSetup(HelpLauncher* help) {
    CComSetupDlg dialog(*m_app.store, Devices(), {}, help, m_pView, m_pPorts->Button(), m_app.lang);
    if (dialog.exec() == QDialog::Accepted) {
        m_pPorts->Choose(dialog.Selection());
    }
}

namespace {

QString Filled(const TextPair& text, Language lang, const std::string& value) {
    return ToQString(text, lang).arg(QString::fromStdString(value));
}

} // namespace

std::string TransferCommands::BackupFolder() {
    return DefaultBackupFolder();
}

std::string TransferCommands::TraceFolder() {
    const QFileInfo backups(QString::fromStdString(BackupFolder()));
    return backups.dir().filePath(QStringLiteral("traces")).toStdString();
}

void TransferCommands::KeepBackup(const MemoryImage& image, std::string_view reason) {
    const std::string folder = BackupFolder();
    BackupStore store(folder);
    std::string path;
    const FileResult result = store.Keep(image, reason, std::chrono::system_clock::now(), path);
    if (result) {
        m_status << Filled(txt::StatusBackupKept, m_app.lang, path);
    } else {
        // The transfer goes on: a backup is a second copy, and its absence must only be known.
        m_status << Filled(txt::StatusBackupFailed, m_app.lang,
                           DescribeSaveFailure(path.empty() ? folder : path, result, m_app.lang));
    }
}

void TransferCommands::PrepareTrace() {
    if (!m_bTrace) {
        m_transfer.SetTracePath({});
        return;
    }
    const QDir folder(QString::fromStdString(TraceFolder()));
    folder.mkpath(QStringLiteral("."));
    const QString name =
        QStringLiteral("trace-%1-%2.txt")
            .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz")),
                 m_bWrite ? QStringLiteral("write") : QStringLiteral("read"));
    m_transfer.SetTracePath(folder.filePath(name).toStdString());
}

void TransferCommands::StartTransfer() {
    m_pView->CommitOpenEdit();
    m_status.clear();
    if (m_bWrite) {
        m_pView->StoreChannels();
        // Kept before the first byte goes out: the write may fail half-way.
        KeepBackup(m_pView->GetDocument()->m_image, "write");
    }
    PrepareTrace();
    const TransferDirection direction =
        m_bWrite ? TransferDirection::Write : TransferDirection::Read;
    if (!m_transfer.Start(direction, PortName(), m_pView->GetDocument()->m_image)) {
        m_process.TransferEnded();
        return;
    }
    emit runningChanged(true);
}

void TransferCommands::Finished(const TransferResult& result, const MemoryImage& readImage) {
    if (!m_bWrite && result.outcome == TransferOutcome::Completed) {
        CProgramDoc* doc = m_pView->GetDocument();
        doc->m_image = readImage;
        doc->m_bNewDocument = false;
        m_pView->ShowChannels();
        KeepBackup(readImage, "read");
    }
    const TransferController::TraceReport& trace = m_transfer.LastTrace();
    if (!trace.path.empty()) {
        m_status << (trace.error.empty() ? Filled(txt::StatusTraceWritten, m_app.lang, trace.path)
                                         : Filled(txt::StatusTraceFailed, m_app.lang,
                                                  trace.path + ": " + trace.error));
    }
    if (!m_status.isEmpty()) {
        emit statusMessage(m_status.join(QStringLiteral("   ")));
    }
    emit runningChanged(false);
}

} // namespace velmora
