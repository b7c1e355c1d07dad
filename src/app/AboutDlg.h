// The About box: the installation's own caption, version line, rights line and web link, all
// from the language section of Program.ini, and the program's icon.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace velmora {

class CXHyperLink;

struct AboutTexts {
    QString caption; // "About Title"
    QString version; // "Version"
    QString rights;  // "Copyrights"
    QString link;    // "Copyrights Owner": the link's text and target
    // The texts of the running language from g_iniFile.
    static AboutTexts FromConfig();
};

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // iconFile: a picture shown instead of the program's own icon when it loads.
    explicit CAboutDlg(const AboutTexts& texts, QWidget* parent = nullptr,
                       const QString& iconFile = QStringLiteral("title.ico"));

    CXHyperLink* Link() const { return m_pLink; }
    QLabel* VersionLine() const { return m_pVersion; }
    QLabel* RightsLine() const { return m_pRights; }
    QLabel* Icon() const { return m_pIcon; }
    // A line of its own under the others: where the backups of the radio are kept.
    void ShowBackupLine(const QString& text);
    QLabel* BackupLine() const { return m_pBackups; }
    QPushButton* OkButton() const { return m_pOk; }

private:
    CXHyperLink* m_pLink = nullptr;
    QLabel* m_pVersion = nullptr;
    QLabel* m_pRights = nullptr;
    QLabel* m_pIcon = nullptr;
    QLabel* m_pBackups = nullptr;
    QPushButton* m_pOk = nullptr;
};

} // namespace velmora
