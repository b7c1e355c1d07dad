#include "settings/OptionBytes.h"
#include "support/NewDocumentOptions.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

using C = OptionControl;

// A new document after one OK: every option byte then reads back as it is stored.
MemoryImage StableImage() {
    MemoryImage image = NewImage();
    image[offset::CallKeyDefine] = 0x00;
    return image;
}

// Row i of the table is control i; its id is the help topic the dialog's F1 opens.
TEST(OptionBytes, NewDocumentShowsItsDefaultsUnderTheControlsIds) {
    const OptionSelection selection = DecodeOptions(NewImage());
    EXPECT_TRUE(selection.beep);
    for (std::size_t i = 0; i < kOptionCount; ++i) {
        const auto& [control, id, shown] = test::kNewDocumentOptions[i];
        EXPECT_EQ(OptionFields()[i].control, control);
        EXPECT_EQ(FieldOf(control).controlId, id) << FieldOf(control).label;
        if (control != C::Beep) {
            EXPECT_EQ(OptionItems(control, Language::English).at(selection[control]), shown);
        }
    }
    EXPECT_EQ(OptionItems(C::CallKeyDefine, Language::Chinese),
              (std::vector<std::string>{"关", "呼叫音", "紧急报警", "呼叫音+紧急报警"}));
    EXPECT_EQ(OptionItems(C::CallKeyDefine, Language::English)[2], "Emegency Alarm");
    EXPECT_EQ(OptionItems(C::Led, Language::Chinese),
              (std::vector<std::string>{"Off", "Auto", "On"}));
}

TEST(OptionBytes, DecodesEveryField) {
    const struct {
        C control;
        std::size_t at;
        std::uint8_t byte;
        int index;
    } cases[] = {
        // clang-format off
        {C::TimeOutTimer, 0x1FC3, 0xF3, 3},        {C::TimeOutTimer, 0x1FC3, 0x04, -1},
        {C::SquelchLevel, 0x1FC1, 0x29, 9},        {C::SquelchLevel, 0x1FC1, 0x0A, -1},
        {C::CallTone, 0x1FE5, 0x09, 9},            {C::CallTone, 0x1FE5, 0x0A, -1},
        {C::PriScanningTime, 0x1FE7, 0x0B, 3},     {C::PriScanningTime, 0x1FE7, 0x04, -1},
        {C::VoiceSensitivity, 0x1FE4, 0x30, 16},   {C::VoiceSensitivity, 0x1FE4, 0x11, -1},
        {C::Step, 0x1FE0, 0x0D, 5},                {C::Step, 0x1FE0, 0x0E, -1},
        {C::BatterySaver, 0x1FE6, 0x0D, 5},        {C::BatterySaver, 0x1FE6, 0x06, -1},
        {C::CallKeyDefine, 0x1FE9, 0x03, 3},       {C::CallKeyDefine, 0x1FE9, 0x04, 0},
        {C::ChannelDisplay, 0x1FE1, 0x00, 1},      {C::ChannelDisplay, 0x1FE1, 0x80, 0},
        {C::Busy, 0x1FE1, 0x00, 1},                {C::Busy, 0x1FE1, 0x40, 0},
        {C::ScanMode, 0x1FE1, 0x10, 1},            {C::ScanMode, 0x1FE1, 0x20, 2},
        {C::ScanMode, 0x1FE1, 0x30, 2},            {C::Led, 0x1FE1, 0x0C, 2},
        {C::KeypadLock, 0x1FE1, 0x02, 1},          {C::KeypadLock, 0x1FE1, 0xFD, 0},
        {C::PriorityScan, 0x1FE2, 0x40, 1},        {C::Encoder, 0x1FE2, 0x20, 1},
        {C::Encoder, 0x1FE2, 0xDF, 0},             {C::Mode, 0x1FE2, 0x03, 2},
        {C::Mode, 0x1FE2, 0xFC, 0},                {C::Beep, 0x1FC0, 0xFE, 0},
        // clang-format on
    };
    for (const auto& c : cases) {
        MemoryImage image = StableImage();
        image[c.at] = c.byte;
        const OptionSelection selection = DecodeOptions(image);
        EXPECT_EQ(c.control == C::Beep ? selection.beep : selection[c.control], c.index)
            << FieldOf(c.control).label << " byte " << int(c.byte);
    }
}

