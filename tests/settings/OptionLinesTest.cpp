#include "settings/OptionLines.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora {
namespace {

std::vector<std::pair<std::string, std::string>> Lines(const MemoryImage& image, Language lang) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const OptionLine& line : PrintedOptionLines(image, lang)) {
        out.emplace_back(line.label, line.value);
    }
    return out;
}

TEST(PrintedOptionLines, NewDocumentInEnglish) {
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Time Out Timer:", "1"},
        {"Squelch Level:", "1"},
        {"Beep:", "On"},
        {"Call Tone:", "1"},
        {"Channel Display:", "Off"},
        {"Priority Scan:", "Off"},
        {"Busy", "Off"},
        {"Pri-Scanning Time:", "3s"},
        {"Scan Mode:", "CO"},
        {"Keypad Lock:", "Manual"},
        {"LED", "Auto"},
        {"Mode:", "Frequency"},
        {"Encoder", "On"},
        {"Voice Sensitivity:", "Off"},
        {"Step:", "12.5k"},
        {"Battery Saver:", "0.4"},
    };
    EXPECT_EQ(Lines(NewImage(), Language::English), expected);
}

TEST(PrintedOptionLines, NewDocumentInChinese) {
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"超时定时器:", "1"}, {"静噪电平:", "1"},    {"提示音:", "开"},  {"呼叫铃音:", "1"},
        {"信道显示:", "关"},  {"优先扫描:", "关"},   {"繁忙:", "关"},    {"预扫描时间:", "3s"},
        {"扫描模式:", "CO"},  {"键盘锁定:", "手动"}, {"LED", "自动"},    {"模式:", "频率"},
        {"编码器", "开"},     {"声控灵敏度:", "关"}, {"步长:", "12.5k"}, {"电池省电:", "0.4"},
    };
    EXPECT_EQ(Lines(NewImage(), Language::Chinese), expected);
}

struct ValueCase {
    std::size_t offset;
    std::uint8_t byte;
    int line; // 0-based line of the page's sixteen
    const char* english;
    const char* chinese;
};

class PrintedOptionValue : public testing::TestWithParam<ValueCase> {};

TEST_P(PrintedOptionValue, DecodesTheByteAsTheRadioDoes) {
    const ValueCase& c = GetParam();
    MemoryImage image = NewImage();
    image[c.offset] = c.byte;
    EXPECT_EQ(PrintedOptionLines(image, Language::English)[c.line].value, c.english);
    EXPECT_EQ(PrintedOptionLines(image, Language::Chinese)[c.line].value, c.chinese);
}

INSTANTIATE_TEST_SUITE_P(Bytes, PrintedOptionValue,
                         testing::Values(
                             // Time Out Timer: bits 1-0 only.
                             ValueCase{offset::TimeOutTimer, 0x00, 0, "Off", "关"},
                             ValueCase{offset::TimeOutTimer, 0x0F, 0, "10", "10"},
                             ValueCase{offset::TimeOutTimer, 0x04, 0, "Off", "关"},
                             ValueCase{offset::SquelchLevel, 0xFF, 1, "15", "15"},
                             ValueCase{offset::Beep, 0xFE, 2, "Off", "关"},
                             // Call Tone: 9 is the 1750 Hz burst; 10 to 15 print as numbers.
                             ValueCase{offset::CallTone, 0x00, 3, "Off", "关"},
                             ValueCase{offset::CallTone, 0x09, 3, "1750", "1750"},
                             ValueCase{offset::CallTone, 0xF9, 3, "1750", "1750"},
                             ValueCase{offset::CallTone, 0x0A, 3, "10", "10"},
                             ValueCase{offset::CallTone, 0x0F, 3, "15", "15"},
                             // Channel Display and Busy: a 1 bit means off.
                             ValueCase{offset::DisplayScanLedKeypad, 0x7F, 4, "On", "开"},
                             ValueCase{offset::DisplayScanLedKeypad, 0xBF, 6, "On", "开"},
                             ValueCase{offset::DisplayScanLedKeypad, 0x40, 6, "Off", "关"},
                             ValueCase{offset::PriorityEncoderMode, 0x40, 5, "On", "开"},
                             ValueCase{offset::PriScanningTime, 0xFE, 7, "8s", "8s"},
                             ValueCase{offset::DisplayScanLedKeypad, 0x00, 8, "SE", "SE"},
                             ValueCase{offset::DisplayScanLedKeypad, 0x20, 8, "TO", "TO"},
                             ValueCase{offset::DisplayScanLedKeypad, 0x30, 8, "TO", "TO"},
                             ValueCase{offset::DisplayScanLedKeypad, 0x02, 9, "Auto", "自动"},
                             ValueCase{offset::DisplayScanLedKeypad, 0x00, 10, "Off", "关"},
                             ValueCase{offset::DisplayScanLedKeypad, 0x08, 10, "On", "开"},
                             ValueCase{offset::DisplayScanLedKeypad, 0x0C, 10, "On", "开"},
                             ValueCase{offset::PriorityEncoderMode, 0x00, 11, "Channel", "信道"},
                             ValueCase{offset::PriorityEncoderMode, 0x02, 11, "Memory", "存储"},
                             ValueCase{offset::PriorityEncoderMode, 0xDF, 12, "Off", "关"},
                             ValueCase{offset::VoiceSensitivity, 0x1F, 13, "31", "31"},
                             ValueCase{offset::VoiceSensitivity, 0xE0, 13, "Off", "关"},
                             // Step: the whole byte; everything from 5 up is the widest step.
                             ValueCase{offset::Step, 0x00, 14, "2.5k", "2.5k"},
                             ValueCase{offset::Step, 0x05, 14, "25k", "25k"},
                             ValueCase{offset::Step, 0x06, 14, "25k", "25k"},
                             ValueCase{offset::Step, 0x0E, 14, "25k", "25k"},
                             ValueCase{offset::Step, 0xFF, 14, "25k", "25k"},
                             // Battery Saver: bits 2-0 in steps of 0.2, one decimal.
                             ValueCase{offset::BatterySaver, 0x00, 15, "Off", "关"},
                             ValueCase{offset::BatterySaver, 0x01, 15, "0.2", "0.2"},
                             ValueCase{offset::BatterySaver, 0x05, 15, "1.0", "1.0"},
                             ValueCase{offset::BatterySaver, 0x06, 15, "1.2", "1.2"},
                             ValueCase{offset::BatterySaver, 0x07, 15, "1.4", "1.4"},
                             ValueCase{offset::BatterySaver, 0xF8, 15, "Off", "关"}));

} // namespace
} // namespace velmora
