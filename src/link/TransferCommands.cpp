#include "link/TransferCommands.h"

#include "channels/ProgramView.h"
#include "link/ComSetupDlg.h"
#include "link/PortProbe.h"

namespace velmora {

TransferCommands::TransferCommands(CProgramView* view, const AppContext& app)
    : QObject(view), m_pView(view), m_app(app), m_process(view) {
    m_strPort = InitialPortName(m_app.store->ReadInt("com"), Devices());
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
    PortDevices devices = ButtonDevices(m_app.store);
    if (!m_app.demoPort.empty()) {
        // The demo radio stands behind COM1.
        devices[0] = m_app.demoPort;
    }
    return devices;
}

void TransferCommands::OpenProcessDialog(const TextPair& caption) {
    m_process.SetCaption(QString::fromUtf8(caption.In(m_app.lang).data(),
                                           static_cast<qsizetype>(caption.In(m_app.lang).size())));
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
    CComSetupDlg dialog(*m_app.store, Devices(), {}, help, m_pView);
    if (dialog.exec() == QDialog::Accepted) {
        m_strPort = dialog.PortName();
    }
}

void TransferCommands::StartTransfer() {
    m_pView->CommitOpenEdit();
    if (m_bWrite) {
        m_pView->StoreChannels();
    }
    const TransferDirection direction =
        m_bWrite ? TransferDirection::Write : TransferDirection::Read;
    if (!m_transfer.Start(direction, m_strPort, m_pView->GetDocument()->m_image)) {
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
    }
    emit runningChanged(false);
}

} // namespace velmora