// Only the field's own byte may change, and only in the field's bits. The last row is OK on an
// unchanged new document: its Call Key Define 0xFF is stored as 0x00, and nothing else changes.
TEST(OptionBytes, EncodesEveryFieldAndNothingElse) {
    const struct {
        C control;
        std::size_t at;
        std::uint8_t before;
        int index;
        std::uint8_t after;
    } cases[] = {
        // clang-format off
        {C::TimeOutTimer, 0x1FC3, 0x01, 3, 0x03},       {C::TimeOutTimer, 0x1FC3, 0x01, -1, 0x0F},
        {C::TimeOutTimer, 0x1FC3, 0x01, 4, 0x0F},       {C::CallTone, 0x1FE5, 0x01, -1, 0x0F},
        {C::VoiceSensitivity, 0x1FE4, 0x00, -1, 0x1F},  {C::Step, 0x1FE0, 0x0E, -1, 0x0F},
        {C::BatterySaver, 0x1FE6, 0x02, -1, 0x0F},      {C::PriScanningTime, 0x1FE7, 0, -1, 0x0F},
        {C::CallKeyDefine, 0x1FE9, 0x00, 3, 0x03},      {C::CallKeyDefine, 0x1FE9, 0x02, -1, 0x00},
        {C::CallKeyDefine, 0x1FE9, 0x02, 4, 0x00},      {C::ChannelDisplay, 0x1FE1, 0xD5, 1, 0x55},
        {C::ChannelDisplay, 0x1FE1, 0x01, -1, 0x81},    {C::Busy, 0x1FE1, 0xD5, -1, 0x95},
        {C::Busy, 0x1FE1, 0x01, 0, 0x41},               {C::ScanMode, 0x1FE1, 0xD5, 2, 0xE5},
        {C::ScanMode, 0x1FE1, 0x01, -1, 0x21},          {C::Led, 0x1FE1, 0xD5, 2, 0xD9},
        {C::Led, 0x1FE1, 0x01, -1, 0x09},               {C::KeypadLock, 0x1FE1, 0x01, -1, 0x03},
        {C::PriorityScan, 0x1FE2, 0x61, 0, 0x21},       {C::PriorityScan, 0x1FE2, 0x9D, -1, 0xDD},
        {C::Encoder, 0x1FE2, 0x9D, 1, 0xBD},            {C::Encoder, 0x1FE2, 0x61, 0, 0x41},
        {C::Mode, 0x1FE2, 0x9D, 0, 0x9C},               {C::Mode, 0x1FE2, 0x9D, 2, 0x9E},
        {C::Mode, 0x1FE2, 0x61, -1, 0x62},              {C::Beep, 0x1FC0, 0xFE, 1, 0xFF},
        {C::Beep, 0x1FC0, 0xFF, 0, 0xFE},               {C::CallKeyDefine, 0x1FE9, 0xFF, 0, 0x00},
        // clang-format on
    };
    for (const auto& c : cases) {
        MemoryImage image = StableImage();
        image[c.at] = c.before;
        OptionSelection selection = DecodeOptions(image);
        selection[c.control] = c.index; // Beep is its check box, below; its index is never stored
        selection.beep = c.control == C::Beep ? c.index != 0 : selection.beep;
        EncodeOptions(image, selection);
        MemoryImage expected = StableImage();
        expected[c.at] = c.after;
        EXPECT_EQ(image, expected)
            << FieldOf(c.control).label << " index " << c.index << " stored " << int(image[c.at]);
    }
}

} // namespace
} // namespace velmora
