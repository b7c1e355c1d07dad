// The Optional Features dialog's wiring: each control shows the core's decoding and asks for
// its own help topic, OK stores the controls through the core's encoding, Cancel stores nothing.
#include "settings/OptionalFeaturesDlg.h"
#include "base/HelpLauncher.h"
#include "image/MemoryImage.h"
#include "support/NewDocumentOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace velmora {
namespace {

using C = OptionControl;

struct RecordingHelp : HelpLauncher {
    bool ShowHelp(int contextId) override {
        last = contextId;
        return true;
    }
    int last = 0; // the topic asked for last
};

// A Step byte past the list shows no item, and OK without a choice stores the mask.
TEST(OptionalFeaturesDlg, ShowsTheImageOkStoresTheControlsAndCancelNothing) {
    MemoryImage opened = NewImage();
    opened[offset::Step] = 0x0E;
    for (const bool ok : {true, false}) {
        MemoryImage image = opened;
        RecordingHelp help;
        COptionalFeaturesDlg dialog(image, Language::English, &help);
        for (const auto& [control, id, shown] : test::kNewDocumentOptions) {
            QComboBox* list = dialog.List(control); // none for Beep, the check box
            EXPECT_EQ(list ? list->currentText().toStdString() : "",
                      control == C::Step ? "" : shown);
            QTest::keyClick(list ? static_cast<QWidget*>(list) : dialog.BeepBox(), Qt::Key_F1);
            EXPECT_EQ(help.last, id);
        }
        dialog.List(C::Led)->setCurrentIndex(2);           // On
        dialog.List(C::CallKeyDefine)->setCurrentIndex(3); // Call Tone + Emergency Alarm
        dialog.BeepBox()->setChecked(false);
        QTest::mouseClick(ok ? dialog.OkButton() : dialog.CancelButton(), Qt::LeftButton);
        MemoryImage expected = opened;
        if (ok) {
            expected[0x1FC0] = 0xFE;
            expected[0x1FE0] = 0x0F;
            expected[0x1FE1] = 0xD8; // 0xD4 with bits 3-2 = 10
            expected[0x1FE9] = 0x03;
        }
        EXPECT_EQ(image, expected) << ok;
    }
}

} // namespace
} // namespace velmora
