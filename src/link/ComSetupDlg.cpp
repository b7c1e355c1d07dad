#include "link/ComSetupDlg.h"

#include "base/QtText.h"

#include "base/HelpLauncher.h"
#include "base/Texts.h"
#include "link/PortProbe.h"
#include "settings/UserStore.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velmora {

CComSetupDlg::CComSetupDlg(UserStore& store, const PortDevices& devices, CanOpen canOpen,
                           HelpLauncher* help, QWidget* parent, std::optional<int> preselected,
                           Language lang)
    : QDialog(parent), m_store(store), m_devices(devices), m_pHelp(help) {
    if (!canOpen) {
        canOpen = CanOpenPort;
    }
    setWindowTitle(ToQString(txt::ComSetupCaption.en));
    auto* group = new QGroupBox(ToQString(txt::ComSetupGroup.en), this);
    auto* grid = new QGridLayout(group);
    auto* buttons = new QButtonGroup(this);
    for (int i = 0; i < kPortButtons; ++i) {
        const std::string& device = m_devices[static_cast<std::size_t>(i)];
        auto* button = new QRadioButton(QString::fromStdString(ButtonName(i)), group);
        auto* label = new QLabel(device.empty() ? ToQString(txt::PortNoDevice.In(lang))
                                                : QString::fromStdString(device),
                                 group);
        label->setTextFormat(Qt::PlainText); // a device name, never markup
        label->setEnabled(false);            // a grey note beside its button
        buttons->addButton(button, kFirstButtonId + i);
        // A port in use by another program, or not there, cannot be chosen; a stored choice
        // still shows selected and can be confirmed.
        button->setEnabled(!device.empty() && canOpen(device));
        grid->addWidget(button, i / 2, (i % 2) * 2);
        grid->addWidget(label, i / 2, (i % 2) * 2 + 1);
        m_buttons[static_cast<std::size_t>(i)] = button;
        m_labels[static_cast<std::size_t>(i)] = label;
    }
    // With an exclusive group one button always stays checked once any was; a stored value
    // outside 1..4 must show none, so exclusivity is kept by hand below.
    buttons->setExclusive(false);
    connect(buttons, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (!on) {
            return;
        }
        for (int i = 0; i < kPortButtons; ++i) {
            if (kFirstButtonId + i != id) {
                m_buttons[static_cast<std::size_t>(i)]->setChecked(false);
            }
        }
    });
    const int selected = preselected ? *preselected : PreselectedButton(m_store.ReadInt("com"));
    if (selected >= 0 && selected < kPortButtons) {
        m_buttons[static_cast<std::size_t>(selected)]->setChecked(true);
    }

    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Ok)->setText(ToQString(txt::DlgButtonOk.en));
    box->button(QDialogButtonBox::Cancel)->setText(ToQString(txt::DlgButtonCancel.en));
    connect(box, &QDialogButtonBox::accepted, this, &CComSetupDlg::accept);
    connect(box, &QDialogButtonBox::rejected, this, &CComSetupDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(box);
}

int CComSetupDlg::Selection() const {
    for (int i = 0; i < kPortButtons; ++i) {
        if (m_buttons[static_cast<std::size_t>(i)]->isChecked()) {
            return i;
        }
    }
    return -1;
}

void CComSetupDlg::accept() {
    const int selected = Selection();
    // With no button selected the stored value becomes 0, which selects none next time, and
    // the port is one that does not exist: the next transfer says it cannot open it.
    m_strPort = selected >= 0 ? m_devices[static_cast<std::size_t>(selected)] : "com0";
    if (m_strPort.empty()) {
        m_strPort = "com" + std::to_string(selected + 1);
    }
    m_store.WriteInt("com", selected + 1);
    QDialog::accept();
}

void CComSetupDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && m_pHelp) {
        m_pHelp->ShowHelp(kHelpContext);
    }
    QDialog::keyPressEvent(event);
}

} // namespace velmora
