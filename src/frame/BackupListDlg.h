// File > Open Backup...: the backups kept of the radio's memory, newest first, with the time,
// the model and whether they were read from the radio or about to be written to it.
#pragma once

#include "base/Texts.h"
#include "link/BackupStore.h"

#include <QDialog>
#include <QString>

#include <vector>

class QPushButton;
class QTreeWidget;

namespace velmora {

class CBackupListDlg : public QDialog {
    Q_OBJECT
public:
    CBackupListDlg(std::vector<BackupEntry> entries, Language lang, QWidget* parent = nullptr);

    QTreeWidget* List() const { return m_pList; }
    QPushButton* OkButton() const { return m_pOk; }
    // The file of the chosen backup; empty while none is chosen.
    QString ChosenPath() const;

private:
    std::vector<BackupEntry> m_entries;
    QTreeWidget* m_pList = nullptr;
    QPushButton* m_pOk = nullptr;
};

} // namespace velmora
