// The small modeless "Process" window of a transfer: a caption that says Read Data or Write
// Data, a progress bar with its count, OK to start and Cancel.
//
// OK disables itself and asks for the transfer once (transferRequested). Cancel before OK
// closes the window; during a transfer it only raises the cancel flag and the window closes
// when the transfer ends.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;

namespace velmora {

class TransferController;

class CProcessDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kInitialRange = 305;

    explicit CProcessDlg(QWidget* parent = nullptr);

    // The caption the next opening shows (m_strCaption).
    void SetCaption(const QString& caption) { m_strCaption = caption; }
    // The Read and Write commands: shows the window afresh, centred, unless it is already
    // open (then only the caption set above waits for the next opening).
    void OpenWindow();
    // Progress and cancel go to and from this controller; its end closes the window.
    void Attach(TransferController* controller);

    void SetProgress(int position, int range);
    // The transfer is over, whatever its outcome: the window closes.
    void TransferEnded();

    bool Cancelled() const { return m_bCancel; }
    bool Transferring() const { return m_bTransferring; }
    QProgressBar* ProgressBar() const { return m_progress; }
    QLabel* CountText() const { return m_count; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

signals:
    // OK was pressed: start the transfer in the direction last chosen.
    void transferRequested();
    // Cancel during a transfer.
    void cancelRequested();

public slots:
    void reject() override; // Cancel, Esc and the close box

private:
    void OnOk();

    bool m_bCancel = false;
    bool m_bTransferring = false;
    QString m_strCaption;
    QProgressBar* m_progress = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    TransferController* m_pController = nullptr;
};

} // namespace velmora
