#include "app/AboutDlg.h"

#include "base/QtText.h"

#include "app/HyperLink.h"
#include "base/StartupConfig.h"

#include <QApplication>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace velmora {

namespace {

QString Config(std::string_view key) {
    return QString::fromStdString(LanguageText(key));
}

QLabel* PlainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

AboutTexts AboutTexts::FromConfig() {
    return {Config("About Title"), Config("Version"), Config("Copyrights"),
            Config("Copyrights Owner")};
}

CAboutDlg::CAboutDlg(const AboutTexts& texts, QWidget* parent, const QString& iconFile)
    : QDialog(parent) {
    setWindowTitle(texts.caption);
    m_pVersion = PlainLabel(texts.version, this);
    m_pRights = PlainLabel(texts.rights, this);
    m_pLink = new CXHyperLink(this);
    m_pLink->SetLinkText(texts.link);
    m_pLink->SetTarget(texts.link);

    m_pIcon = new QLabel(this);
    QPixmap picture;
    if (!iconFile.isEmpty() && picture.load(iconFile)) {
        m_pIcon->setPixmap(picture);
    } else {
        // Without its own picture the box shows the program's icon, as the window it belongs
        // to does.
        QIcon icon = QApplication::windowIcon();
        if (icon.isNull() && parent != nullptr) {
            icon = parent->window()->windowIcon();
        }
        m_pIcon->setPixmap(icon.pixmap(32, 32));
    }

    const std::string_view ok = txt::DlgButtonOk.In(CurrentLanguage());
    m_pOk = new QPushButton(ToQString(ok), this);
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(24, 18, 18, 14);
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(10);
    grid->addWidget(m_pVersion, 0, 0);
    grid->addWidget(m_pRights, 1, 0);
    grid->addWidget(m_pLink, 2, 0, Qt::AlignLeft);
    grid->addWidget(m_pIcon, 0, 1, 2, 1, Qt::AlignCenter);
    grid->addWidget(m_pOk, 2, 1, Qt::AlignCenter);
    grid->setColumnStretch(0, 1);
}

void CAboutDlg::ShowBackupLine(const QString& text) {
    if (m_pBackups == nullptr) {
        // A folder name is shown as it is, never taken for markup; it can be copied from here.
        m_pBackups = PlainLabel(QString(), this);
        m_pBackups->setTextInteractionFlags(Qt::TextSelectableByMouse);
        static_cast<QGridLayout*>(layout())->addWidget(m_pBackups, 3, 0, 1, 2);
    }
    m_pBackups->setText(text);
}

} // namespace velmora
