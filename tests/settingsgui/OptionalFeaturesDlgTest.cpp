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

#include <vector>

namespace velmora {
namespace {

using C = OptionControl;

struct RecordingHelp : HelpLauncher {
    bool ShowHelp(int contextId) override {
        ids.push_back(contextId);
        return true;
    }
    std::vector<int> ids;
};

TEST(OptionalFeaturesDlg, ShowsTheNewDocumentInTheRunsLanguageAndF1AsksForEachTopic) {
    MemoryImage image = NewImage();
    RecordingHelp help;
    COptionalFeaturesDlg dialog(image, Language::English, &help);
    EXPECT_EQ(dialog.windowTitle(), "Optional Features");
    std::vector<int> ids;
    for (const auto& [control, id, shown] : test::kNewDocumentOptions) {
        if (QComboBox* list = dialog.List(control)) {
            EXPECT_EQ(list->currentText().toStdString(), shown);
            QTest::keyClick(list, Qt::Key_F1);
        } else {
            EXPECT_TRUE(dialog.BeepBox()->isChecked());
            QTest::keyClick(dialog.BeepBox(), Qt::Key_F1);
        }
        ids.push_back(id);
    }
    EXPECT_EQ(help.ids, ids);
    EXPECT_EQ(image, NewImage());
    // A Chinese run shows Call Key Define's items, which the core translates, in Chinese.
    COptionalFeaturesDlg chinese(image, Language::Chinese);
    EXPECT_EQ(chinese.List(C::CallKeyDefine)->itemText(3), QString::fromUtf8("呼叫音+紧急报警"));
    EXPECT_EQ(chinese.List(C::Led)->currentText(), "Auto");
}

// A Step byte past the list shows no item, and OK without a choice stores the mask.
TEST(OptionalFeaturesDlg, OkStoresTheControlsAndCancelNothing) {
    MemoryImage opened = NewImage();
    opened[offset::Step] = 0x0E;
    for (const bool ok : {true, false}) {
        MemoryImage image = opened;
        COptionalFeaturesDlg dialog(image, Language::English);
        EXPECT_EQ(dialog.List(C::Step)->currentText(), "");
        dialog.List(C::Led)->setCurrentIndex(2);           // On
        dialog.List(C::Busy)->setCurrentIndex(1);          // On: a 0 bit
        dialog.List(C::Mode)->setCurrentIndex(2);          // Memory
        dialog.List(C::CallKeyDefine)->setCurrentIndex(3); // Call Tone + Emergency Alarm
        dialog.BeepBox()->setChecked(false);
        QTest::mouseClick(ok ? dialog.OkButton() : dialog.CancelButton(), Qt::LeftButton);

        MemoryImage expected = opened;
        if (ok) {
            expected[0x1FC0] = 0xFE;
            expected[0x1FE0] = 0x0F;
            expected[0x1FE1] = 0x98; // 0xD4: bit 6 cleared, bits 3-2 = 10, bit 0 kept
            expected[0x1FE2] = 0x22;
            expected[0x1FE9] = 0x03;
        }
        EXPECT_EQ(image, expected) << ok;
        EXPECT_EQ(dialog.result(), ok ? QDialog::Accepted : QDialog::Rejected);
    }
}

} // namespace
} // namespace velmora
