// The Optional Features dialog: what it shows for an image and the bytes OK stores.
#include "settings/OptionalFeaturesDlg.h"
#include "base/HelpLauncher.h"
#include "image/MemoryImage.h"

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

TEST(OptionalFeaturesDlg, NewImageShowsTheDefaultItems) {
    MemoryImage image = NewImage();
    COptionalFeaturesDlg dialog(image, Language::English);
    const struct {
        C control;
        const char* shown;
    } expected[] = {
        {C::Step, "12.5k"},           {C::ChannelDisplay, "Off"}, {C::Busy, "Off"},
        {C::ScanMode, "CO"},          {C::Led, "Auto"},           {C::KeypadLock, "Manual"},
        {C::PriorityScan, "Off"},     {C::Encoder, "On"},         {C::Mode, "Frequency"},
        {C::VoiceSensitivity, "Off"}, {C::CallTone, "1"},         {C::BatterySaver, "0.4"},
        {C::PriScanningTime, "3s"},   {C::SquelchLevel, "1"},     {C::TimeOutTimer, "1"},
        {C::CallKeyDefine, "Off"},
    };
    for (const auto& row : expected) {
        EXPECT_EQ(dialog.List(row.control)->currentText(), QString::fromUtf8(row.shown))
            << static_cast<int>(row.control);
    }
    EXPECT_TRUE(dialog.BeepBox()->isChecked());
    EXPECT_EQ(dialog.windowTitle(), "Optional Features");
}

TEST(OptionalFeaturesDlg, ChineseRunTranslatesOnlyCallKeyDefine) {
    MemoryImage image = NewImage();
    COptionalFeaturesDlg dialog(image, Language::Chinese);
    QComboBox* callKey = dialog.List(C::CallKeyDefine);
    ASSERT_EQ(callKey->count(), 4);
    EXPECT_EQ(callKey->itemText(3), QString::fromUtf8("呼叫音+紧急报警"));
    EXPECT_EQ(dialog.List(C::Led)->currentText(), "Auto");
}

TEST(OptionalFeaturesDlg, OkStoresTheChangedControlsExactly) {
    MemoryImage image = NewImage();
    COptionalFeaturesDlg dialog(image, Language::English);
    dialog.List(C::Led)->setCurrentIndex(2);           // On
    dialog.List(C::Busy)->setCurrentIndex(1);          // On: a 0 bit
    dialog.List(C::Step)->setCurrentIndex(5);          // 25k
    dialog.List(C::Mode)->setCurrentIndex(2);          // Memory
    dialog.List(C::CallKeyDefine)->setCurrentIndex(3); // Call Tone + Emergency Alarm
    dialog.BeepBox()->setChecked(false);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);

    MemoryImage expected = NewImage();
    expected[0x1FC0] = 0xFE;
    expected[0x1FE0] = 0x05;
    expected[0x1FE1] = 0x98; // 0xD4: bit 6 cleared, bits 3-2 = 10, bit 0 kept
    expected[0x1FE2] = 0x22;
    expected[0x1FE9] = 0x03;
    EXPECT_EQ(image, expected);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(OptionalFeaturesDlg, OkUnchangedOnNewDocumentStoresOnlyCallKeyZero) {
    MemoryImage image = NewImage();
    COptionalFeaturesDlg dialog(image, Language::English);
    dialog.accept();
    MemoryImage expected = NewImage();
    expected[0x1FE9] = 0x00;
    EXPECT_EQ(image, expected);
}

TEST(OptionalFeaturesDlg, CancelLeavesTheImageAlone) {
    MemoryImage image = NewImage();
    COptionalFeaturesDlg dialog(image, Language::English);
    dialog.List(C::SquelchLevel)->setCurrentIndex(9);
    dialog.BeepBox()->setChecked(false);
    QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
    EXPECT_EQ(image, NewImage());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(OptionalFeaturesDlg, StepPastTheListShowsNothingAndStoresTheMask) {
    MemoryImage image = NewImage();
    image[0x1FE0] = 0x0E;
    image[0x1FE9] = 0x42; // no such Call Key Define item
    COptionalFeaturesDlg dialog(image, Language::English);
    EXPECT_EQ(dialog.List(C::Step)->currentIndex(), -1);
    EXPECT_EQ(dialog.List(C::Step)->currentText(), "");
    EXPECT_EQ(dialog.List(C::CallKeyDefine)->currentText(), "Off");
    dialog.accept();
    EXPECT_EQ(image[0x1FE0], 0x0F);
    EXPECT_EQ(image[0x1FE9], 0x00);
}

TEST(OptionalFeaturesDlg, F1AsksForTheFocusedControlsTopic) {
    MemoryImage image = NewImage();
    RecordingHelp help;
    COptionalFeaturesDlg dialog(image, Language::English, &help);
    QTest::keyClick(dialog.List(C::Encoder), Qt::Key_F1);
    QTest::keyClick(dialog.BeepBox(), Qt::Key_F1);
    EXPECT_EQ(help.ids, (std::vector<int>{1129, 1016}));
    EXPECT_EQ(image, NewImage());
}

} // namespace
} // namespace velmora
