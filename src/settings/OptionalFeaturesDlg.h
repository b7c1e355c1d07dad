// The Optional Features dialog: the radio's general settings, one list per setting and a check
// box for Beep, in the two columns the radio's users know. It decodes the option bytes of the
// image when it is built and encodes them back on OK; Cancel changes nothing. Build one for
// each showing.
#pragma once

#include "base/Texts.h"
#include "image/MemoryImage.h"
#include "settings/OptionBytes.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;

namespace velmora {

class HelpLauncher;

class COptionalFeaturesDlg : public QDialog {
    Q_OBJECT
public:
    // help: where F1 goes (the default help when null).
    COptionalFeaturesDlg(MemoryImage& image, Language lang, HelpLauncher* help = nullptr,
                         QWidget* parent = nullptr);

    // The list of a setting; null for Beep, which is the check box.
    QComboBox* List(OptionControl control) const;
    QCheckBox* BeepBox() const { return m_pBeep; }
    QPushButton* OkButton() const { return m_pOk; }
    QPushButton* CancelButton() const { return m_pCancel; }

    // What the controls hold now, as OK would store it.
    OptionSelection Selection() const;

    void accept() override;

private:
    void BuildControls(Language lang);
    void ShowImage();

    MemoryImage& m_image;
    std::array<QComboBox*, kOptionCount> m_lists{};
    QCheckBox* m_pBeep = nullptr;
    QPushButton* m_pOk = nullptr;
    QPushButton* m_pCancel = nullptr;
};

} // namespace velmora
