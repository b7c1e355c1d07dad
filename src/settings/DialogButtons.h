// The OK / Cancel row the radio's settings dialogs share: OK is the default button, each
// button carries its help id (1 and 2) and closes the dialog the usual way.
#pragma once

#include "base/Texts.h"

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace velmora {

// The help ids of the two buttons, as the dialogs' templates number them.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

struct DialogButtons {
    QHBoxLayout* row = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
};

DialogButtons MakeOkCancelRow(QDialog* dialog, Language lang);

} // namespace velmora
