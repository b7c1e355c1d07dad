#include "frame/BackupListDlg.h"

#include "base/QtText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmora {

CBackupListDlg::CBackupListDlg(std::vector<BackupEntry> entries, Language lang, QWidget* parent)
    : QDialog(parent), m_entries(std::move(entries)) {
    setWindowTitle(ToQString(txt::BackupListCaption.In(lang)));
    m_pList = new QTreeWidget(this);
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setHeaderLabels({ToQString(txt::BackupColumnDate.In(lang)),
                              ToQString(txt::BackupColumnModel.In(lang)),
                              ToQString(txt::BackupColumnKind.In(lang))});
    for (const BackupEntry& entry : m_entries) {
        const TextPair& kind = entry.reason == "write" ? txt::BackupKindWrite : txt::BackupKindRead;
        auto* item =
            new QTreeWidgetItem({QString::fromStdString(entry.timestamp),
                                 QString::fromStdString(entry.model), ToQString(kind.In(lang))});
        item->setToolTip(0, QString::fromStdString(entry.path));
        m_pList->addTopLevelItem(item);
    }
    m_pList->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    if (m_pList->topLevelItemCount() > 0) {
        m_pList->setCurrentItem(m_pList->topLevelItem(0));
    }

    auto* buttons = new QDialogButtonBox(this);
    m_pOk = buttons->addButton(ToQString(txt::DlgButtonOk.In(lang)), QDialogButtonBox::AcceptRole);
    buttons->addButton(ToQString(txt::DlgButtonCancel.In(lang)), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_pList, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList);
    layout->addWidget(buttons);
    resize(520, 360);
}

QString CBackupListDlg::ChosenPath() const {
    const int row = m_pList->indexOfTopLevelItem(m_pList->currentItem());
    if (row < 0 || row >= static_cast<int>(m_entries.size())) {
        return {};
    }
    return QString::fromStdString(m_entries[static_cast<std::size_t>(row)].path);
}

} // namespace velmora
