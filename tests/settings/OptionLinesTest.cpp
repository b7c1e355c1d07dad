#include "settings/OptionLines.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {
namespace {

TEST(PrintedOptionLines, NewDocumentInBothLanguages) {
    const char* const expected[][4] = {
        // clang-format off
        {"Time Out Timer:", "1", "超时定时器:", "1"},     {"Squelch Level:", "1", "静噪电平:", "1"},
        {"Beep:", "On", "提示音:", "开"},                 {"Call Tone:", "1", "呼叫铃音:", "1"},
        {"Channel Display:", "Off", "信道显示:", "关"},   {"Priority Scan:", "Off", "优先扫描:", "关"},
        {"Busy", "Off", "繁忙:", "关"},                   {"Pri-Scanning Time:", "3s", "预扫描时间:", "3s"},
        {"Scan Mode:", "CO", "扫描模式:", "CO"},          {"Keypad Lock:", "Manual", "键盘锁定:", "手动"},
        {"LED", "Auto", "LED", "自动"},                   {"Mode:", "Frequency", "模式:", "频率"},
        {"Encoder", "On", "编码器", "开"},                {"Voice Sensitivity:", "Off", "声控灵敏度:", "关"},
        {"Step:", "12.5k", "步长:", "12.5k"},             {"Battery Saver:", "0.4", "电池省电:", "0.4"},
        // clang-format on
    };
    const auto english = PrintedOptionLines(NewImage(), Language::English);
    const auto chinese = PrintedOptionLines(NewImage(), Language::Chinese);
    for (std::size_t i = 0; i < kPrintedOptionLines; ++i) {
        EXPECT_EQ(english[i].label, expected[i][0]);
        EXPECT_EQ(english[i].value, expected[i][1]) << expected[i][0];
        EXPECT_EQ(chinese[i].label, expected[i][2]);
        EXPECT_EQ(chinese[i].value, expected[i][3]) << expected[i][2];
    }
}

// Each byte decoded as the radio does, the Chinese text where it differs.
TEST(PrintedOptionLines, DecodesEachByteAsTheRadioDoes) {
    namespace o = offset;
    constexpr std::size_t flags = o::DisplayScanLedKeypad, mode = o::PriorityEncoderMode;
    const struct {
        std::size_t offset;
        std::uint8_t byte;
        int line; // 0-based line of the page's sixteen
        const char* english;
        const char* chinese;
    } cases[] = {
        // clang-format off
        // Time Out Timer: bits 1-0 only.
        {o::TimeOutTimer, 0x00, 0, "Off", "关"},   {o::TimeOutTimer, 0x0F, 0, "10", ""},
        {o::TimeOutTimer, 0x04, 0, "Off", "关"},   {o::SquelchLevel, 0xFF, 1, "15", ""},
        {o::Beep, 0xFE, 2, "Off", "关"},
        // Call Tone: 9 is the 1750 Hz burst; 10 to 15 print as numbers.
        {o::CallTone, 0x00, 3, "Off", "关"},       {o::CallTone, 0x09, 3, "1750", ""},
        {o::CallTone, 0xF9, 3, "1750", ""},        {o::CallTone, 0x0A, 3, "10", ""},
        {o::CallTone, 0x0F, 3, "15", ""},
        // Channel Display and Busy: a 1 bit means off.
        {flags, 0x7F, 4, "On", "开"},          {flags, 0xBF, 6, "On", "开"},
        {flags, 0x40, 6, "Off", "关"},         {mode, 0x40, 5, "On", "开"},
        {o::PriScanningTime, 0xFE, 7, "8s", ""},
        {flags, 0x00, 8, "SE", ""},            {flags, 0x20, 8, "TO", ""},
        {flags, 0x30, 8, "TO", ""},            {flags, 0x02, 9, "Auto", "自动"},
        {flags, 0x00, 10, "Off", "关"},        {flags, 0x08, 10, "On", "开"},
        {flags, 0x0C, 10, "On", "开"},         {mode, 0x00, 11, "Channel", "信道"},
        {mode, 0x02, 11, "Memory", "存储"},    {mode, 0xDF, 12, "Off", "关"},
        {o::VoiceSensitivity, 0x1F, 13, "31", ""}, {o::VoiceSensitivity, 0xE0, 13, "Off", "关"},
        // Step: the whole byte; everything from 5 up is the widest step.
        {o::Step, 0x00, 14, "2.5k", ""}, {o::Step, 0x05, 14, "25k", ""},
        {o::Step, 0x06, 14, "25k", ""},  {o::Step, 0xFF, 14, "25k", ""},
        // Battery Saver: bits 2-0 in steps of 0.2, one decimal.
        {o::BatterySaver, 0x00, 15, "Off", "关"}, {o::BatterySaver, 0x01, 15, "0.2", ""},
        {o::BatterySaver, 0x05, 15, "1.0", ""},   {o::BatterySaver, 0x07, 15, "1.4", ""},
        {o::BatterySaver, 0xF8, 15, "Off", "关"},
        // clang-format on
    };
    for (const auto& c : cases) {
        MemoryImage image = NewImage();
        image[c.offset] = c.byte;
        EXPECT_EQ(PrintedOptionLines(image, Language::English)[c.line].value, c.english)
            << c.line << " " << int(c.byte);
        EXPECT_EQ(PrintedOptionLines(image, Language::Chinese)[c.line].value,
                  *c.chinese ? c.chinese : c.english)
            << c.line << " " << int(c.byte);
    }
}

} // namespace
} // namespace velmora
