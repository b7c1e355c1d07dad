#include "link/ProcessDlg.h"

#include "base/QtText.h"

#include "base/Texts.h"
#include "link/TransferController.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace velmora {

CProcessDlg::CProcessDlg(QWidget* parent) : QDialog(parent) {
    setModal(false);
    setWindowTitle(QStringLiteral("Process"));
    m_progress = new QProgressBar(this);
    m_progress->setTextVisible(false);
    m_count = new QLabel(QStringLiteral("0"), this);
    m_count->setAlignment(Qt::AlignCenter);
    m_count->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // Wide enough for the largest count from the start, so the buttons never move.
    m_count->setFixedWidth(m_count->fontMetrics().horizontalAdvance(QStringLiteral("0000")) +
                           2 * m_count->frameWidth() + 16);
    m_ok = new QPushButton(ToQString(txt::DlgButtonOk.en), this);
    m_ok->setDefault(true);
    m_cancel = new QPushButton(ToQString(txt::DlgButtonCancel.en), this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_progress, 0, 0, 1, 3);
    layout->addWidget(m_ok, 1, 0);
    layout->addWidget(m_count, 1, 1);
    layout->addWidget(m_cancel, 1, 2);
    connect(m_ok, &QPushButton::clicked, this, &CProcessDlg::OnOk);
    connect(m_cancel, &QPushButton::clicked, this, &CProcessDlg::reject);
}

void CProcessDlg::OpenWindow() {
    if (isVisible()) {
        return;
    }
    m_progress->setRange(0, kInitialRange);
    m_progress->setValue(0);
    m_count->setText(QStringLiteral("0"));
    m_ok->setEnabled(true);
    m_bCancel = false;
    m_bTransferring = false;
    setWindowTitle(m_strCaption);
    show();
    // Centred over the main window (the top-level window of the view that owns the dialog),
    // whose frame is in screen coordinates; without one, over the screen.
    QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    if (const QScreen* screen = owner != nullptr ? owner->screen() : this->screen()) {
        const QRect area = owner != nullptr && owner->isVisible() ? owner->frameGeometry()
                                                                  : screen->availableGeometry();
        move(area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}

void CProcessDlg::Attach(TransferController* controller) {
    if (m_pController) {
        disconnect(m_pController, nullptr, this, nullptr);
    }
    m_pController = controller;
    if (!controller) {
        return;
    }
    connect(controller, &TransferController::progress, this, &CProcessDlg::SetProgress);
    connect(controller, &TransferController::finished, this, &CProcessDlg::TransferEnded);
}

void CProcessDlg::SetProgress(int position, int range) {
    if (m_progress->maximum() != range) {
        m_progress->setRange(0, range);
    }
    m_progress->setValue(position);
    m_count->setText(QString::number(position));
}

void CProcessDlg::TransferEnded() {
    m_bTransferring = false;
    hide();
}

void CProcessDlg::OnOk() {
    if (!m_ok->isEnabled() || m_bTransferring) {
        return;
    }
    m_ok->setEnabled(false);
    m_bTransferring = true;
    emit transferRequested();
}

void CProcessDlg::reject() {
    m_bCancel = true;
    if (!m_bTransferring) {
        hide();
        return;
    }
    if (m_pController) {
        m_pController->Cancel();
    }
    emit cancelRequested();
}

} // namespace velmora
