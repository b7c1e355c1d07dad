#include "settings/OptionalFeaturesDlg.h"

#include "base/QtText.h"

#include "base/HelpLauncher.h"
#include "settings/DialogButtons.h"
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

namespace {

using C = OptionControl;

// The two columns, top to bottom, as the radio's users have always seen them. Beep closes the
// right column; Call Key Define, with its long texts, closes the left one across both.
constexpr C kLeftColumn[] = {
    C::Led,          C::BatterySaver,   C::KeypadLock,     C::TimeOutTimer, C::VoiceSensitivity,
    C::PriorityScan, C::ChannelDisplay, C::PriScanningTime};
constexpr C kRightColumn[] = {C::Step, C::CallTone, C::SquelchLevel, C::Encoder,
                              C::Mode, C::Busy,     C::ScanMode};

std::size_t Slot(C control) {
    return static_cast<std::size_t>(control);
}

} // namespace

COptionalFeaturesDlg::COptionalFeaturesDlg(MemoryImage& image, Language lang, HelpLauncher* help,
                                           QWidget* parent)
    : QDialog(parent), m_image(image) {
    setWindowTitle(ToQString(txt::OptionalFeaturesCaption.In(lang)));
    BuildControls(lang);
    ShowImage();
    InstallHelpKey(this, help, kIdOk);
}

void COptionalFeaturesDlg::BuildControls(Language lang) {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);

    auto addList = [&](C control, int row, int column, int columnSpan) {
        const OptionField& field = FieldOf(control);
        auto* list = new QComboBox(this);
        for (const std::string& item : OptionItems(control, lang)) {
            list->addItem(QString::fromStdString(item));
        }
        list->setMinimumContentsLength(6);
        SetHelpId(list, field.controlId);
        auto* label = new QLabel(ToQString(field.label), this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBuddy(list);
        grid->addWidget(label, row, column);
        grid->addWidget(list, row, column + 1, 1, columnSpan);
        m_lists[Slot(control)] = list;
    };

    int row = 0;
    for (C control : kLeftColumn) {
        addList(control, row++, 0, 1);
    }
    addList(C::CallKeyDefine, row, 0, 3);
    row = 0;
    for (C control : kRightColumn) {
        addList(control, row++, 2, 1);
    }
    const OptionField& beep = FieldOf(C::Beep);
    m_pBeep = new QCheckBox(ToQString(beep.label), this);
    SetHelpId(m_pBeep, beep.controlId);
    grid->addWidget(m_pBeep, row, 3);

    const DialogButtons okCancel = MakeOkCancelRow(this, lang);
    m_pOk = okCancel.ok;
    m_pCancel = okCancel.cancel;
    QHBoxLayout* buttons = okCancel.row;

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(10);
    layout->addLayout(buttons);
}

void COptionalFeaturesDlg::ShowImage() {
    const OptionSelection selection = DecodeOptions(m_image);
    for (const OptionField& field : OptionFields()) {
        if (field.kind == OptionKind::CheckBit) {
            m_pBeep->setChecked(selection.beep);
            continue;
        }
        QComboBox* list = m_lists[Slot(field.control)];
        const int index = selection[field.control];
        // An index the list does not have leaves it without a selection.
        list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
    }
}

QComboBox* COptionalFeaturesDlg::List(OptionControl control) const {
    return m_lists[Slot(control)];
}

OptionSelection COptionalFeaturesDlg::Selection() const {
    OptionSelection selection;
    for (const OptionField& field : OptionFields()) {
        if (field.kind == OptionKind::CheckBit) {
            selection.beep = m_pBeep->isChecked();
        } else {
            selection[field.control] = m_lists[Slot(field.control)]->currentIndex();
        }
    }
    return selection;
}

void COptionalFeaturesDlg::accept() {
    EncodeOptions(m_image, Selection());
    QDialog::accept();
}

} // namespace velmora
