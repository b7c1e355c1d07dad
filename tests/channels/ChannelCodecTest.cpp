#include "channels/ChannelCodec.h"
#include "channels/ChannelTable.h"
#include "channels/ToneTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace velmora {
namespace {

using Bytes4 = std::array<std::uint8_t, 4>;

MemoryImage BlankImage() {
    MemoryImage image;
    image.fill(0xFF);
    return image;
}

std::vector<std::uint8_t> Record(const MemoryImage& image, int i) {
    return {image.begin() + 16 * i, image.begin() + 16 * i + 16};
}

std::vector<std::uint8_t> Name(const MemoryImage& image, int i) {
    return {image.begin() + 0xC90 + 8 * i, image.begin() + 0xC90 + 8 * i + 8};
}

TEST(FrequencyCodecTest, TextsAndBytes) {
    struct Case {
        const char* text;
        Bytes4 bytes;
        const char* decoded; // what the bytes read back as
    };
    const Case cases[] = {
        {"142.5", {0x00, 0x00, 0x25, 0x14}, "142.50000"},
        {"438.0125", {0x50, 0x12, 0x80, 0x43}, "438.01250"},
        {"438.012509", {0x50, 0x12, 0x80, 0x43}, "438.01250"}, // below 10 Hz truncated
        {"136.0125", {0x50, 0x12, 0x60, 0x13}, "136.01250"},   // not 49 12 60 13
        {"999.99999", {0x99, 0x99, 0x99, 0x99}, "999.99999"},
        {"", {0xFF, 0xFF, 0xFF, 0xFF}, ""},
        {"abc", {0xFF, 0xFF, 0xFF, 0xFF}, ""},
        {"0.000001", {0xFF, 0xFF, 0xFF, 0xFF}, ""},
        // Beyond the eight digits: stored as no frequency, never as garbage BCD.
        {"1000", {0xFF, 0xFF, 0xFF, 0xFF}, ""},
        {"-438.0125", {0xFF, 0xFF, 0xFF, 0xFF}, ""},
        {"1e30", {0xFF, 0xFF, 0xFF, 0xFF}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(EncodeFrequency(c.text), c.bytes) << c.text;
        EXPECT_EQ(DecodeFrequency(c.bytes), c.decoded) << c.text;
    }
    EXPECT_EQ(DecodeFrequency(Bytes4{0x50, 0x12, 0x80, 0x00}), "");
    EXPECT_EQ(FrequencyUnits("1e30"), 2147483647);
    EXPECT_EQ(FrequencyUnits("-1e30"), -2147483647 - 1);
}

TEST(ToneCodecTest, BytesAndTexts) {
    struct Case {
        std::uint8_t hi, lo;
        const char* english;
        const char* chinese;
    };
    const Case cases[] = {
        {0x06, 0x70, "67.0", "67.0"},   {0x25, 0x41, "254.1", "254.1"},
        {0x80, 0x23, "D023N", "D023N"}, {0xC0, 0x23, "D023I", "D023I"},
        {0x87, 0x54, "D754N", "D754N"}, {0xC7, 0x54, "D754I", "D754I"},
        {0xFF, 0x12, "None", "无"},     {0x00, 0x70, "None", "无"},
        {0x06, 0x75, "67.5", "67.5"}, // not a standard tone, shown as it is
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeTone(c.hi, c.lo, Language::English), c.english);
        EXPECT_EQ(DecodeTone(c.hi, c.lo, Language::Chinese), c.chinese);
    }
    using Pair = std::pair<std::uint8_t, std::uint8_t>;
    EXPECT_EQ(EncodeTone("None"), Pair(0xFF, 0xFF));
    EXPECT_EQ(EncodeTone("无"), Pair(0xFF, 0xFF));
    EXPECT_EQ(EncodeTone("D023"), Pair(0xC0, 0x23)); // no "N": inverted
    // Values the bytes cannot hold as what they are store no tone.
    EXPECT_EQ(EncodeTone("800.0"), Pair(0xFF, 0xFF));
    EXPECT_EQ(EncodeTone("-67.0"), Pair(0xFF, 0xFF));
    EXPECT_EQ(EncodeTone("D6400N"), Pair(0xFF, 0xFF));
    EXPECT_EQ(EncodeTone("D6300I"), Pair(0xFF, 0xFF));
}

TEST(ToneCodecTest, EveryListEntryRoundTrips) {
    for (Language lang : {Language::English, Language::Chinese}) {
        const std::vector<std::string> list = BuildToneList(lang);
        for (const std::string& text : list) {
            const auto [hi, lo] = EncodeTone(text);
            EXPECT_EQ(DecodeTone(hi, lo, lang), text);
        }
    }
}

TEST(ChannelCodecTest, EmptyChannels) {
    MemoryImage image = BlankImage();
    for (int i = 0; i < kChannelCount; ++i) {
        ASSERT_EQ(DecodeChannel(image, i, Language::English), ChannelTexts{});
    }
    image[3] = 0x00; // top Rx byte 00 empties even an otherwise valid record
    image[0] = 0x50;
    image[12] = 0x2C;
    EXPECT_TRUE(IsChannelEmpty(image, 0));
    EXPECT_EQ(DecodeChannel(image, 0, Language::English), ChannelTexts{});
    EXPECT_TRUE(IsChannelEmpty(image, 200));
    EncodeChannel(image, -1, {"438.0125"});
    EncodeChannel(image, 200, {"438.0125"});
    EXPECT_EQ(image[3], 0x00);
}

TEST(ChannelCodecTest, RowTextsToBytesAndBack) {
    struct Case {
        ChannelTexts texts;
        std::vector<std::uint8_t> record; // from the flags byte 0xC3 and bytes 13-15 A1 B2 C3
        std::vector<std::uint8_t> name;
        ChannelTexts englishBack, chineseBack;
    };
    const Case cases[] = {
        {{"438.0125", "", "None", "D754I", "High", "Lock", "Yes", "AB-_09"},
         {0x50, 0x12, 0x80, 0x43, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x54, 0xC7, 0xEF, 0xA1, 0xB2,
          0xC3},
         {10, 11, 36, 38, 0, 9, 0xFF, 0xFF},
         {"438.01250", "", "None", "D754I", "High", "Lock", "Yes", "AB-_09"},
         {"438.01250", "", "无", "D754I", "高", "锁定", "有", "AB-_09"}},
        {{"142.5", "142.5", "67.0", "254.1", "中", "未锁定", "无", "CHANNEL8"},
         {0x00, 0x00, 0x25, 0x14, 0x00, 0x00, 0x25, 0x14, 0x70, 0x06, 0x41, 0x25, 0xD3, 0xA1, 0xB2,
          0xC3},
         {12, 17, 10, 23, 23, 14, 21, 8},
         {"142.50000", "142.50000", "67.0", "254.1", "Middle", "Unlock", "No", "CHANNEL8"},
         {"142.50000", "142.50000", "67.0", "254.1", "中", "未锁定", "无", "CHANNEL8"}},
        // Empty power stores Low; unknown lock and scan words fall back to locked and scanned;
        // a lower-case name stores no characters.
        {{"142.5", "bad", "", "x", "", "maybe", "", "abc"},
         {0x00, 0x00, 0x25, 0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xCF, 0xA1, 0xB2,
          0xC3},
         {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
         {"142.50000", "", "None", "None", "Low", "Lock", "Yes", ""},
         {"142.50000", "", "无", "无", "低", "锁定", "有", ""}},
    };
    for (const Case& c : cases) {
        MemoryImage image = BlankImage();
        const int i = 199;
        image[16 * i + 12] = 0xC3;
        image[16 * i + 13] = 0xA1;
        image[16 * i + 14] = 0xB2;
        image[16 * i + 15] = 0xC3;
        EncodeChannel(image, i, c.texts);
        EXPECT_EQ(Record(image, i), c.record) << c.texts[0];
        EXPECT_EQ(Name(image, i), c.name) << c.texts[7];
        EXPECT_EQ(DecodeChannel(image, i, Language::English), c.englishBack);
        EXPECT_EQ(DecodeChannel(image, i, Language::Chinese), c.chineseBack);
        // Only this channel's record and name changed.
        MemoryImage expected = BlankImage();
        std::copy(image.begin() + 16 * i, image.begin() + 16 * i + 16, expected.begin() + 16 * i);
        std::copy(image.begin() + 0xC90 + 8 * i, image.begin() + 0xC90 + 8 * i + 8,
                  expected.begin() + 0xC90 + 8 * i);
        EXPECT_EQ(image, expected);
    }
}

TEST(ChannelCodecTest, DecodeDetails) {
    MemoryImage image = BlankImage();
    const std::uint8_t record[16] = {0x50, 0x12, 0x80, 0x43, 0x00, 0x00, 0x00, 0x00,
                                     0x23, 0x80, 0x70, 0x00, 0x30, 0,    0,    0};
    std::copy(std::begin(record), std::end(record), image.begin() + 16 * 5);
    const std::uint8_t name[8] = {10, 11, 37, 12, 13, 14, 15, 16};
    std::copy(std::begin(name), std::end(name), image.begin() + 0xC90 + 8 * 5);
    // Tx top byte 00: no Tx; power bits 11: empty; code 37 ends the name.
    const ChannelTexts expected = {"438.01250", "", "D023N", "None", "", "Unlock", "No", "AB"};
    EXPECT_EQ(DecodeChannel(image, 5, Language::English), expected);
}

TEST(ChannelCodecTest, ClearingKeepsTheName) {
    MemoryImage image = BlankImage();
    EncodeChannel(image, 7, {"438.0125", "438.0125", "None", "None", "High", "Lock", "Yes", "AB"});
    EncodeChannel(image, 7, ChannelTexts{});
    EXPECT_EQ(Record(image, 7), std::vector<std::uint8_t>(16, 0xFF));
    EXPECT_EQ(Name(image, 7),
              (std::vector<std::uint8_t>{10, 11, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

} // namespace
} // namespace velmora
