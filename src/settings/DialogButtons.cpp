#include "settings/DialogButtons.h"

#include "app/HelpLauncher.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace velmora {

namespace {
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

QString Text(const TextPair& pair, Language lang) {
    const std::string_view text = pair.In(lang);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

DialogButtons MakeOkCancelRow(QDialog* dialog, Language lang) {
    DialogButtons buttons;
    buttons.ok = new QPushButton(Text(txt::DlgButtonOk, lang), dialog);
    buttons.ok->setDefault(true);
    SetHelpId(buttons.ok, kIdOk);
    buttons.cancel = new QPushButton(Text(txt::DlgButtonCancel, lang), dialog);
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
