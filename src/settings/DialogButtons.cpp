#include "settings/DialogButtons.h"

#include "base/QtText.h"

#include "base/HelpLauncher.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace velmora {

DialogButtons MakeOkCancelRow(QDialog* dialog, Language lang) {
    DialogButtons buttons;
    buttons.ok = new QPushButton(ToQString(txt::DlgButtonOk, lang), dialog);
    buttons.ok->setDefault(true);
    SetHelpId(buttons.ok, kIdOk);
    buttons.cancel = new QPushButton(ToQString(txt::DlgButtonCancel, lang), dialog);
    SetHelpId(buttons.cancel, kIdCancel);
    QObject::connect(buttons.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(buttons.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    buttons.row = new QHBoxLayout;
    buttons.row->addStretch(1);
    buttons.row->addWidget(buttons.ok);
    buttons.row->addStretch(1);
    buttons.row->addWidget(buttons.cancel);
    buttons.row->addStretch(1);
    return buttons;
}

} // namespace velmora
