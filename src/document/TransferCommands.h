// The Read, Write and Com Setup commands of one channel window. The port is the application's
// one choice, asked for when a transfer starts; a transfer runs on a worker thread while the
// progress dialog shows how far it is. A read changes the document only when every block has
// arrived; a write sends the image as it is after the grid was stored into it.
//
// Every completed read is kept as a backup file, and so is every image about to be written, so
// that what was in the radio before a write can always be had back.
#pragma once

#include "link/PortChoice.h"
#include "link/PortNames.h"
#include "link/ProcessDlg.h"
#include "link/TransferController.h"
#include "settings/AppContext.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <string>
#include <string_view>

namespace velmora {

class CProgramView;
class HelpLauncher;

class TransferCommands : public QObject {
    Q_OBJECT
public:
    // The window that owns the commands keeps them no longer than its view.
    TransferCommands(CProgramView* view, const AppContext& app);
    // A transfer still running is cancelled and waited for: the port is closed and the
    // document is left alone.
    ~TransferCommands() override;

    void OnRead();
    void OnWrite();
    void OnComSetup(HelpLauncher* help);

    // The device a transfer started now would open.
    std::string PortName() const;
    PortChoice& Ports() const { return *m_pPorts; }
    bool IsWrite() const { return m_bWrite; }
    bool IsRunning() const { return m_transfer.IsRunning(); }
    void CancelAndWait() { m_transfer.CancelAndWait(); }
    TransferController& Controller() { return m_transfer; }
    CProcessDlg& ProcessDialog() { return m_process; }

    // Where the backups go: the per-user folder.
    static std::string BackupFolder();
    // Where transfer traces go: "traces" beside the backups, one file per transfer named by
    // the time it started.
    static std::string TraceFolder();
    void SetTracing(bool on) { m_bTrace = on; }

signals:
    void runningChanged(bool running);
    // What became of the backup and the trace of a transfer, for the status bar.
    void statusMessage(const QString& text);

private:
    void OpenProcessDialog(const TextPair& caption);
    void StartTransfer();
    void Finished(const TransferResult& result, const MemoryImage& readImage);
    void KeepBackup(const MemoryImage& image, std::string_view reason);
    void PrepareTrace();
    PortDevices Devices() const;

    CProgramView* m_pView;
    AppContext m_app;
    std::unique_ptr<PortChoice> m_ownPorts; // when the application has no choice of its own
    PortChoice* m_pPorts = nullptr;
    bool m_bWrite = false;
    TransferController m_transfer;
    CProcessDlg m_process;
    bool m_bTrace = false;
    QStringList m_status; // what the running transfer has to say when it ends
};

} // namespace velmora
